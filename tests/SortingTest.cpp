#include "FileList/TFileListView.h"
#include "TestFiles.h"
#include "platform/DateTimeFormats.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

class SortingTest : public ::testing::Test {
protected:
    TFileListView view;
    void add(const QString& caption, const QString& size, const QString& date = {})
    {
        view.addRow(caption, {size, "File", date, "    ", "", ""});
    }
    QStringList captions() const
    {
        QStringList out;
        for (int i = 0; i < view.count(); ++i)
            out << view.caption(i);
        return out;
    }
    static QString at(int y, int mo, int d, int h, int mi)
    {
        return DateTimeFormats::text({y, mo, d, h, mi, 0});
    }
};

TEST_F(SortingTest, HeaderClicksFollowTheClassicSequence)
{
    add("b", "20");
    add("C", "5");
    add("a", "300");
    EXPECT_EQ(captions(), QStringList({"b", "C", "a"})); // a plain view never sorts by itself
    view.ColumnClicked(1); // size was ascending already: the first click descends
    EXPECT_EQ(captions(), QStringList({"a", "b", "C"}));
    view.ColumnClicked(1);
    EXPECT_EQ(captions(), QStringList({"C", "b", "a"}));
    view.ColumnClicked(0); // a new column starts ascending, letters without case
    EXPECT_EQ(captions(), QStringList({"a", "b", "C"}));
    EXPECT_EQ(view.sortType(), TFileListView::stNone);
}

TEST_F(SortingTest, RowsAddedAfterTheFirstClickAreAppendedUnsorted)
{
    view.setSortType(TFileListView::stBoth);
    add("x", "2");
    add("y", "1");
    EXPECT_EQ(captions(), QStringList({"y", "x"}));
    view.ColumnClicked(2);
    add("z", "0");
    EXPECT_EQ(captions(), QStringList({"y", "x", "z"}));
}

TEST_F(SortingTest, CompareTableHandlesOddTextsAndExtremeValues)
{
    view.SortColumn = 1;
    const FileListRow huge("h", {"9223372036854775807"}), negative("n", {"-9223372036854775807"}),
        junk("j", {"12 MB"}), zero("z", {"0"});
    EXPECT_GT(view.CompareRows(huge, negative), 0);
    EXPECT_EQ(view.CompareRows(junk, zero), 0);
    view.SortColumn = 3;
    const FileListRow early("e", {"", "", at(1970, 1, 1, 0, 1)}),
        late("l", {"", "", at(2107, 12, 31, 23, 59)});
    EXPECT_LT(view.CompareRows(early, late), 0);
    view.SortAscending = false;
    EXPECT_GT(view.CompareRows(early, late), 0);
    view.SortColumn = 6; // a sub-item the rows do not have
    EXPECT_EQ(view.CompareRows(early, late), 0);
    view.SortColumn = 0;
    view.SortAscending = true;
    EXPECT_LT(view.CompareRows(FileListRow("abc", {}), FileListRow("ABCD", {})), 0);
    EXPECT_LT(view.CompareRows(FileListRow("Z", {}), FileListRow("_", {})),
              0); // by code after folding
}

TEST_F(SortingTest, DatesWithinOneMinuteCompareEqual)
{
    QTemporaryDir dir;
    const QByteArray a = QFile::encodeName(dir.filePath("a")),
                     b = QFile::encodeName(dir.filePath("b")),
                     c = QFile::encodeName(dir.filePath("c"));
    for (const QByteArray& p : {a, b, c})
        TestFiles::write(p, "");
    TestFiles::setLocalMtime(a, 2024, 5, 1, 10, 0, 4);
    TestFiles::setLocalMtime(b, 2024, 5, 1, 10, 0, 58);
    TestFiles::setLocalMtime(c, 2024, 5, 1, 10, 1, 0);
    qint64 size = 0;
    for (const QByteArray& p : {c, b, a})
        ASSERT_TRUE(view.AddFile(p, size));
    view.ColumnClicked(3);
    EXPECT_EQ(view.filePath(2), c);
    view.SortColumn = 3;
    view.SortAscending = true;
    EXPECT_EQ(
        view.CompareRows(FileListRow("", view.subItems(0)), FileListRow("", view.subItems(1))), 0);
}

// However the rows arrive and whenever they are read, the order must be the
// one a stable sort after every single row would give.
TEST_F(SortingTest, DeferredSortingEqualsSortingAfterEveryRow)
{
    view.setSortType(TFileListView::stBoth);
    QRandomGenerator rng(42);
    QStringList expected;
    QList<int> sizes;
    for (int i = 0; i < 600; ++i) {
        const int size = int(rng.bounded(40)); // many ties
        const QString name = QString("row%1").arg(i);
        const auto pos = std::upper_bound(sizes.begin(), sizes.end(), size) - sizes.begin();
        sizes.insert(pos, size);
        expected.insert(pos, name);
        if (i % 100 == 50)
            view.beginUpdate(); // a caller's own block around several rows
        add(name, QString::number(size));
        if (i % 100 == 80)
            view.endUpdate();
        if (i % 97 == 0 || i % 100 == 81)
            ASSERT_EQ(captions(), expected) << "after row " << i;
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(captions(), expected);
}

// The selection must stay with the file, not with the row number.
TEST_F(SortingTest, SelectionFollowsItsRowsThroughSortsAndRemovals)
{
    view.show(); // columns come with the window
    view.setSortType(TFileListView::stBoth);
    add("/m", "50");
    add("/z", "90");
    view.setSelected(0, true); // "/m"
    add("/a", "10");
    add("/b", "70");
    ASSERT_EQ(captions(), QStringList({"/a", "/m", "/b", "/z"}));
    EXPECT_TRUE(view.isSelected(1));
    EXPECT_FALSE(view.isSelected(0));
    view.ColumnClicked(0);
    view.ColumnClicked(0);
    EXPECT_EQ(captions(), QStringList({"/z", "/m", "/b", "/a"}));
    EXPECT_TRUE(view.isSelected(1));
    view.removeRow(0);
    EXPECT_EQ(captions(), QStringList({"/m", "/b", "/a"}));
    EXPECT_TRUE(view.isSelected(0));
}

} // namespace
