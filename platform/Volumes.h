#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The mounted volumes a user can pick, without kernel pseudo file systems.
struct Volume {
    QByteArray mountPoint;
    QString label;
    QByteArray fileSystemType;

    QString displayName() const;
};

namespace Volumes {
QList<Volume> mounted();
bool isPseudoFileSystem(const QByteArray& type);
// Index of the volume that holds path (the longest mount point above it), or -1.
int indexOfVolumeHolding(const QList<Volume>& volumes, const QByteArray& path);
} // namespace Volumes
