#include "FileList/TFileListView.h"
#include "app/TfrmMain.h"
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

// The walk's view of the window: the directory in the status line, and a
// turn for pending events so that "STOP" and painting stay live.
class WindowProgress : public SearchProgress {
public:
    explicit WindowProgress(TfrmMain& window)
        : m_window(window)
    {
    }
    void showDirectory(const QByteArray& path) override
    {
        m_window.setStatusText(QFile::decodeName(path));
        m_window.statusBar()->repaint();
    }
    void letEventsRun() override { QCoreApplication::processEvents(); }

private:
    TfrmMain& m_window;
};

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
    lockForSearch();
    try {
        runSearch(patterns);
    } catch (...) {
        StopSearch = true;
        unlockAfterSearch();
        throw;
    }
    unlockAfterSearch();
    if (m_closeRequested) {
        m_closeRequested = false;
        close();
    }
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

void TfrmMain::lockForSearch()
{
    StopSearch = false;
    m_state = State::SearchRunning;
    for (QWidget* w :
         std::initializer_list<QWidget*>{DriveComboBox1, Dirs, ToDelete, ToolButton6, ToolButton7,
                                         ToolButton19, ToolButton1, ToolButton3})
        w->setEnabled(false);
    ToolButton4->setText(QStringLiteral("STOP"));
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        w->setEnabled(false);
    Found->clear();
    Patterns->hide();
    Found->show();
}

void TfrmMain::unlockAfterSearch()
{
    m_state = State::SearchResults;
    for (QWidget* w :
         std::initializer_list<QWidget*>{ToolButton4, DriveComboBox1, Dirs, ToDelete, ToolButton6,
                                         ToolButton7, ToolButton19, ToolButton1, ToolButton3})
        w->setEnabled(true);
    ToolButton4->setText(QStringLiteral("Start search"));
    BitBtn1->setText(QStringLiteral("Delete"));
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        w->setEnabled(true);
}
