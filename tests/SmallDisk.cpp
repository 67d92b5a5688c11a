#include "SmallDisk.h"

#include <QFile>
#include <sys/mount.h>
#include <sys/statvfs.h>

SmallDisk::SmallDisk(int kilobytes)
{
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    m_mounted = mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                      options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool SmallDisk::makeReadOnly() const
{
    return mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr,
                 MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void SmallDisk::fill(qint64 leave) const
{
    QFile f(m_dir.filePath(QStringLiteral("filler")));
    if (!f.open(QIODevice::WriteOnly))
        return;
    const QByteArray block(4096, 'x');
    for (;;) {
        struct statvfs vfs;
        if (statvfs(QFile::encodeName(m_dir.path()).constData(), &vfs) != 0 ||
            qint64(vfs.f_bavail) * qint64(vfs.f_frsize) <= leave)
            return;
        if (f.write(block) != block.size() || !f.flush())
            return;
    }
}
