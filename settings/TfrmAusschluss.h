#pragma once

#include "settings/FixedDialog.h"

#include <QStringList>
#include <functional>

class DirectoryListBox;
class DriveComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// The exclusion dialog: picks the directories the search leaves out. It
// works on a copy; "&Okay" replaces the main window's list and saves it.
class TfrmAusschluss : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmAusschluss(QWidget* parent = nullptr);

    // The list the dialog edits, and how that list is saved.
    void setExcludeList(QStringList* excludeList, std::function<void()> save);

public Q_SLOTS:
    void FormActivate();
    void DirsClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    DriveComboBox* DriveComboBox1;
    DirectoryListBox* Dirs;
    QLabel* Label1;
    QListWidget* ToIgnore;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;

    QStringList* m_excludeList = nullptr;
    std::function<void()> m_save;
};
