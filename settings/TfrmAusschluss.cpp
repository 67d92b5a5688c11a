#include "settings/TfrmAusschluss.h"

#include "platform/DirectoryListBox.h"
#include "platform/DriveComboBox.h"
#include "platform/Volumes.h"
#include "settings/ClassicWidgets.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using ClassicWidgets::glyphButton;
using ClassicWidgets::place;

TfrmAusschluss::TfrmAusschluss(QWidget* parent)
    : FixedDialog(parent, "frmAusschluss", QStringLiteral("Exclude directories"), 632, 210)
{
    DriveComboBox1 = place(new DriveComboBox(this), "DriveComboBox1", {8, 16, 249, 19});
    Dirs = place(new DirectoryListBox(this), "Dirs", {8, 40, 249, 97});
    DriveComboBox1->setDirList(Dirs);
    DriveComboBox1->setVolumes(Volumes::mounted());
    Dirs->showWorkingDirectory();
    Label1 = place(new QLabel(QStringLiteral("Directories to exclude during the search:"), this),
                   "Label1", {376, 24, 0, 0});
    Label1->adjustSize();
    ToIgnore = place(new QListWidget(this), "ToIgnore", {376, 40, 249, 97});
    ToIgnore->setSelectionMode(QAbstractItemView::SingleSelection);
    BitBtn1 = place(glyphButton(this, "right", {}), "BitBtn1", {280, 56, 75, 25});
    BitBtn2 = place(glyphButton(this, "left", {}), "BitBtn2", {280, 96, 75, 25});
    BitBtn3 =
        place(glyphButton(this, "done", QStringLiteral("&Okay")), "BitBtn3", {440, 176, 75, 25});
    BitBtn4 = place(glyphButton(this, "cancel", QStringLiteral("&Cancel")), "BitBtn4",
                    {536, 176, 75, 25});
    BitBtn1->setToolTip(QStringLiteral("Exclude the directory shown"));
    BitBtn2->setToolTip(QStringLiteral("Remove the selected directory"));

    connect(Dirs, &QTreeWidget::itemClicked, this, &TfrmAusschluss::DirsClick);
    connect(Dirs, &QTreeWidget::itemActivated, this, &TfrmAusschluss::DirsClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmAusschluss::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmAusschluss::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmAusschluss::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmAusschluss::setExcludeList(QStringList* excludeList, std::function<void()> save)
{
    m_excludeList = excludeList;
    m_save = std::move(save);
}

void TfrmAusschluss::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    FormActivate();
}

void TfrmAusschluss::FormActivate()
{
    ToIgnore->clear();
    if (m_excludeList)
        ToIgnore->addItems(*m_excludeList);
}

void TfrmAusschluss::DirsClick()
{
    Dirs->openCurrentItem();
}

void TfrmAusschluss::BitBtn1Click()
{
    ToIgnore->addItem(QFile::decodeName(Dirs->directoryEntry()));
}

void TfrmAusschluss::BitBtn2Click()
{
    const QList<QListWidgetItem*> selected = ToIgnore->selectedItems();
    if (!selected.isEmpty())
        delete selected.first();
}

// Closes with OK even when the save fails; the failure goes on to the
// application's handler.
void TfrmAusschluss::BitBtn3Click()
{
    if (m_excludeList) {
        m_excludeList->clear();
        for (int i = 0; i < ToIgnore->count(); ++i)
            m_excludeList->append(ToIgnore->item(i)->text());
    }
    accept();
    if (m_save)
        m_save();
}
