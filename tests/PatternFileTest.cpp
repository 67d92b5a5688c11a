#include "settings/PatternFile.h"

#include "SmallDisk.h"
#include "TestFiles.h"
#include "platform/IoError.h"
#include "settings/PatternListBox.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PatternFileTest, LineRules)
{
    EXPECT_EQ(PatternFile::parse("*.tmp\r\n\r\n*.bak\r\n"), QStringList({"*.tmp", "", "*.bak"}));
    EXPECT_EQ(PatternFile::parse("*.a\r\n*.a\r\nlast"), QStringList({"*.a", "*.a", "last"}));
    EXPECT_EQ(PatternFile::parse("*.a\r\n*.b\x1a*.c\r\n"), QStringList({"*.a", "*.b"}));
    EXPECT_EQ(PatternFile::parse("*.a\n*.b\n"), QStringList({"*.a", "*.b"})); // written on Linux
    EXPECT_EQ(PatternFile::parse("*.a\r*.b"), QStringList({"*.a", "*.b"}));
    EXPECT_EQ(PatternFile::parse(" *.x \r\n"), QStringList({" *.x "}));
    EXPECT_EQ(PatternFile::parse("M\xfcll*.*\r\n"), QStringList({QString::fromUtf8("Müll*.*")}));
    EXPECT_TRUE(PatternFile::parse("").isEmpty());
}

TEST(PatternFileTest, WritesEveryLineWithCrLfAndFailsWithoutLoss)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("patterns.kwl");
    PatternFile::write(path, {"*.b", "", QString::fromUtf8("*.ü")});
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("*.b\r\n\r\n*.\xc3\xbc\r\n"));
    EXPECT_THROW(PatternFile::read(dir.filePath("missing.kwl")), IoError);

    SmallDisk disk(64);
    if (!disk.isReady())
        GTEST_SKIP() << "cannot mount a small file system here";
    const QString full = disk.path() + "/patterns.kwl";
    TestFiles::write(QFile::encodeName(full), "*.old\r\n");
    disk.fill();
    EXPECT_THROW(PatternFile::write(full, QStringList(3000, "*.longer-pattern")), IoError);
    EXPECT_EQ(PatternFile::read(full), QStringList({"*.old"}));
}

TEST(PatternListBoxTest, SortedWithoutCaseAndCheckMarks)
{
    PatternListBox list;
    for (const char* p : {"*.tmp", "B*", "a*", "*.TMP", "", "~*.*"})
        list.addPattern(p);
    const QStringList all = list.patterns();
    EXPECT_EQ(all.size(), 6);
    EXPECT_EQ(all.first(), "");
    EXPECT_LT(all.indexOf("a*"), all.indexOf("B*"));
    EXPECT_EQ(all.indexOf("*.TMP"), all.indexOf("*.tmp") + 1); // equal texts keep their order
    EXPECT_TRUE(list.checkedPatterns().isEmpty());
    list.setAllChecked(true);
    EXPECT_EQ(list.checkedPatterns(), all);
    list.item(0)->setCheckState(Qt::Unchecked);
    list.removeChecked();
    EXPECT_EQ(list.patterns(), QStringList({""}));
}

} // namespace
