#include "platform/Volumes.h"

#include <QFile>
#include <QStorageInfo>
#include <algorithm>

QString Volume::displayName() const
{
    const QString path = QFile::decodeName(mountPoint);
    return label.isEmpty() ? path : path + QStringLiteral("  [") + label + u']';
}

namespace Volumes {

bool isPseudoFileSystem(const QByteArray& type)
{
    static const char* const pseudo[] = {
        "proc",      "sysfs",      "devtmpfs",    "devpts",     "cgroup",   "cgroup2", "debugfs",
        "tracefs",   "securityfs", "pstore",      "bpf",        "configfs", "fusectl", "mqueue",
        "hugetlbfs", "autofs",     "binfmt_misc", "rpc_pipefs", "nsfs",     "efivarfs"};
    return std::any_of(std::begin(pseudo), std::end(pseudo),
                       [&](const char* p) { return type == p; });
}

QList<Volume> mounted()
{
    QList<Volume> volumes;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        if (isPseudoFileSystem(s.fileSystemType()))
            continue;
        volumes.append({QFile::encodeName(s.rootPath()), s.name(), s.fileSystemType()});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.mountPoint < b.mountPoint; });
    return volumes;
}

int indexOfVolumeHolding(const QList<Volume>& volumes, const QByteArray& path)
{
    int best = -1;
    for (int i = 0; i < volumes.size(); ++i) {
        const QByteArray& m = volumes[i].mountPoint;
        const bool holds =
            path == m || (path.startsWith(m) && (m.endsWith('/') || path[m.size()] == '/'));
        if (holds && (best < 0 || m.size() > volumes[best].mountPoint.size()))
            best = i;
    }
    return best;
}

} // namespace Volumes
