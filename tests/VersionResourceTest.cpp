#include "platform/VersionResource.h"

#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class VersionResourceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray path(const char* name) const { return QFile::encodeName(dir.filePath(name)); }
    VersionResource readBytes(const QByteArray& bytes, const char* name = "x.dll")
    {
        TestFiles::write(path(name), bytes);
        return VersionResource::fromFile(path(name));
    }
};

TEST_F(VersionResourceTest, ReadsFirstTranslationOfPe32AndPe32Plus)
{
    for (const char* name : {"version32.dll", "version64.dll"}) {
        const VersionResource v = readBytes(TestFiles::fixture(name), name);
        SCOPED_TRACE(name);
        EXPECT_EQ(v.firstTranslation(), "040904B0");
        EXPECT_EQ(v.versionString("FileVersion"), "1.2.3.4");
        EXPECT_EQ(v.versionString("ProductVersion"), "5.6 beta");
        // Names match without regard to case, as the system's query did.
        EXPECT_EQ(v.versionString("fileversion"), "1.2.3.4");
        EXPECT_EQ(v.stringValue("040704E4", "FileVersion"), "wrong table");
        EXPECT_EQ(v.versionString("Comments"), "");
    }
}

TEST_F(VersionResourceTest, MissingProductVersionLeavesOnlyFileVersion)
{
    const VersionResource v = readBytes(TestFiles::fixture("noproduct64.dll"));
    EXPECT_EQ(v.versionString("FileVersion"), "7.0.0.1");
    EXPECT_EQ(v.versionString("ProductVersion"), "");
}

TEST_F(VersionResourceTest, NonPeFilesHaveNone)
{
    EXPECT_TRUE(readBytes("").isEmpty());
    EXPECT_TRUE(readBytes("MZ").isEmpty());
    EXPECT_TRUE(readBytes(QByteArray(4096, 'x'), "text.txt").isEmpty());
    QByteArray mzOnly(512, '\0');
    mzOnly[0] = 'M', mzOnly[1] = 'Z';
    EXPECT_TRUE(readBytes(mzOnly).isEmpty());
    EXPECT_TRUE(VersionResource::fromFile(path("missing.dll")).isEmpty());
    EXPECT_TRUE(VersionResource::fromFile(QFile::encodeName(dir.path())).isEmpty());
}

// Truncations give the whole answer or none; no single-byte change of a real
// file may make the reader fail or read outside the file.
TEST_F(VersionResourceTest, TruncatedOrDamagedFilesNeverCrash)
{
    const QByteArray good = TestFiles::fixture("version64.dll");
    for (int len = 0; len < good.size(); len += 3) {
        const QString version = readBytes(good.left(len)).versionString("FileVersion");
        EXPECT_TRUE(version.isEmpty() || version == "1.2.3.4") << len;
    }
    for (int at = 0; at < good.size(); ++at) {
        for (char value : {'\0', '\x7f', '\xff'}) {
            QByteArray bad = good;
            bad[at] = value;
            const VersionResource v = readBytes(bad);
            (void)v.versionString("ProductVersion");
        }
    }
}

TEST_F(VersionResourceTest, HostileBlocksStayInBounds)
{
    // A node claiming more length than the block, and one of length zero.
    for (const QByteArray& raw :
         {QByteArray("\xff\xff\x00\x00\x00\x00", 6), QByteArray("\x00\x00\x00\x00\x01\x00V\0", 8),
          QByteArray("\x20\x00\xff\xff\x01\x00V\0S\0\0\0", 12)}) {
        const VersionResource v = VersionResource::fromBlock(raw);
        EXPECT_EQ(v.versionString("FileVersion"), "");
        EXPECT_EQ(v.firstTranslation(), "");
    }
}

} // namespace
