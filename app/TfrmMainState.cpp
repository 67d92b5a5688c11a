#include "FileList/TFileListView.h"
#include "app/TfrmMain.h"
#include "platform/DirectoryListBox.h"
#include "platform/DriveComboBox.h"
#include "settings/PatternListBox.h"

#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

// The window's state table: which controls are shown and enabled, and how
// the two walking buttons and the delete button read, in each state.
void TfrmMain::setState(State state)
{
    m_state = state;
    const bool idle = state == State::PatternView || state == State::SearchResults ||
                      state == State::CrunchResults;
    const bool results = state == State::SearchResults || state == State::CrunchResults;
    const bool searching = state == State::SearchRunning || state == State::BuildingList;

    Patterns->setVisible(state == State::PatternView);
    Found->setVisible(state != State::PatternView);
    for (QWidget* w :
         std::initializer_list<QWidget*>{DriveComboBox1, Dirs, ToDelete, BitBtn2, BitBtn4,
                                         ToolButton7, ToolButton6, ToolButton1, ToolButton3})
        w->setEnabled(idle);

    ToolButton4->setText(searching ? QStringLiteral("STOP") : QStringLiteral("Start search"));
    ToolButton4->setEnabled(idle || state == State::SearchRunning);
    ToolButton19->setText(state == State::CrunchRunning ? QStringLiteral("STOP")
                                                        : QStringLiteral("OLE-Crunch"));
    ToolButton19->setEnabled(idle || state == State::CrunchRunning);

    if (state == State::SearchResults)
        BitBtn1->setText(QStringLiteral("Delete"));
    if (state == State::CrunchResults)
        BitBtn1->setText(QStringLiteral("Crunch"));
    BitBtn1->setEnabled(results);
    BitBtn3->setEnabled(results);

    if (idle)
        StopSearch = true;
    else if (state != State::BuildingList)
        StopSearch = false;
}
