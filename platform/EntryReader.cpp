#include "platform/EntryReader.h"

#include "platform/FileAttributes.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

constexpr long NtfsMagic = 0x5346544e;
constexpr long FuseMagic = 0x65735546;
constexpr long CifsMagic = 0xff534d42;
constexpr long Smb2Magic = 0xfe534d42;

QByteArray baseName(const QByteArray& path)
{
    QByteArray p = path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    const int slash = p.lastIndexOf('/');
    return slash < 0 ? p : p.mid(slash + 1);
}

quint32 littleEndian32(const char* b, ssize_t n)
{
    quint32 v = 0;
    for (ssize_t i = std::min<ssize_t>(n, 4) - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[i]);
    return v;
}

// Samba keeps "0x<hex>" as a NUL-terminated text at the start of its blob.
quint32 sambaAttributes(const char* b, ssize_t n)
{
    if (n < 3 || b[0] != '0' || (b[1] != 'x' && b[1] != 'X'))
        return 0;
    quint32 v = 0;
    for (ssize_t i = 2; i < n && i < 10; ++i) {
        const char c = b[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            break;
        v = (v << 4) | quint32(digit);
    }
    return v;
}

quint32 xattrAttributes(const QByteArray& path, const char* key, bool samba)
{
    char buf[64];
    const ssize_t n = lgetxattr(path.constData(), key, buf, sizeof buf);
    if (n <= 0)
        return 0;
    return samba ? sambaAttributes(buf, n) : littleEndian32(buf, n);
}

quint32 vfatAttributes(const QByteArray& path)
{
    const int fd = open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return 0;
    __u32 attr = 0;
    if (ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attr) != 0)
        attr = 0;
    close(fd);
    return attr;
}

} // namespace

quint32 EntryReader::attributesFromStat(const QByteArray& name, const struct stat& st)
{
    quint32 a = 0;
    if (!(st.st_mode & S_IWUSR))
        a |= FileAttributes::ReadOnly;
    if (name.startsWith('.'))
        a |= FileAttributes::Hidden;
    if (S_ISSOCK(st.st_mode) || S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        a |= FileAttributes::System;
    if (S_ISDIR(st.st_mode))
        a |= FileAttributes::Directory;
    return a;
}

EntryReader::DosSource EntryReader::dosSourceFor(const QByteArray& path, dev_t device)
{
    const auto it = m_sourceByDevice.constFind(device);
    if (it != m_sourceByDevice.constEnd())
        return *it;
    struct statfs fs;
    DosSource source = DosSource::SambaXattr;
    if (statfs(path.constData(), &fs) == 0) {
        switch (static_cast<long>(fs.f_type)) {
        case MSDOS_SUPER_MAGIC:
            source = DosSource::Vfat;
            break;
        case NtfsMagic:
        case FuseMagic:
            source = DosSource::NtfsXattr;
            break;
        case CifsMagic:
        case Smb2Magic:
            source = DosSource::CifsXattr;
            break;
        case PROC_SUPER_MAGIC:
        case SYSFS_MAGIC:
            source = DosSource::None;
            break;
        default:
            break;
        }
    }
    m_sourceByDevice.insert(device, source);
    return source;
}

// Only regular files and directories can carry DOS attributes; a FIFO must
// never be opened here.
quint32 EntryReader::dosAttributes(const QByteArray& path, const struct stat& st)
{
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return 0;
    switch (dosSourceFor(path, st.st_dev)) {
    case DosSource::Vfat:
        return vfatAttributes(path);
    case DosSource::NtfsXattr:
        return xattrAttributes(path, "system.ntfs_attrib", false);
    case DosSource::CifsXattr:
        return xattrAttributes(path, "user.cifs.dosattrib", false);
    case DosSource::SambaXattr:
        return xattrAttributes(path, "user.DOSATTRIB", true);
    case DosSource::None:
        break;
    }
    return 0;
}

quint32 EntryReader::attributes(const QByteArray& path, const QByteArray& name,
                                const struct stat& st)
{
    const quint32 dosMask = FileAttributes::ReadOnly | FileAttributes::Hidden |
                            FileAttributes::System | FileAttributes::Archive;
    return attributesFromStat(name, st) | (dosAttributes(path, st) & dosMask);
}

std::optional<FileEntry> EntryReader::lookup(const QByteArray& path)
{
    struct stat st;
    if (path.isEmpty() || lstat(path.constData(), &st) != 0)
        return std::nullopt;
    FileEntry e;
    e.name = baseName(path);
    e.attributes = attributes(path, e.name, st);
    e.size = static_cast<qint64>(st.st_size);
    e.lastWrite = static_cast<qint64>(st.st_mtime);
    return e;
}
