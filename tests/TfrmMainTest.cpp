#include "app/TfrmMain.h"

#include "FileList/TFileListView.h"
#include "app/KehrwerkApplication.h"
#include "platform/DirectoryListBox.h"
#include "platform/DriveComboBox.h"
#include "platform/IoError.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using State = TfrmMain::State;

class TfrmMainTest : public ::testing::Test {
protected:
    QString startDir = QDir::currentPath();
    TfrmMain window;
    QTemporaryDir tmp;

    ~TfrmMainTest() override { QDir::setCurrent(startDir); }

    template <typename T = QWidget> T* child(const char* name)
    {
        T* w = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    DirectoryListBox* dirs() { return child<DirectoryListBox>("Dirs"); }
    QStringList toDelete()
    {
        QStringList out;
        for (int i = 0; i < child<QListWidget>("ToDelete")->count(); ++i)
            out << child<QListWidget>("ToDelete")->item(i)->text();
        return out;
    }
    // Runs f from the event loop, as a click would, so that what it throws
    // goes through the application object.
    template <typename F> void fromEventLoop(F f)
    {
        QMetaObject::invokeMethod(&window, f, Qt::QueuedConnection);
        QApplication::processEvents();
    }
    // Answers every message window that opens within the next moments and
    // returns their texts.
    QStringList messagesDuring(const std::function<void()>& action)
    {
        QStringList texts;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        watcher.start(10);
        action();
        return texts;
    }
};

TEST_F(TfrmMainTest, ControlsSitWhereTheFormPutsThem)
{
    EXPECT_EQ(window.size(), QSize(632, 393));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.windowTitle(), "Kehrwerk 2.0  Kehrwerk developers");
    const struct {
        const char* name;
        QRect rect;
    } places[] = {{"DriveComboBox1", {8, 8, 249, 19}}, {"Dirs", {8, 32, 249, 73}},
                  {"BitBtn2", {278, 32, 75, 25}},      {"BitBtn4", {278, 72, 75, 25}},
                  {"ToDelete", {376, 32, 249, 73}},    {"Bevel2", {0, 112, 633, 9}},
                  {"Patterns", {8, 120, 617, 153}},    {"Found", {8, 120, 617, 153}},
                  {"BitBtn1", {238, 280, 75, 25}},     {"BitBtn3", {334, 280, 75, 25}},
                  {"ToolBar1", {0, 317, 632, 57}}};
    for (const auto& p : places)
        EXPECT_EQ(child(p.name)->geometry(), p.rect) << p.name;
    EXPECT_EQ(child<QLabel>("Label1")->pos(), QPoint(376, 16));
    EXPECT_EQ(child<QLabel>("Label1")->text(), "Directories to search:");
    EXPECT_EQ(child<QStatusBar>("StatusBar1")->height(), 19);
    EXPECT_FALSE(child<QStatusBar>("StatusBar1")->isSizeGripEnabled());
}

TEST_F(TfrmMainTest, ToolBarButtonsAndGlyphs)
{
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"ToolButton4", "Start search"}, {"ToolButton7", "Empty TMP-Dir"},
                   {"ToolButton19", "OLE-Crunch"},  {"ToolButton6", "Options"},
                   {"ToolButton1", "Help"},         {"ToolButton3", "Exit"}};
    window.show(); // the tool bar is laid out when shown
    int left = -1;
    for (const auto& b : buttons) {
        auto* button = child<QToolButton>(b.name);
        EXPECT_EQ(button->text(), b.caption);
        EXPECT_EQ(button->height(), 52);
        EXPECT_FALSE(button->icon().pixmap(32, 32).isNull()) << b.name;
        EXPECT_GT(button->x(), left) << "order of " << b.name;
        EXPECT_LE(button->geometry().right(), 632) << b.name << " must not be cut off";
        left = button->x();
    }
    for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4"})
        EXPECT_FALSE(child<QPushButton>(name)->icon().isNull()) << name;
    EXPECT_EQ(child<QPushButton>("BitBtn1")->text(), "Delete");
    EXPECT_EQ(child<QPushButton>("BitBtn3")->text(), "Done");
    EXPECT_TRUE(child<QPushButton>("BitBtn2")->text().isEmpty());
}

