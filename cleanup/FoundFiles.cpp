#include "cleanup/FoundFiles.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace FoundFiles {

bool exists(const QByteArray& path)
{
    struct stat st;
    return lstat(path.constData(), &st) == 0;
}

int deletePermanently(const QByteArray& path)
{
    return unlink(path.constData()) == 0 ? 0 : errno;
}

} // namespace FoundFiles
