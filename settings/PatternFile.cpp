#include "settings/PatternFile.h"

#include "platform/AtomicFile.h"
#include "platform/IoError.h"
#include "platform/TextDecoding.h"

#include <QFile>
#include <cerrno>

namespace PatternFile {

QStringList parse(const QByteArray& bytes)
{
    const qsizetype eof = bytes.indexOf('\x1a');
    const QString text = TextDecoding::decode(eof < 0 ? bytes : bytes.left(eof));
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QStringList read(const QString& path)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw IoError::fromErrno(path, ENOENT);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IoError::fromErrno(path, EACCES);
    return parse(bytes);
}

void write(const QString& path, const QStringList& patterns)
{
    AtomicFile::replaceLines(path, patterns);
}

} // namespace PatternFile
