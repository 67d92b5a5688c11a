#include "FileList/TFileListView.h"
#include "app/TfrmMain.h"
#include "app/WindowProgress.h"
#include "cleanup/StorageFileSearch.h"
#include "platform/MessageBoxes.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QStatusBar>

namespace {

constexpr qint64 RepaintEveryMs = 100;

} // namespace

// Lists every compound file under the directories to search; a click while
// the walk runs is a stop request.
void TfrmMain::ToolButton19Click()
{
    if (ToDelete->count() == 0) {
        MessageBoxes::showMessage(
            this, QStringLiteral("You must select at least one directory to search!"));
        return;
    }
    if (m_state == State::CrunchRunning) {
        StopSearch = true;
        return;
    }
    lockForWalk(State::CrunchRunning);
    try {
        findStorageFiles();
    } catch (...) {
        unlockAfterWalk(State::CrunchRunning);
        throw;
    }
    finishWalk(State::CrunchRunning);
    setStatusText(QStringLiteral("Found %1 files!").arg(Found->count()));
    StatusBar1->repaint();
}

// Rows appear as files are met; the list is painted a few times a second.
void TfrmMain::findStorageFiles()
{
    WindowProgress progress(*this);
    QElapsedTimer sincePaint;
    sincePaint.start();
    StorageFileSearch finder(StopSearch, progress, [&](const QByteArray& path) {
        qint64 size = 0;
        Found->AddFile(path, size);
        if (sincePaint.elapsed() >= RepaintEveryMs) {
            Found->repaint();
            sincePaint.restart();
        }
    });
    for (int i = 0; i < ToDelete->count(); ++i)
        finder.FindStorageFiles(ToDelete->item(i)->data(Qt::UserRole).toByteArray());
    Found->repaint();
}
