#include "FileList/TFileListView.h"
#include "app/TfrmMain.h"
#include "app/WindowProgress.h"
#include "platform/DirectoryListBox.h"
#include "platform/DriveComboBox.h"
#include "platform/FileAttributes.h"
#include "platform/MessageBoxes.h"
#include "search/JunkSearch.h"
#include "search/SizeText.h"
#include "settings/PatternListBox.h"
#include "settings/TfrmOptionen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

namespace {

constexpr qint64 RepaintEveryMs = 100;

} // namespace

bool TfrmMain::option(int o) const
{
    return m_options ? m_options->option(Option(o)) : true;
}

// A click while a search runs is a stop request, and so is a second one.
void TfrmMain::ToolButton4Click()
{
    if (m_state == State::SearchRunning || m_state == State::BuildingList) {
        StopSearch = true;
        return;
    }
    const QStringList patterns = Patterns->checkedPatterns();
    if (ToDelete->count() == 0) {
        MessageBoxes::showMessage(
            this, QStringLiteral("You must select at least one directory to search!"));
        return;
    }
    if (patterns.isEmpty()) {
        MessageBoxes::showMessage(this,
                                  QStringLiteral("You must select at least one search pattern!"));
        return;
    }
    lockForWalk(State::SearchRunning);
    try {
        runSearch(patterns);
    } catch (...) {
        unlockAfterWalk(State::SearchRunning);
        throw;
    }
    finishWalk(State::SearchRunning);
}

void TfrmMain::runSearch(const QStringList& patterns)
{
    SearchOptions options;
    options.patterns = patterns;
    options.ignoreEmpty = option(o_0byte);
    options.ignoreAttributes = (option(o_ro) ? FileAttributes::ReadOnly : 0) |
                               (option(o_system) ? FileAttributes::System : 0) |
                               (option(o_hidden) ? FileAttributes::Hidden : 0);
    WindowProgress progress(*this);
    JunkSearch search(options, ExcludeList, StopSearch, progress);
    for (int i = 0; i < ToDelete->count(); ++i)
        search.SearchDirectory(ToDelete->item(i)->data(Qt::UserRole).toByteArray(),
                               search.maskList());

    m_state = State::BuildingList;
    ToolButton4->setEnabled(false);
    ToolButton4->repaint();
    setStatusText(QStringLiteral("One moment please...building files list!"));
    StatusBar1->repaint();
    const qint64 total = listFound(search.FoundNames());
    StopSearch = true;
    setStatusText(QStringLiteral("Found %1 in %2 potential trash files!")
                      .arg(SizeText(total))
                      .arg(Found->count()));
    StatusBar1->repaint();
}

// The list is painted a few times a second while it fills, not per row.
qint64 TfrmMain::listFound(const QList<QByteArray>& names)
{
    qint64 total = 0;
    QElapsedTimer sincePaint;
    sincePaint.start();
    for (const QByteArray& name : names) {
        qint64 size = 0;
        if (Found->AddFile(name, size))
            total += size;
        if (sincePaint.elapsed() >= RepaintEveryMs) {
            Found->repaint();
            sincePaint.restart();
        }
    }
    Found->repaint();
    return total;
}

// The order in which controls change is part of each walk's contract.
void TfrmMain::lockForWalk(State walk)
{
    const bool search = walk == State::SearchRunning;
    StopSearch = false;
    m_state = walk;
    for (QWidget* w : std::initializer_list<QWidget*>{
             DriveComboBox1, Dirs, ToDelete, ToolButton6, ToolButton7,
             search ? ToolButton19 : ToolButton4, ToolButton1, ToolButton3})
        w->setEnabled(false);
    (search ? ToolButton4 : ToolButton19)->setText(QStringLiteral("STOP"));
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        w->setEnabled(false);
    Found->clear();
    if (search) {
        Patterns->hide();
        Found->show();
    } else {
        Found->show();
        Patterns->hide();
    }
}

void TfrmMain::unlockAfterWalk(State walk)
{
    const bool search = walk == State::SearchRunning;
    m_state = search ? State::SearchResults : State::CrunchResults;
    StopSearch = true;
    const std::initializer_list<QWidget*> searchOrder{ToolButton4,  DriveComboBox1, Dirs,
                                                      ToDelete,     ToolButton6,    ToolButton7,
                                                      ToolButton19, ToolButton1,    ToolButton3};
    const std::initializer_list<QWidget*> crunchOrder{DriveComboBox1, Dirs,        ToDelete,
                                                      ToolButton6,    ToolButton7, ToolButton4,
                                                      ToolButton1,    ToolButton3};
    for (QWidget* w : search ? searchOrder : crunchOrder)
        w->setEnabled(true);
    if (search)
        ToolButton4->setText(QStringLiteral("Start search"));
    else
        ToolButton19->setText(QStringLiteral("OLE-Crunch"));
    BitBtn1->setText(search ? QStringLiteral("Delete") : QStringLiteral("Crunch"));
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        w->setEnabled(true);
}

void TfrmMain::finishWalk(State walk)
{
    unlockAfterWalk(walk);
    if (m_closeRequested) {
        m_closeRequested = false;
        close();
    }
}
