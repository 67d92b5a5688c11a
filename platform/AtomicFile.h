#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Replaces a file's whole content so that a crash or a full disk leaves
// either the old file or the new one, never a part. Throws IoError.
namespace AtomicFile {
void replace(const QString& path, const QByteArray& content);
// Text lines in UTF-8, each ended by CR LF, as the program's files are kept.
void replaceLines(const QString& path, const QStringList& lines);
} // namespace AtomicFile
