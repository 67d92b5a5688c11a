#include "FileList/TFileListView.h"
#include "MainWindowFixture.h"
#include "ModalAnswer.h"
#include "TestFiles.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class DeleteWindowTest : public MainWindowFixture {
protected:
    QByteArray savedData = qgetenv("XDG_DATA_HOME");
    QTemporaryDir tmp, data;
    QByteArray root = QFile::encodeName(QDir(tmp.path()).canonicalPath());
    QByteArray trash = QFile::encodeName(QDir(data.path()).canonicalPath()) + "/Trash";
    TFileListView* found = child<TFileListView>("Found");

    DeleteWindowTest()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(QDir(data.path()).canonicalPath()));
        window.setState(TfrmMain::State::SearchResults);
    }
    ~DeleteWindowTest() override
    {
        savedData.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", savedData);
    }
    // Lists files as a search would, smallest first.
    void list(const QList<QByteArray>& relatives)
    {
        int n = 0;
        for (const QByteArray& r : relatives) {
            QDir().mkpath(QFile::decodeName(root + '/' + r.left(r.lastIndexOf('/'))));
            TestFiles::write(root + '/' + r, QByteArray(100 * ++n, 'x'));
            qint64 size = 0;
            found->AddFile(root + '/' + r, size);
        }
        found->show();
    }
    void select(std::initializer_list<int> rows)
    {
        for (int r : rows)
            found->setSelected(r, true);
    }
    void trashOption(bool on) { setOption(o_trash, on); }
    QStringList click(QMessageBox::StandardButton reply = QMessageBox::Yes)
    {
        return textsOf(answerMessages(reply, [this] { window.BitBtn1Click(); }));
    }
    bool present(const QByteArray& relative) { return TestFiles::exists(root + '/' + relative); }
};

TEST_F(DeleteWindowTest, TrashTakesTheSelectionLastRowFirst)
{
    trashOption(true);
    list({"d1/x.tmp", "d2/x.tmp", "keep.tmp"});
    select({0, 1});
    const QStringList asked = click();
    EXPECT_EQ(asked, QStringList({"Are you sure to delete the\nselected files?"}));
    EXPECT_FALSE(present("d1/x.tmp"));
    EXPECT_FALSE(present("d2/x.tmp"));
    EXPECT_TRUE(present("keep.tmp"));
    ASSERT_EQ(found->count(), 1);
    EXPECT_EQ(found->filePath(0), root + "/keep.tmp");
    EXPECT_EQ(window.statusText(), "Gained 300 Bytes by deleting 2 trash files!");
    // The last row went first, so it holds the plain name in the trash.
    QFile info(QFile::decodeName(trash + "/info/x.tmp.trashinfo"));
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    EXPECT_TRUE(info.readAll().contains("/d2/x.tmp"));
}

TEST_F(DeleteWindowTest, AnsweringNoChangesNothing)
{
    list({"a.tmp"});
    select({0});
    const QString before = window.statusText();
    click(QMessageBox::No);
    EXPECT_TRUE(present("a.tmp"));
    EXPECT_EQ(found->count(), 1);
    EXPECT_EQ(window.statusText(), before);
}

TEST_F(DeleteWindowTest, NothingSelectedInEitherMode)
{
    list({"a.tmp"});
    for (bool trash : {true, false}) {
        trashOption(trash);
        click();
        EXPECT_EQ(window.statusText(), "Gained 0 Byte by deleting 0 trash files!");
    }
    window.setState(TfrmMain::State::CrunchResults);
    EXPECT_TRUE(click().isEmpty()); // crunching asks nothing
    EXPECT_EQ(window.statusText(), "Gained 0 Byte by crunching  0 files!");
}

