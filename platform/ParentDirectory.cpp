#include "platform/ParentDirectory.h"

#include <QList>
#include <cerrno>
#include <fcntl.h>
#include <linux/openat2.h>
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

// Older kernels, or sandboxes that refuse the call: one element at a time.
int openElementWise(const QByteArray& dir)
{
    int fd = open("/", DirectoryFlags);
    for (const QByteArray& element : dir.split('/')) {
        if (fd < 0)
            break;
        if (element.isEmpty() || element == ".")
            continue;
        const int next = openat(fd, element.constData(), DirectoryFlags | O_NOFOLLOW);
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
    // A link opened with O_NOFOLLOW | O_DIRECTORY fails with ENOTDIR.
    if (m_fd < 0)
        m_error = errno == ENOTDIR ? ELOOP : errno;
}

ParentDirectory::~ParentDirectory()
{
    if (m_fd >= 0)
        close(m_fd);
}
