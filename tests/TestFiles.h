#pragma once

#include <QByteArray>
#include <QString>

// Small helpers for fixtures made at run time.
namespace TestFiles {
QByteArray fixture(const char* name);
void write(const QByteArray& path, const QByteArray& content);
// Sets the last-write time to a local wall-clock time.
void setLocalMtime(const QByteArray& path, int year, int month, int day, int hour, int minute,
                   int second);
void setMtime(const QByteArray& path, qint64 secondsSinceEpoch);
// The whole content, or empty when there is no such file.
QByteArray read(const QByteArray& path);
// Something is at the path, a dangling link included.
bool exists(const QByteArray& path);
// A bound Unix socket, as a running program leaves one; its descriptor, or -1.
int bindSocket(const QByteArray& path);
} // namespace TestFiles
