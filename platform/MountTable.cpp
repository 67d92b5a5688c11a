#include "platform/MountTable.h"

#include "platform/Volumes.h"

#include <QFile>
#include <sys/sysmacros.h>

namespace MountTable {

// Each line: id, parent id, "major:minor", root, mount point, options, then
// optional fields up to "-", then the file system type.
QSet<dev_t> pseudoFileSystemDevices(const QByteArray& mountinfo)
{
    QSet<dev_t> devices;
    for (const QByteArray& line : mountinfo.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 5 || dash < 0 || dash + 1 >= fields.size())
            continue;
        const QList<QByteArray> numbers = fields[2].split(':');
        if (numbers.size() != 2 || !Volumes::isPseudoFileSystem(fields[dash + 1]))
            continue;
        devices.insert(makedev(numbers[0].toUInt(), numbers[1].toUInt()));
    }
    return devices;
}

QSet<dev_t> pseudoFileSystemDevices()
{
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return pseudoFileSystemDevices(file.readAll());
}

} // namespace MountTable
