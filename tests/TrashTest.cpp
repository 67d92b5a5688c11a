#include "platform/Trash.h"

#include "ModalAnswer.h"
#include "SmallDisk.h"
#include "TestFiles.h"
#include "platform/ShellDelete.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The trash lives in a data directory of the test's own.
class TrashTest : public ::testing::Test {
protected:
    QTemporaryDir data, work;
    QByteArray savedData = qgetenv("XDG_DATA_HOME");
    QByteArray root = QFile::encodeName(QDir(work.path()).canonicalPath());
    QByteArray trash = QFile::encodeName(QDir(data.path()).canonicalPath()) + "/Trash";

    TrashTest() { qputenv("XDG_DATA_HOME", QFile::encodeName(QDir(data.path()).canonicalPath())); }
    ~TrashTest() override
    {
        if (savedData.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedData);
    }
    QByteArray file(const QByteArray& relative, const QByteArray& content = "x")
    {
        QDir().mkpath(QFile::decodeName(root + '/' + relative.left(relative.lastIndexOf('/'))));
        TestFiles::write(root + '/' + relative, content);
        return root + '/' + relative;
    }
};

TEST_F(TrashTest, TrashedFilesCanBeRestoredByAnyDesktop)
{
    const QByteArray a = file("d1/same name.tmp", "first");
    const QByteArray b = file("d2/same name.tmp", "second");
    ASSERT_EQ(Trash::moveToTrash(a), 0);
    ASSERT_EQ(Trash::moveToTrash(b), 0);
    EXPECT_FALSE(TestFiles::exists(a));
    EXPECT_EQ(TestFiles::read(trash + "/files/same name.tmp"), "first");
    EXPECT_EQ(TestFiles::read(trash + "/files/same name.tmp.2"), "second");
    const QByteArray info = TestFiles::read(trash + "/info/same name.tmp.2.trashinfo");
    EXPECT_TRUE(info.startsWith("[Trash Info]\nPath=" + b.toPercentEncoding("/") + "\n"))
        << info.constData();
    EXPECT_TRUE(info.contains(
        "\nDeletionDate=" + QDate::currentDate().toString(Qt::ISODate).toLatin1() + "T"));
}

TEST_F(TrashTest, LinksGoAsLinks)
{
    const QByteArray important = file("important.txt", "keep me");
    const QByteArray link = root + "/link.tmp";
    const QByteArray dangling = root + "/dangling.tmp";
    ASSERT_EQ(symlink(important.constData(), link.constData()), 0);
    ASSERT_EQ(symlink("/nowhere", dangling.constData()), 0);
    ShellDelete shell(nullptr);
    EXPECT_EQ(shell.run({link, dangling}, true).removed, QList<QByteArray>({link, dangling}));
    EXPECT_EQ(TestFiles::read(important), "keep me");
    struct stat st;
    ASSERT_EQ(lstat((trash + "/files/link.tmp").constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    const QByteArray again = root + "/again.tmp";
    ASSERT_EQ(symlink(important.constData(), again.constData()), 0);
    EXPECT_EQ(shell.run({again}, false).removed, QList<QByteArray>({again}));
    EXPECT_EQ(TestFiles::read(important), "keep me");
}

TEST_F(TrashTest, NodesInUseStayWithTheirDirectories)
{
    file("tmpdir/plain.txt");
    file("tmpdir/.hidden");
    file("tmpdir/app/state.db");
    const int socketFd = TestFiles::bindSocket(root + "/tmpdir/app/socket");
    ASSERT_GE(socketFd, 0);
    file("tmpdir/gone/inner.txt");
    for (bool undo : {true, false}) {
        SCOPED_TRACE(undo);
        ShellDelete shell(nullptr);
        const ShellDelete::Result r = shell.run({root + "/tmpdir/*.*"}, undo);
        EXPECT_FALSE(r.cancelled);
        EXPECT_TRUE(TestFiles::exists(root + "/tmpdir/app/socket"));
        EXPECT_FALSE(TestFiles::exists(root + "/tmpdir/app/state.db"));
        EXPECT_FALSE(TestFiles::exists(root + "/tmpdir/.hidden"));
        EXPECT_FALSE(TestFiles::exists(root + "/tmpdir/gone"));
        EXPECT_TRUE(TestFiles::exists(root + "/tmpdir"));
        EXPECT_FALSE(r.removed.contains(root + "/tmpdir/app"));
        EXPECT_TRUE(r.removed.contains(root + "/tmpdir/gone"));
        file("tmpdir/app/state.db");
        file("tmpdir/.hidden");
        file("tmpdir/gone/inner.txt");
    }
    close(socketFd);
}

TEST_F(TrashTest, FailuresAskOnceWhenSkippedAll)
{
    SmallDisk disk(64);
    if (!disk.isReady())
        GTEST_SKIP() << "cannot mount a small file system here";
    const QByteArray a = QFile::encodeName(disk.path()) + "/a.tmp";
    const QByteArray b = QFile::encodeName(disk.path()) + "/b.tmp";
    TestFiles::write(a, "a");
    TestFiles::write(b, "b");
    ASSERT_TRUE(disk.makeReadOnly());
    for (bool undo : {true, false}) {
        QStringList texts;
        ModalAnswer answer([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            texts << box->text();
            for (QAbstractButton* button : box->buttons())
                if (button->text() == "Skip all")
                    button->click();
        });
        ShellDelete shell(nullptr);
        const ShellDelete::Result r = shell.run({a, b}, undo);
        ASSERT_EQ(texts.size(), 1) << undo;
        EXPECT_TRUE(texts[0].contains(QFile::decodeName(a)));
        EXPECT_TRUE(r.removed.isEmpty());
        EXPECT_TRUE(TestFiles::exists(a) && TestFiles::exists(b));
    }
}

} // namespace
