#pragma once

#include <QByteArray>
#include <QSet>
#include <sys/types.h>

// The devices of the kernel's pseudo file systems (proc, sysfs, ...), which a
// walk must never enter: they are not files a user owns.
namespace MountTable {
QSet<dev_t> pseudoFileSystemDevices();
// From the text of /proc/self/mountinfo.
QSet<dev_t> pseudoFileSystemDevices(const QByteArray& mountinfo);
} // namespace MountTable
