#include "cleanup/FoundFiles.h"

#include "platform/ParentDirectory.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FoundFiles {

// Behind a directory that became a link the entry was not removed by us.
bool exists(const QByteArray& path)
{
    const ParentDirectory parent(path);
    struct stat st;
    if (!parent.isOpen())
        return parent.error() == ELOOP;
    return fstatat(parent.fd(), parent.name(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

int deletePermanently(const QByteArray& path)
{
    const ParentDirectory parent(path);
    if (!parent.isOpen())
        return parent.error();
    return unlinkat(parent.fd(), parent.name(), 0) == 0 ? 0 : errno;
}

} // namespace FoundFiles
