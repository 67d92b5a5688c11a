#pragma once

#include <QString>
#include <QStringList>

// The pattern file "patterns.kwl": one pattern per line, in the order given.
namespace PatternFile {
constexpr const char* FileName = "patterns.kwl";

// A line ends at CR (with an LF after it) or at an LF alone; Ctrl-Z ends the
// file. Throws IoError when the file cannot be read.
QStringList read(const QString& path);
QStringList parse(const QByteArray& bytes);
// Every line with CR LF, in UTF-8, replacing the file atomically; throws
// IoError and leaves the old file whole when it cannot be written.
void write(const QString& path, const QStringList& patterns);
} // namespace PatternFile
