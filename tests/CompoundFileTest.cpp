#include "platform/CompoundFile.h"

#include "CompoundBuilder.h"
#include "FileList/TFileListView.h"
#include "ModalAnswer.h"
#include "TestFiles.h"
#include "app/TfrmMain.h"
#include "cleanup/StorageFileSearch.h"
#include "platform/DirectoryListBox.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The first bytes of a compound file of the given version.
QByteArray header(int major = 3)
{
    return CompoundBuilder::build(major).left(CompoundFile::HeaderSize);
}

TEST(CompoundFileTest, HeadersAreCheckedBeyondTheSignature)
{
    EXPECT_TRUE(CompoundFile::isStorageHeader(header(3)));
    EXPECT_TRUE(CompoundFile::isStorageHeader(header(4)));
    for (int at : {0, 7, 0x1A, 0x1C, 0x1E, 0x20}) {
        QByteArray bad = header(3);
        bad[at] = char(bad[at] ^ 0x40);
        EXPECT_FALSE(CompoundFile::isStorageHeader(bad)) << at;
    }
    QByteArray mixed = header(4);
    mixed[0x1E] = 9; // version 4 with 512-byte sectors
    EXPECT_FALSE(CompoundFile::isStorageHeader(mixed));
    EXPECT_FALSE(CompoundFile::isStorageHeader(header(3).left(511)));
}

TEST(CompoundFileTest, OnlyRegularFilesAreLookedInto)
{
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path());
    TestFiles::write(root + "/doc.xls", header(4) + QByteArray(4096, '\0'));
    TestFiles::write(root + "/short.doc", header(3).left(300));
    ASSERT_EQ(symlink((root + "/doc.xls").constData(), (root + "/link.xls").constData()), 0);
    ASSERT_EQ(mkfifo((root + "/pipe.doc").constData(), 0644), 0);
    EXPECT_TRUE(CompoundFile::isStorageFile(root + "/doc.xls"));
    EXPECT_FALSE(CompoundFile::isStorageFile(root + "/short.doc"));
    EXPECT_FALSE(CompoundFile::isStorageFile(root + "/link.xls"));
    EXPECT_FALSE(CompoundFile::isStorageFile(root + "/pipe.doc")); // and does not hang
    EXPECT_FALSE(CompoundFile::isStorageFile(root + "/missing.doc"));
}

TEST(CompoundFileTest, LookingIntoAFileLeavesItsAccessTime)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.path()) + "/old.doc";
    TestFiles::write(path, header(3) + QByteArray(512, '\0'));
    // Older than the modification: any reading would update it.
    const timespec times[2] = {{1000000000, 0}, {0, UTIME_OMIT}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    EXPECT_TRUE(CompoundFile::isStorageFile(path));
    struct stat st;
    ASSERT_EQ(stat(path.constData(), &st), 0);
    EXPECT_EQ(st.st_atim.tv_sec, 1000000000);
}

class OleSearchTest : public ::testing::Test {
protected:
    QString startDir = QDir::currentPath();
    QTemporaryDir tmp;
    QByteArray root = QFile::encodeName(QDir(tmp.path()).canonicalPath());
    TfrmMain window;
    TFileListView* found = window.findChild<TFileListView*>("Found");

    OleSearchTest()
    {
        window.setProgramDirectory(tmp.path());
        for (const char* name : {"a.doc", "sub/.hidden.xls", "sub/deeper/c.msi", "old.doc.KW2",
                                 "lower.kw2", "plain.txt"}) {
            const QByteArray path = root + "/tree/" + name;
            QDir().mkpath(QFile::decodeName(path.left(path.lastIndexOf('/'))));
            TestFiles::write(path,
                             QByteArray(name) == "plain.txt" ? QByteArray(600, 'x') : header());
        }
        symlink((root + "/tree/a.doc").constData(), (root + "/tree/link.doc").constData());
    }
    ~OleSearchTest() override { QDir::setCurrent(startDir); }
    void addRoot(const QByteArray& dir)
    {
        window.findChild<DirectoryListBox*>("Dirs")->setDirectory(dir);
        window.BitBtn2Click();
    }
    QList<QByteArray> listed() const
    {
        QList<QByteArray> out;
        for (int i = 0; i < found->count(); ++i)
            out << found->filePath(i).mid(root.size() + 6);
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(OleSearchTest, NeedsADirectory)
{
    QStringList shown;
    ModalAnswer answer([&](QWidget* w) {
        shown << qobject_cast<QMessageBox*>(w)->text();
        qobject_cast<QMessageBox*>(w)->accept();
    });
    window.ToolButton19Click();
    EXPECT_EQ(shown, QStringList({"You must select at least one directory to search!"}));
    EXPECT_EQ(window.state(), TfrmMain::State::PatternView);
}

TEST_F(OleSearchTest, ListsEveryCompoundFileButBackups)
{
    addRoot(root + "/tree");
    addRoot(root + "/tree/sub/deeper"); // reached twice: listed twice
    window.ToolButton19Click();
    EXPECT_EQ(listed(), QList<QByteArray>({"a.doc", "lower.kw2", "sub/.hidden.xls",
                                           "sub/deeper/c.msi", "sub/deeper/c.msi"}));
    EXPECT_EQ(window.statusText(), "Found 5 files!");
    EXPECT_EQ(window.findChild<QPushButton*>("BitBtn1")->text(), "Crunch");
    EXPECT_TRUE(window.findChild<QPushButton*>("BitBtn1")->isEnabled());
    EXPECT_EQ(window.findChild<QToolButton*>("ToolButton19")->text(), "OLE-Crunch");
    EXPECT_TRUE(window.StopSearch);
}

TEST_F(OleSearchTest, StopKeepsWhatWasFound)
{
    for (int i = 0; i < 300; ++i)
        TestFiles::write(root + "/tree/n" + QByteArray::number(i) + ".doc", header());
    addRoot(root + "/tree");
    addRoot(root + "/tree");
    QMetaObject::invokeMethod(
        &window, [this] { window.ToolButton19Click(); }, Qt::QueuedConnection);
    window.ToolButton19Click();
    EXPECT_LT(found->count(), 2 * 303);
    EXPECT_EQ(window.statusText(), QStringLiteral("Found %1 files!").arg(found->count()));
    EXPECT_EQ(window.state(), TfrmMain::State::CrunchResults);
}

TEST_F(OleSearchTest, NothingFoundStillLeavesCrunchModeOn)
{
    QDir().mkpath(tmp.path() + "/empty");
    addRoot(root + "/empty");
    window.ToolButton19Click();
    EXPECT_EQ(window.statusText(), "Found 0 files!");
    EXPECT_EQ(window.findChild<QPushButton*>("BitBtn1")->text(), "Crunch");
    EXPECT_TRUE(window.findChild<QPushButton*>("BitBtn1")->isEnabled());
}

} // namespace
