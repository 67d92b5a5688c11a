#include "platform/CompoundFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace CompoundFile {

namespace {

unsigned u16(const QByteArray& b, int at)
{
    return unsigned(quint8(b[at])) | unsigned(quint8(b[at + 1])) << 8;
}

bool headerOf(int fd)
{
    struct stat st;
    bool result = false;
    if (fd >= 0 && fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= HeaderSize) {
        // One small read per file: no read-ahead for the many that are not.
        posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
        QByteArray header(HeaderSize, '\0');
        result = pread(fd, header.data(), HeaderSize, 0) == HeaderSize && isStorageHeader(header);
    }
    if (fd >= 0)
        close(fd);
    return result;
}

constexpr int OpenFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

// Looking into a million files must not make them all look recently used
// (and cost an inode write each); only the owner may ask for that.
int openForHeader(int dirFd, const char* name)
{
    const int fd = openat(dirFd, name, OpenFlags | O_NOATIME);
    return fd < 0 && errno == EPERM ? openat(dirFd, name, OpenFlags) : fd;
}

} // namespace

bool isStorageHeader(const QByteArray& header)
{
    static const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    if (header.size() < HeaderSize || !header.startsWith(QByteArray(signature, 8)))
        return false;
    const unsigned major = u16(header, 0x1A);
    const unsigned sectorShift = u16(header, 0x1E);
    return u16(header, 0x1C) == 0xFFFE && u16(header, 0x20) == 6 &&
           ((major == 3 && sectorShift == 9) || (major == 4 && sectorShift == 12));
}

bool isStorageFile(const QByteArray& path)
{
    return headerOf(openForHeader(AT_FDCWD, path.constData()));
}

bool isStorageFileAt(int dirFd, const char* name)
{
    return headerOf(openForHeader(dirFd, name));
}

} // namespace CompoundFile
