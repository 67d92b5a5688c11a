#include "platform/ParentDirectory.h"

#include <QList>
#include <cerrno>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr int DirectoryFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

int openWithoutLinks(const QByteArray& dir)
{
    open_how how{};
    how.flags = DirectoryFlags;
    how.resolve = RESOLVE_NO_SYMLINKS;
    return int(syscall(SYS_openat2, AT_FDCWD, dir.constData(), &how, sizeof how));
}

// One step down. A link there fails as "not a directory" with O_NOFOLLOW;
// it is told as openat2 tells it.
int openElement(int dirFd, const char* element)
{
    const int fd = openat(dirFd, element, DirectoryFlags | O_NOFOLLOW);
    const int error = errno;
    struct stat st;
    const bool link = fd < 0 && error == ENOTDIR &&
                      fstatat(dirFd, element, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
    errno = link ? ELOOP : error;
    return fd;
}

// Older kernels, or sandboxes that refuse the call: one element at a time.
int openElementWise(const QByteArray& dir)
{
    int fd = open("/", DirectoryFlags);
    for (const QByteArray& element : dir.split('/')) {
        if (fd < 0)
            break;
        if (element.isEmpty() || element == ".")
            continue;
        const int next = openElement(fd, element.constData());
        const int error = errno;
        close(fd);
        fd = next;
        errno = error;
    }
    return fd;
}

} // namespace

ParentDirectory::ParentDirectory(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    m_name = path.mid(slash + 1);
    if (!path.startsWith('/') || m_name.isEmpty() || m_name == "." || m_name == "..") {
        m_error = EINVAL;
        return;
    }
    const QByteArray dir = slash == 0 ? QByteArray("/") : path.left(slash);
    m_fd = openWithoutLinks(dir);
    if (m_fd < 0 && (errno == ENOSYS || errno == EPERM))
        m_fd = openElementWise(dir);
    if (m_fd < 0)
        m_error = errno;
}

ParentDirectory::~ParentDirectory()
{
    if (m_fd >= 0)
        close(m_fd);
}
