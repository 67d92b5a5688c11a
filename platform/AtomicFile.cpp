#include "platform/AtomicFile.h"

#include "platform/IoError.h"

#include <QSaveFile>
#include <cerrno>
#include <unistd.h>

namespace AtomicFile {

// Qt 6.4's QSaveFile commits even when its buffered data failed to reach the
// disk (a full disk then leaves an empty file), so nothing is left in its
// buffer: every write goes straight down and is checked, and the data is
// synced before the new file takes the old one's name.
void replace(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw IoError::fromErrno(path, EACCES, IoError::Access::Save);
    if (file.write(content) != content.size() || file.error() != QFileDevice::NoError ||
        fsync(file.handle()) != 0) {
        // A short write that sets no error code is a full disk.
        const IoError failure = IoError::fromErrno(path, ENOSPC, IoError::Access::Save);
        file.cancelWriting();
        throw failure;
    }
    if (!file.commit())
        throw IoError::fromErrno(path, EACCES, IoError::Access::Save);
}

void replaceLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    replace(path, bytes);
}

} // namespace AtomicFile
