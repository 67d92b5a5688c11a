#pragma once

#include <QByteArray>
#include <QHash>
#include <optional>
#include <sys/types.h>

struct stat;

// One directory entry as the rest of the program sees it.
struct FileEntry {
    QByteArray name; // last path component, raw bytes
    quint32 attributes = 0;
    qint64 size = 0;
    qint64 lastWrite = 0; // seconds since the epoch, UTC
};

// Describes single paths the way a find-first with every attribute allowed
// did: from lstat, so a symbolic link is described as itself.
class EntryReader {
public:
    std::optional<FileEntry> lookup(const QByteArray& path);

    static quint32 attributesFromStat(const QByteArray& name, const struct stat& st);
    // All attributes of an entry already stat'ed, those the file system keeps included.
    quint32 attributes(const QByteArray& path, const QByteArray& name, const struct stat& st);

private:
    enum class DosSource { None, Vfat, NtfsXattr, CifsXattr, SambaXattr };
    DosSource dosSourceFor(const QByteArray& path, dev_t device);
    quint32 dosAttributes(const QByteArray& path, const struct stat& st);

    QHash<dev_t, DosSource> m_sourceByDevice;
};
