#include "platform/EntryReader.h"

#include "TestFiles.h"
#include "platform/FileAttributes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

namespace A = FileAttributes;

class EntryReaderTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    EntryReader reader;
    QByteArray path(const char* name) const { return QFile::encodeName(dir.filePath(name)); }
};

TEST_F(EntryReaderTest, DescribesPlainFileDirectoryAndMissingPath)
{
    TestFiles::write(path("plain.txt"), "hello");
    TestFiles::setMtime(path("plain.txt"), 1700000000);
    const auto e = reader.lookup(path("plain.txt"));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->name, "plain.txt");
    EXPECT_EQ(e->size, 5);
    EXPECT_EQ(e->lastWrite, 1700000000);
    EXPECT_EQ(e->attributes, 0u);

    ASSERT_EQ(mkdir(path("sub").constData(), 0755), 0);
    EXPECT_EQ(reader.lookup(path("sub"))->attributes, A::Directory);
    EXPECT_FALSE(reader.lookup(path("missing")));
    EXPECT_FALSE(reader.lookup(path("plain.txt/below")));
}

TEST_F(EntryReaderTest, ReadOnlyHiddenSystemAndArchive)
{
    TestFiles::write(path(".all"), "x");
    ASSERT_EQ(chmod(path(".all").constData(), 0444), 0);
    const char samba[] = "0x24"; // system and archive, as Samba keeps them
    if (setxattr(path(".all").constData(), "user.DOSATTRIB", samba, sizeof samba, 0) != 0)
        GTEST_SKIP() << "no user extended attributes on this file system";
    EXPECT_EQ(reader.lookup(path(".all"))->attributes,
              A::ReadOnly | A::Hidden | A::System | A::Archive);

    ASSERT_EQ(mkfifo(path("pipe").constData(), 0644), 0);
    EXPECT_EQ(reader.lookup(path("pipe"))->attributes, A::System);
}

TEST_F(EntryReaderTest, LinksAreDescribedAsThemselves)
{
    ASSERT_EQ(mkdir(path("target").constData(), 0755), 0);
    ASSERT_EQ(symlink("target", path("link").constData()), 0);
    ASSERT_EQ(symlink("nowhere/at/all", path("dangling").constData()), 0);
    const auto link = reader.lookup(path("link"));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->attributes & A::Directory, 0u);
    EXPECT_EQ(link->size, 6);
    ASSERT_TRUE(reader.lookup(path("dangling")));
    EXPECT_EQ(reader.lookup(path("dangling"))->size, 14);
}

TEST_F(EntryReaderTest, SizesBeyondFourGigabytes)
{
    const QByteArray big = path("sparse.bin");
    TestFiles::write(big, "");
    ASSERT_EQ(truncate(big.constData(), 5LL << 30), 0);
    EXPECT_EQ(reader.lookup(big)->size, 5LL << 30);
}

} // namespace
