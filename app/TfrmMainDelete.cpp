#include "FileList/TFileListView.h"
#include "app/TfrmMain.h"
#include "cleanup/FoundFiles.h"
#include "cleanup/OleCrunch.h"
#include "platform/MessageBoxes.h"
#include "platform/ShellDelete.h"
#include "search/SizeText.h"
#include "settings/Options.h"

#include <QFile>
#include <QPushButton>
#include <QStatusBar>

// The button's caption is its mode: "Delete" after a search, "Crunch" after
// an OLE-Crunch walk.
void TfrmMain::BitBtn1Click()
{
    if (BitBtn1->text() == QLatin1String("Delete"))
        deleteSelected();
    else
        crunchSelected();
}

void TfrmMain::deleteSelected()
{
    if (!MessageBoxes::askYesNo(this, QStringLiteral("Kehrwerk"),
                                QStringLiteral("Are you sure to delete the\nselected files?")))
        return;
    const QList<int> selected = Found->selectedRows();
    QList<int> removed;
    qint64 gained = 0;
    if (option(o_trash)) {
        QList<QByteArray> paths;
        for (auto row = selected.crbegin(); row != selected.crend(); ++row)
            paths.append(Found->filePath(*row));
        ShellDelete(this).run(paths, true);
        // A file that is gone now counts, whoever removed it.
        for (auto row = selected.crbegin(); row != selected.crend(); ++row)
            if (!FoundFiles::exists(Found->filePath(*row)))
                removed.append(*row);
    } else {
        for (auto row = selected.crbegin(); row != selected.crend(); ++row) {
            const QByteArray path = Found->filePath(*row);
            if (!FoundFiles::exists(path))
                continue;
            if (FoundFiles::deletePermanently(path) != 0) {
                MessageBoxes::showMessage(
                    this, QStringLiteral("The file: \n\n") + Found->caption(*row) +
                              QStringLiteral("\n\ncannot be deleted!\n\n") +
                              QStringLiteral("Maybe it is use by another application."));
                continue;
            }
            removed.append(*row);
        }
    }
    for (int row : removed)
        gained += Found->sizeOf(row);
    Found->removeRows(removed);
    setStatusText(QStringLiteral("Gained %1 by deleting %2 trash files!")
                      .arg(SizeText(gained))
                      .arg(removed.size()));
    StatusBar1->repaint();
}

// Every selected row leaves the list and counts, whatever its compaction did.
void TfrmMain::crunchSelected()
{
    const QList<int> selected = Found->selectedRows();
    qint64 gained = 0;
    for (auto row = selected.crbegin(); row != selected.crend(); ++row)
        gained += CrunchFile(Found->filePath(*row));
    Found->removeRows(selected);
    setStatusText(QStringLiteral("Gained %1 by crunching  %2 files!")
                      .arg(SizeText(gained))
                      .arg(selected.size()));
    StatusBar1->repaint();
}

qint64 TfrmMain::CrunchFile(const QByteArray& path)
{
    const OleCrunch::Outcome outcome = OleCrunch(m_helperPath).crunch(path, option(o_backup));
    if (outcome.message == OleCrunch::Message::OpeningFailed)
        MessageBoxes::showMessage(this, QStringLiteral("Error opening file ") +
                                            QFile::decodeName(path) + QStringLiteral(".KW2"));
    else if (outcome.message == OleCrunch::Message::CrunchingFailed)
        MessageBoxes::showMessage(this, QStringLiteral("Error during crunching."));
    return outcome.gain;
}
