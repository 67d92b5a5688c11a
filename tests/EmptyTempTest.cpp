#include "MainWindowFixture.h"
#include "ModalAnswer.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// "Empty TMP-Dir" on a temp directory and a trash of the test's own.
class EmptyTempTest : public MainWindowFixture {
protected:
    QByteArray savedTmp = qgetenv("TMPDIR"), savedData = qgetenv("XDG_DATA_HOME");
    QTemporaryDir tmp, data, outside;
    QByteArray root = QFile::encodeName(QDir(tmp.path()).canonicalPath());
    QByteArray trash = QFile::encodeName(QDir(data.path()).canonicalPath()) + "/Trash";

    EmptyTempTest()
    {
        qputenv("TMPDIR", root);
        qputenv("XDG_DATA_HOME", QFile::encodeName(QDir(data.path()).canonicalPath()));
        TestFiles::write(root + "/a.tmp", "a");
        TestFiles::write(root + "/.dotfile", "d");
        QDir().mkpath(QFile::decodeName(root + "/nested/deeper"));
        TestFiles::write(root + "/nested/deeper/b.tmp", "b");
    }
    ~EmptyTempTest() override
    {
        savedTmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", savedTmp);
        savedData.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", savedData);
    }
    void trashOption(bool on) { setOption(o_trash, on); }
    QStringList click(QMessageBox::StandardButton reply)
    {
        QStringList seen;
        for (const ShownMessage& m : answerMessages(reply, [this] { window.ToolButton7Click(); }))
            seen << m.title + " | " + m.text;
        return seen;
    }
    QStringList left() const
    {
        return QDir(tmp.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
};

TEST_F(EmptyTempTest, NoKeepsEverything)
{
    const QStringList asked = click(QMessageBox::No);
    EXPECT_EQ(asked, QStringList({QFile::decodeName(root) +
                                  "/ | Are you sure to empty the above directory?"}));
    EXPECT_EQ(left().size(), 3);
}

TEST_F(EmptyTempTest, ForGoodEmptiesButKeepsTheDirectory)
{
    // Another user's file is not ours to delete (only root can make one here).
    TestFiles::write(root + "/theirs.tmp", "t");
    const bool foreign = chown((root + "/theirs.tmp").constData(), 54321, 54321) == 0;
    if (!foreign)
        QFile::remove(QFile::decodeName(root + "/theirs.tmp"));
    trashOption(false);
    EXPECT_EQ(click(QMessageBox::Yes).size(), 1) << "no error for the other user's file";
    EXPECT_EQ(left(), foreign ? QStringList({"theirs.tmp"}) : QStringList());
    EXPECT_TRUE(QDir(tmp.path()).exists());
    EXPECT_FALSE(QDir(QFile::decodeName(trash)).exists("files"));
}

TEST_F(EmptyTempTest, TrashTakesEverythingWithItsInfo)
{
    trashOption(true);
    click(QMessageBox::Yes);
    EXPECT_TRUE(left().isEmpty());
    for (const char* name : {"a.tmp", ".dotfile", "nested"}) {
        EXPECT_TRUE(QFile::exists(QFile::decodeName(trash + "/files/" + name))) << name;
        EXPECT_TRUE(QFile::exists(QFile::decodeName(trash + "/info/" + name + ".trashinfo")))
            << name;
    }
}

TEST_F(EmptyTempTest, SocketsAndLinksAreTreatedWithCare)
{
    QDir().mkpath(QFile::decodeName(root + "/ssh-agent.1"));
    const QByteArray socketPath = root + "/ssh-agent.1/agent.sock";
    const int fd = TestFiles::bindSocket(socketPath);
    ASSERT_GE(fd, 0);
    const QByteArray precious = QFile::encodeName(outside.filePath("precious.doc"));
    TestFiles::write(precious, "keep");
    ASSERT_EQ(symlink(precious.constData(), (root + "/link-out").constData()), 0);
    for (bool trash : {false, true}) {
        trashOption(trash);
        EXPECT_EQ(click(QMessageBox::Yes).size(), 1) << "only the question, no error";
        EXPECT_EQ(left(), QStringList({"ssh-agent.1"}));
        EXPECT_TRUE(QFile::exists(QFile::decodeName(socketPath)));
        EXPECT_TRUE(QFile::exists(QFile::decodeName(precious)));
        ASSERT_EQ(symlink(precious.constData(), (root + "/link-out").constData()), 0);
    }
    close(fd);
}

TEST_F(EmptyTempTest, AnEmptyDirectoryGivesNoMessage)
{
    trashOption(false);
    click(QMessageBox::Yes);
    EXPECT_EQ(click(QMessageBox::Yes).size(), 1); // the question alone
    EXPECT_TRUE(left().isEmpty());
}

TEST_F(EmptyTempTest, ATempDirectoryNamedThroughALinkIsEmptiedWhereItIs)
{
    const QByteArray link = QFile::encodeName(QDir(outside.path()).canonicalPath()) + "/tmp-link";
    ASSERT_EQ(symlink(root.constData(), link.constData()), 0);
    qputenv("TMPDIR", link);
    trashOption(false);
    EXPECT_EQ(click(QMessageBox::Yes).size(), 1) << "only the question, no error";
    EXPECT_TRUE(left().isEmpty());
    EXPECT_TRUE(QFileInfo(QFile::decodeName(link)).isSymLink());
}

} // namespace
