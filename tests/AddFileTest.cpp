#include "FileList/TFileListView.h"
#include "TestFiles.h"
#include "platform/DateTimeFormats.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

class AddFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TFileListView view;
    QByteArray path(const char* name) const { return QFile::encodeName(dir.filePath(name)); }
    QByteArray file(const char* name, const QByteArray& content = "")
    {
        TestFiles::write(path(name), content);
        return path(name);
    }
    QStringList added(const QByteArray& p)
    {
        qint64 size = -1;
        EXPECT_TRUE(view.AddFile(p, size)) << p.constData();
        return view.subItems(view.count() - 1);
    }
    static QString date(const DateTimeFormats::Parts& p) { return DateTimeFormats::text(p); }
};

TEST_F(AddFileTest, EmptyFileGivesOneRowWithCaptionAndSixTexts)
{
    const QByteArray p = file("empty.kwzz");
    qint64 size = 99;
    ASSERT_TRUE(view.AddFile(QFile::decodeName(p), size));
    EXPECT_EQ(size, 0);
    ASSERT_EQ(view.count(), 1);
    EXPECT_EQ(view.caption(0), QFile::decodeName(p));
    const QStringList t = view.subItems(0);
    ASSERT_EQ(t.size(), 6);
    EXPECT_EQ(t[0], "0");
    EXPECT_EQ(t[1], "KWZZ File");
    EXPECT_EQ(t[3], "    ");
    EXPECT_EQ(t[4], "");
    EXPECT_EQ(t[5], "");
}

TEST_F(AddFileTest, VanishedFileIsNotListedAndSizeIsKept)
{
    const QByteArray p = file("gone.tmp", "abc");
    ASSERT_EQ(unlink(p.constData()), 0);
    qint64 size = 12345;
    EXPECT_FALSE(view.AddFile(p, size));
    EXPECT_EQ(size, 12345);
    EXPECT_EQ(view.count(), 0);
}

TEST_F(AddFileTest, DateTextDropsTheTimeOnlyAtMidnight)
{
    const QByteArray p = file("a.tmp");
    TestFiles::setLocalMtime(p, 2024, 3, 10, 0, 0, 0);
    EXPECT_EQ(added(p)[2], date({2024, 3, 10, 0, 0, 0}));
    EXPECT_EQ(added(p)[2].size(), 10);
    // Two-second resolution: one second past midnight is still midnight.
    TestFiles::setLocalMtime(p, 2024, 3, 10, 0, 0, 1);
    EXPECT_EQ(added(p)[2].size(), 10);
    TestFiles::setLocalMtime(p, 2024, 3, 10, 13, 45, 59);
    EXPECT_EQ(added(p)[2], date({2024, 3, 10, 13, 45, 0}));
}

TEST_F(AddFileTest, DatesOutsideTheDosRangeShowTheirRealDate)
{
    const QByteArray p = file("old.tmp");
    TestFiles::setLocalMtime(p, 1970, 1, 2, 3, 4, 0);
    EXPECT_EQ(added(p)[2], date({1970, 1, 2, 3, 4, 0}));
    TestFiles::setLocalMtime(p, 2150, 6, 1, 12, 0, 0);
    EXPECT_EQ(added(p)[2], date({2150, 6, 1, 12, 0, 0}));
}

TEST_F(AddFileTest, AttributesAllAndNone)
{
    const QByteArray p = file(".all.tmp", "x");
    ASSERT_EQ(chmod(p.constData(), 0444), 0);
    const char samba[] = "0x24";
    if (setxattr(p.constData(), "user.DOSATTRIB", samba, sizeof samba, 0) != 0)
        GTEST_SKIP() << "no user extended attributes on this file system";
    EXPECT_EQ(added(p)[3], "RHSA");
    EXPECT_EQ(added(file("none.tmp"))[3], "    ");
}

TEST_F(AddFileTest, FifoIsDescribedWithoutBeingOpened)
{
    ASSERT_EQ(mkfifo(path("pipe").constData(), 0644), 0);
    const QStringList t = added(path("pipe"));
    EXPECT_EQ(t[3], "  S ");
    EXPECT_EQ(t[4], "");
}

TEST_F(AddFileTest, SizesAreFullSixtyFourBitValues)
{
    const QByteArray p = file("sparse.bin");
    ASSERT_EQ(truncate(p.constData(), 5LL << 30), 0);
    qint64 size = 0;
    ASSERT_TRUE(view.AddFile(p, size));
    EXPECT_EQ(size, 5368709120LL);
    EXPECT_EQ(view.subItems(0)[0], "5368709120");
}

TEST_F(AddFileTest, VersionStringsOfProgramFilesAsReadShownAndSorted)
{
    const QStringList t = added(file("tool.dll", TestFiles::fixture("version32.dll")));
    EXPECT_EQ(t[4], "1.2.3.4");
    EXPECT_EQ(t[5], "5.6 beta");

    qint64 size = 0;
    ASSERT_TRUE(view.AddFile(file("other.dll", TestFiles::fixture("noproduct64.dll")), size));
    ASSERT_TRUE(view.AddFile(file("plain.txt", "text"), size));
    view.show();
    EXPECT_EQ(view.model()->index(1, 5).data().toString(), "7.0.0.1");
    EXPECT_EQ(view.model()->index(1, 6).data().toString(), "");
    view.ColumnClicked(5); // by "File Ver": empty, then 1.2.3.4, then 7.0.0.1
    EXPECT_TRUE(view.caption(0).endsWith("plain.txt"));
    EXPECT_TRUE(view.caption(2).endsWith("other.dll"));
}

// A name that is not UTF-8 and a look-alike that is: each row must lead back
// to its own file, never to the other.
TEST_F(AddFileTest, NonUtf8NamesReachExactlyTheirFile)
{
    const QByteArray raw = QFile::encodeName(dir.path()) + "/caf\xe9.tmp";
    const QByteArray lookalike = QFile::encodeName(dir.path()) + "/caf\xef\xbf\xbd.tmp";
    TestFiles::write(raw, "raw");
    TestFiles::write(lookalike, "look-alike");
    qint64 size = 0;
    ASSERT_TRUE(view.AddFile(raw, size));
    EXPECT_EQ(size, 3);
    ASSERT_TRUE(view.AddFile(lookalike, size));
    EXPECT_TRUE(view.caption(0).endsWith(QStringLiteral("caf\uFFFD.tmp")));
    EXPECT_EQ(view.filePath(0), raw);
    EXPECT_EQ(view.filePath(1), lookalike);
}

TEST_F(AddFileTest, ColumnSetsOfANewViewAndOfOneWithItsOwnColumns)
{
    view.show();
    QStringList seven;
    for (int i = 0; i < view.columnCount(); ++i)
        seven << view.columnCaption(i);
    EXPECT_EQ(seven,
              QStringList({"Name", "Size", "Type", "Modified", "Attr", "File Ver", "Prod Ver"}));

    TFileListView own;
    for (const char* c : {"Filename", "Filesize", "Type", "Date", "Attr"})
        own.addColumn(c);
    own.show();
    EXPECT_EQ(own.columnCount(), 5);
}

} // namespace