TEST_F(DeleteWindowTest, APermanentFailureIsNamedAndTheRestIsCounted)
{
    trashOption(false);
    list({"a.tmp", "b.tmp", "c.tmp"});
    // b turned into a directory after the search: it cannot be deleted as a file.
    ASSERT_TRUE(QFile::remove(QFile::decodeName(root + "/b.tmp")));
    ASSERT_TRUE(QDir().mkdir(QFile::decodeName(root + "/b.tmp")));
    select({0, 1, 2});
    const QStringList shown = click();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1],
              "The file: \n\n" + QFile::decodeName(root) +
                  "/b.tmp\n\ncannot be deleted!\n\nMaybe it is use by another application.");
    EXPECT_EQ(found->count(), 1);
    EXPECT_EQ(window.statusText(), "Gained 400 Bytes by deleting 2 trash files!");
    EXPECT_FALSE(present("a.tmp"));
    EXPECT_FALSE(present("c.tmp"));
}

TEST_F(DeleteWindowTest, VanishedFilesCountOnlyOnTheTrashPath)
{
    list({"a.tmp", "b.tmp"});
    ASSERT_TRUE(QFile::remove(QFile::decodeName(root + "/a.tmp")));
    select({0});
    trashOption(false);
    click();
    EXPECT_EQ(found->count(), 2);
    EXPECT_EQ(window.statusText(), "Gained 0 Byte by deleting 0 trash files!");
    trashOption(true);
    click();
    EXPECT_EQ(found->count(), 1);
    EXPECT_EQ(window.statusText(), "Gained 100 Bytes by deleting 1 trash files!");
}

TEST_F(DeleteWindowTest, ALinkIsDeletedAsALink)
{
    trashOption(false);
    TestFiles::write(root + "/important.doc", "precious");
    ASSERT_EQ(symlink((root + "/important.doc").constData(), (root + "/shortcut.tmp").constData()),
              0);
    qint64 size = 0;
    ASSERT_TRUE(found->AddFile(root + "/shortcut.tmp", size));
    found->show();
    select({0});
    click();
    EXPECT_FALSE(present("shortcut.tmp"));
    EXPECT_TRUE(present("important.doc"));
    EXPECT_EQ(found->count(), 0);
}

// Between the search and the click, d1 became a link to a directory holding
// a file of the same name, d2 vanished, and the selected link.tmp was
// replaced by a link to a directory full of files.
TEST_F(DeleteWindowTest, PathsChangedSinceTheSearchTouchNothingElse)
{
    for (bool toTrash : {false, true}) {
        SCOPED_TRACE(toTrash);
        QTemporaryDir elsewhere;
        const QByteArray outside = QFile::encodeName(QDir(elsewhere.path()).canonicalPath());
        TestFiles::write(outside + "/x.tmp", "not chosen");
        TestFiles::write(outside + "/inner.txt", "not chosen");
        list({"d1/x.tmp", "d2/y.tmp", "link.tmp"});
        ASSERT_TRUE(QDir(QFile::decodeName(root + "/d1")).removeRecursively());
        ASSERT_TRUE(QDir(QFile::decodeName(root + "/d2")).removeRecursively());
        ASSERT_EQ(symlink(outside.constData(), (root + "/d1").constData()), 0);
        ASSERT_TRUE(QFile::remove(QFile::decodeName(root + "/link.tmp")));
        ASSERT_EQ(symlink(outside.constData(), (root + "/link.tmp").constData()), 0);
        trashOption(toTrash);
        select({0, 1, 2});
        const QStringList shown = click();
        EXPECT_EQ(TestFiles::read(outside + "/x.tmp"), "not chosen");
        EXPECT_EQ(TestFiles::read(outside + "/inner.txt"), "not chosen");
        EXPECT_FALSE(present("link.tmp"));
        ASSERT_EQ(shown.size(), 2) << shown.join('|').toStdString();
        EXPECT_TRUE(shown[1].contains(QFile::decodeName(root + "/d1/x.tmp")));
        if (toTrash)
            EXPECT_TRUE(shown[1].contains("symbolic link"));
        EXPECT_EQ(TestFiles::exists(trash + "/files/x.tmp"), false);
        // Only the link counts as deleted; d1's row stays.
        EXPECT_TRUE(window.statusText().endsWith(toTrash ? "deleting 2 trash files!"
                                                         : "deleting 1 trash files!"))
            << window.statusText().toStdString();
        found->clear();
        ASSERT_TRUE(QFile::remove(QFile::decodeName(root + "/d1")));
    }
}

} // namespace
