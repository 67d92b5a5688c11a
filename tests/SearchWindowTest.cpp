#include "FileList/TFileListView.h"
#include "MainWindowFixture.h"
#include "ModalAnswer.h"
#include "TestFiles.h"
#include "platform/DirectoryListBox.h"
#include "settings/PatternListBox.h"

#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Records the order in which controls are enabled and disabled.
class EnableLog : public QObject {
public:
    QStringList log;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::EnabledChange)
            log << (static_cast<QWidget*>(o)->isEnabled() ? "+" : "-") + o->objectName();
        return false;
    }
};

class SearchWindowTest : public MainWindowFixture {
protected:
    QTemporaryDir tmp;
    QByteArray root = QFile::encodeName(QDir(tmp.path()).canonicalPath());

    SearchWindowTest() { options.setOptions({true, true, true, true, true, true}); }
    void addRoot(const QByteArray& dir)
    {
        QDir().mkpath(QFile::decodeName(dir));
        child<DirectoryListBox>("Dirs")->setDirectory(dir);
        window.BitBtn2Click();
    }
    void checkPattern(const QString& pattern)
    {
        auto* list = child<PatternListBox>("Patterns");
        list->addPattern(pattern);
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == pattern)
                list->item(i)->setCheckState(Qt::Checked);
    }
    QStringList messagesOfClick()
    {
        return textsOf(answerMessages(QMessageBox::Ok, [this] { window.ToolButton4Click(); }));
    }
};

TEST_F(SearchWindowTest, DirectoriesAreAskedForBeforePatterns)
{
    EXPECT_EQ(messagesOfClick(),
              QStringList({"You must select at least one directory to search!"}));
    addRoot(root + "/a");
    EXPECT_EQ(messagesOfClick(), QStringList({"You must select at least one search pattern!"}));
    EXPECT_EQ(window.state(), TfrmMain::State::PatternView);
}

TEST_F(SearchWindowTest, ListsTheHitsWithTheSummaryAndUnlocks)
{
    TestFiles::write(root + "/x.tmp", QByteArray(3000, 'x'));
    TestFiles::write(root + "/y.TMP", "yy");
    TestFiles::write(root + "/z.txt", "z");
    addRoot(root);
    checkPattern("*.tmp");
    window.setState(TfrmMain::State::CrunchResults); // leaves "Crunch" on the button
    EXPECT_TRUE(messagesOfClick().isEmpty());
    auto* found = child<TFileListView>("Found");
    ASSERT_EQ(found->count(), 2);
    EXPECT_EQ(found->filePath(0), root + "/y.TMP"); // smallest first
    EXPECT_EQ(window.statusText(), "Found ~2 Kilobytes in 2 potential trash files!");
    EXPECT_EQ(child<QPushButton>("BitBtn1")->text(), "Delete");
    EXPECT_TRUE(child("BitBtn1")->isEnabled());
    EXPECT_TRUE(child("Patterns")->isHidden());
    EXPECT_TRUE(window.StopSearch);
}

TEST_F(SearchWindowTest, NothingFoundStillEndsInTheResultView)
{
    addRoot(root + "/empty");
    checkPattern("*.tmp");
    window.ToolButton4Click();
    EXPECT_EQ(window.statusText(), "Found 0 Byte in 0 potential trash files!");
    EXPECT_TRUE(child("BitBtn1")->isEnabled());
    EXPECT_EQ(window.state(), TfrmMain::State::SearchResults);
}

// Which controls change, in which order, while one click runs.
QStringList enableChanges(TfrmMain& window, const std::function<void()>& click)
{
    EnableLog log;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (!w->objectName().isEmpty())
            w->installEventFilter(&log);
    click();
    QStringList controls;
    for (const QString& entry : log.log)
        if (!entry.contains("qt_") && !entry.contains("Client") && !entry.contains("Label") &&
            entry.mid(1) != "Found" && entry.mid(1) != "Patterns")
            controls << entry;
    return controls;
}

TEST_F(SearchWindowTest, LocksAndUnlocksInTheDocumentedOrder)
{
    addRoot(root);
    checkPattern("*.tmp");
    EXPECT_EQ(enableChanges(window, [this] { window.ToolButton4Click(); }),
              QStringList({"-DriveComboBox1", "-Dirs",         "-ToDelete",    "-ToolButton6",
                           "-ToolButton7",    "-ToolButton19", "-ToolButton1", "-ToolButton3",
                           "-BitBtn2",        "-BitBtn4",      "-ToolButton4", "+ToolButton4",
                           "+DriveComboBox1", "+Dirs",         "+ToDelete",    "+ToolButton6",
                           "+ToolButton7",    "+ToolButton19", "+ToolButton1", "+ToolButton3",
                           "+BitBtn1",        "+BitBtn2",      "+BitBtn3",     "+BitBtn4"}));
    window.BitBtn3Click(); // back to the pattern view: BitBtn1 and BitBtn3 off again
    EXPECT_EQ(enableChanges(window, [this] { window.ToolButton19Click(); }),
              QStringList({"-DriveComboBox1", "-Dirs",        "-ToDelete",       "-ToolButton6",
                           "-ToolButton7",    "-ToolButton4", "-ToolButton1",    "-ToolButton3",
                           "-BitBtn2",        "-BitBtn4",     "+DriveComboBox1", "+Dirs",
                           "+ToDelete",       "+ToolButton6", "+ToolButton7",    "+ToolButton4",
                           "+ToolButton1",    "+ToolButton3", "+BitBtn1",        "+BitBtn2",
                           "+BitBtn3",        "+BitBtn4"}));
}

TEST_F(SearchWindowTest, StopListsWhatWasFoundAndSkipsLaterRoots)
{
    addRoot(root + "/first");
    addRoot(root + "/second");
    for (int i = 0; i < 300; ++i)
        TestFiles::write(root + "/first/" + QByteArray::number(i) + ".tmp", "x");
    TestFiles::write(root + "/second/last.tmp", "x");
    checkPattern("*.tmp");
    // The first turn the walk gives to events delivers STOP, and a second STOP.
    QMetaObject::invokeMethod(
        &window, [this] { window.ToolButton4Click(); }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        &window, [this] { window.ToolButton4Click(); }, Qt::QueuedConnection);
    window.ToolButton4Click();
    auto* found = child<TFileListView>("Found");
    for (int i = 0; i < found->count(); ++i)
        EXPECT_FALSE(found->filePath(i).contains("second")) << found->filePath(i).constData();
    EXPECT_TRUE(window.statusText().startsWith("Found "));
    EXPECT_EQ(window.state(), TfrmMain::State::SearchResults);
    EXPECT_EQ(child<QToolButton>("ToolButton4")->text(), "Start search");
}

TEST_F(SearchWindowTest, ClosingDuringTheWalkStopsItThenCloses)
{
    addRoot(root + "/tree");
    for (int i = 0; i < 300; ++i)
        TestFiles::write(root + "/tree/" + QByteArray::number(i) + ".tmp", "x");
    checkPattern("*.tmp");
    window.show();
    QMetaObject::invokeMethod(
        &window, [this] { window.close(); }, Qt::QueuedConnection);
    window.ToolButton4Click();
    QApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.state(), TfrmMain::State::SearchResults);
    EXPECT_TRUE(child("ToolButton3")->isEnabled());
}

} // namespace