TEST_F(TfrmMainTest, StartsInThePatternViewWithTheWelcomeText)
{
    EXPECT_EQ(window.statusText(), QString(85, u' ') + "Welcome to Kehrwerk!");
    EXPECT_TRUE(window.StopSearch);
    EXPECT_TRUE(window.ExcludeList.isEmpty());
    EXPECT_EQ(window.state(), State::PatternView);
    EXPECT_EQ(QFile::decodeName(dirs()->directory()), QDir(startDir).canonicalPath());
    auto* found = child<TFileListView>("Found");
    QStringList columns;
    for (int i = 0; i < found->columnCount(); ++i)
        columns << found->columnCaption(i);
    EXPECT_EQ(columns, QStringList({"Filename", "Filesize", "Type", "Date", "Attr"}));
    EXPECT_EQ(found->sortType(), TFileListView::stBoth);
    EXPECT_TRUE(found->isHidden());
}

TEST_F(TfrmMainTest, AddingAndRemovingDirectoriesToSearch)
{
    dirs()->setDirectory("/");
    window.BitBtn2Click();
    dirs()->setDirectory(QFile::encodeName(tmp.path()));
    window.BitBtn2Click();
    window.BitBtn2Click();
    const QString t = QDir(tmp.path()).canonicalPath() + "/";
    EXPECT_EQ(toDelete(), QStringList({"/", t, t}));

    auto* list = child<QListWidget>("ToDelete");
    list->clearSelection();
    window.BitBtn4Click(); // nothing selected: nothing happens
    EXPECT_EQ(toDelete().size(), 3);
    list->item(1)->setSelected(true);
    window.BitBtn4Click();
    EXPECT_EQ(toDelete(), QStringList({"/", t}));
}

TEST_F(TfrmMainTest, DirsOpensAClickedDirectoryAndStaysWhenItCannot)
{
    const QByteArray root = QFile::encodeName(QDir(tmp.path()).canonicalPath());
    ASSERT_TRUE(QDir(tmp.path()).mkpath("open/deeper"));
    ASSERT_TRUE(QDir(tmp.path()).mkpath("vanishing"));
    dirs()->setDirectory(root);
    auto clickOn = [&](const QByteArray& path) {
        for (QTreeWidgetItemIterator it(dirs()); *it; ++it)
            if (dirs()->pathOf(*it) == path)
                dirs()->setCurrentItem(*it);
        fromEventLoop([this] { window.DirsClick(); });
    };
    clickOn(root + "/open");
    EXPECT_EQ(dirs()->directory(), root + "/open");
    EXPECT_EQ(QDir::currentPath(), QFile::decodeName(root + "/open"));
    clickOn(root); // back up through the path
    EXPECT_EQ(dirs()->directory(), root);

    ASSERT_TRUE(QDir(tmp.path()).rmdir("vanishing"));
    const QStringList shown = messagesDuring([&] { clickOn(root + "/vanishing"); });
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(dirs()->directory(), root);
    EXPECT_EQ(QDir::currentPath(), QFile::decodeName(root));
}

TEST_F(TfrmMainTest, DrivePickerReturnsToTheLastDirectoryOfAVolume)
{
    const QByteArray a = QFile::encodeName(QDir(tmp.path()).canonicalPath());
    ASSERT_TRUE(QDir(tmp.path()).mkpath("sub"));
    auto* picker = child<DriveComboBox>("DriveComboBox1");
    picker->setVolumes({{"/", {}, "ext4"}, {a, "TEST", "vfat"}, {a + "/gone", {}, "vfat"}});
    dirs()->setDirectory(QFile::encodeName(startDir));
    picker->chooseVolume(1);
    EXPECT_EQ(dirs()->directory(), a);
    dirs()->setDirectory(a + "/sub");
    picker->chooseVolume(0); // where the window started, on the root volume
    EXPECT_EQ(QFile::decodeName(dirs()->directory()), QDir(startDir).canonicalPath());
    picker->chooseVolume(1);
    EXPECT_EQ(dirs()->directory(), a + "/sub");

    // A volume that cannot be opened: Dirs stays, the picker shows the choice.
    picker->setCurrentIndex(2);
    fromEventLoop([picker] { picker->chooseVolume(2); });
    EXPECT_EQ(dirs()->directory(), a + "/sub");
    EXPECT_EQ(picker->currentIndex(), 2);
}

TEST_F(TfrmMainTest, DriveNotReadyIsReportedOnceAndOtherFailuresSilently)
{
    QStringList shown = messagesDuring([&] {
        fromEventLoop([] { throw IoError(ENOMEDIUM, "/media/cdrom"); });
        QApplication::processEvents();
    });
    EXPECT_EQ(shown, QStringList({"The selected drive cannot be accessed!"}));

    shown = messagesDuring([&] {
        fromEventLoop([] { throw IoError(EACCES, "/root"); });
        fromEventLoop([] { throw std::runtime_error("anything else"); });
    });
    EXPECT_TRUE(shown.isEmpty());

    bool stillUsable = false;
    fromEventLoop([&] { stillUsable = true; });
    EXPECT_TRUE(stillUsable);
}

