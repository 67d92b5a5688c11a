#include "platform/DriveComboBox.h"

#include "platform/DirectoryListBox.h"

#include <QSignalBlocker>

DriveComboBox::DriveComboBox(QWidget* parent)
    : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, &DriveComboBox::chooseVolume);
}

void DriveComboBox::setDirList(DirectoryListBox* dirs)
{
    m_dirs = dirs;
    connect(dirs, &DirectoryListBox::directoryChanged, this, &DriveComboBox::followDirectory);
}

void DriveComboBox::setVolumes(const QList<Volume>& volumes)
{
    const QSignalBlocker block(this);
    const QByteArray shown = currentIndex() >= 0 && currentIndex() < m_volumes.size()
                                 ? m_volumes[currentIndex()].mountPoint
                                 : QByteArray();
    m_volumes = volumes;
    clear();
    for (const Volume& v : volumes)
        addItem(v.displayName());
    int keep = -1;
    for (int i = 0; i < volumes.size(); ++i)
        if (volumes[i].mountPoint == shown)
            keep = i;
    if (keep < 0 && m_dirs)
        keep = Volumes::indexOfVolumeHolding(volumes, m_dirs->directory());
    setCurrentIndex(keep);
}

// Volumes come and go (a stick is plugged in), so the list is read anew.
void DriveComboBox::showPopup()
{
    setVolumes(Volumes::mounted());
    QComboBox::showPopup();
}

void DriveComboBox::chooseVolume(int index)
{
    if (index < 0 || index >= m_volumes.size() || !m_dirs)
        return;
    const QByteArray root = m_volumes[index].mountPoint;
    m_dirs->setDirectory(m_lastDirectory.value(root, root));
}

void DriveComboBox::followDirectory(const QByteArray& path)
{
    const int i = Volumes::indexOfVolumeHolding(m_volumes, path);
    if (i < 0)
        return;
    m_lastDirectory.insert(m_volumes[i].mountPoint, path);
    const QSignalBlocker block(this);
    setCurrentIndex(i);
}
