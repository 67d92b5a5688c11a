#pragma once

#include "platform/Volumes.h"

#include <QComboBox>
#include <QHash>

class DirectoryListBox;

// The drive picker: the mounted volumes, bound to a directory list. Choosing
// a volume shows the directory last shown on it, or its root.
class DriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveComboBox(QWidget* parent = nullptr);

    void setDirList(DirectoryListBox* dirs);
    void setVolumes(const QList<Volume>& volumes);
    const QList<Volume>& volumes() const { return m_volumes; }
    // Switches the directory list; throws IoError when the volume cannot be
    // opened, and then keeps showing the chosen volume.
    void chooseVolume(int index);

    void showPopup() override;

private:
    void followDirectory(const QByteArray& path);

    DirectoryListBox* m_dirs = nullptr;
    QList<Volume> m_volumes;
    QHash<QByteArray, QByteArray> m_lastDirectory;
};