TEST_F(TfrmMainTest, ASaveThatFailedIsReportedNamingTheFile)
{
    const QStringList shown = messagesDuring([&] {
        fromEventLoop(
            [] { throw IoError(ENOSPC, "/opt/kehrwerk/kw2.ini", IoError::Access::Save); });
    });
    EXPECT_EQ(shown, QStringList({"/opt/kehrwerk/kw2.ini\n\ncannot be saved: No space left on "
                                  "device.\nIt keeps what it held before."}));
}

TEST_F(TfrmMainTest, DoneReturnsToThePatternViewAndKeepsTheButtonCaption)
{
    window.setState(State::CrunchResults);
    EXPECT_EQ(child<QPushButton>("BitBtn1")->text(), "Crunch");
    window.BitBtn3Click();
    EXPECT_TRUE(child<TFileListView>("Found")->isHidden());
    EXPECT_FALSE(child("Patterns")->isHidden());
    EXPECT_FALSE(child("BitBtn1")->isEnabled());
    EXPECT_FALSE(child("BitBtn3")->isEnabled());
    EXPECT_EQ(child<QPushButton>("BitBtn1")->text(), "Crunch");
    window.setState(State::SearchResults);
    EXPECT_EQ(child<QPushButton>("BitBtn1")->text(), "Delete");
}

// The window's six states against the table of what each control does.
TEST_F(TfrmMainTest, StateTable)
{
    const struct {
        State state;
        bool patterns, inputs, tb4;
        const char* tb4Caption;
        bool tb19;
        const char* tb19Caption;
        bool others, bitBtn1, done, stop;
    } rows[] = {
        {State::PatternView, true, true, true, "Start search", true, "OLE-Crunch", true, false,
         false, true},
        {State::SearchRunning, false, false, true, "STOP", false, "OLE-Crunch", false, false, false,
         false},
        {State::BuildingList, false, false, false, "STOP", false, "OLE-Crunch", false, false, false,
         false},
        {State::SearchResults, false, true, true, "Start search", true, "OLE-Crunch", true, true,
         true, true},
        {State::CrunchRunning, false, false, false, "Start search", true, "STOP", false, false,
         false, false},
        {State::CrunchResults, false, true, true, "Start search", true, "OLE-Crunch", true, true,
         true, true},
    };
    for (const auto& r : rows) {
        window.setState(r.state);
        SCOPED_TRACE(int(r.state));
        EXPECT_EQ(!child("Patterns")->isHidden(), r.patterns);
        EXPECT_EQ(child("Found")->isHidden(), r.patterns);
        for (const char* name : {"DriveComboBox1", "Dirs", "ToDelete", "BitBtn2", "BitBtn4"})
            EXPECT_EQ(child(name)->isEnabled(), r.inputs) << name;
        EXPECT_EQ(child("ToolButton4")->isEnabled(), r.tb4);
        EXPECT_EQ(child<QToolButton>("ToolButton4")->text(), r.tb4Caption);
        EXPECT_EQ(child("ToolButton19")->isEnabled(), r.tb19);
        EXPECT_EQ(child<QToolButton>("ToolButton19")->text(), r.tb19Caption);
        for (const char* name : {"ToolButton7", "ToolButton6", "ToolButton1", "ToolButton3"})
            EXPECT_EQ(child(name)->isEnabled(), r.others) << name;
        EXPECT_EQ(child("BitBtn1")->isEnabled(), r.bitBtn1);
        EXPECT_EQ(child("BitBtn3")->isEnabled(), r.done);
        EXPECT_EQ(window.StopSearch, r.stop);
    }
}

TEST_F(TfrmMainTest, HelpIsFoundBesideTheProgramOrByNameAndMissingHelpIsSaid)
{
    qobject_cast<KehrwerkApplication*>(qApp)->setHelpFile("Kehrwerk.hlp");
    QDir::setCurrent(tmp.path());
    QStringList shown = messagesDuring([&] { window.ToolButton1Click(); });
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("Kehrwerk.hlp"));

    QFile help(tmp.filePath("Kehrwerk.hlp"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("<h1>Kehrwerk test help</h1>");
    help.close();
    shown = messagesDuring([&] { window.ToolButton1Click(); });
    EXPECT_TRUE(shown.isEmpty());
    auto* viewer = window.findChild<QWidget*>("HelpViewer");
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
}

} // namespace
