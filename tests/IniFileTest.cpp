#include "platform/IniFile.h"

#include "SmallDisk.h"
#include "TestFiles.h"
#include "platform/IoError.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("kw2.ini");
    IniFile ini{path};

    void give(const QByteArray& content) { TestFiles::write(QFile::encodeName(path), content); }
    QByteArray content() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    ino_t inode() const
    {
        struct stat st;
        return stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
    }
};

TEST_F(IniFileTest, ReadsAsThePrivateProfileServicesDid)
{
    give("top=ignored\r\n"
         "; [Opt] in a comment\r\n"
         "  [ oPt ]  \r\n"
         ";o_trash=0\r\n"
         "no key here\r\n"
         "\tO_TRASH \t=  0 \r\n"
         "o_trash=1\r\n"
         "quoted=\"  spaced  \"\r\n"
         "single='x'\n"
         "mixed=\"x'\r"
         "empty=\r\n"
         "[Opt]\r\n"
         "late=second section of the same name\r\n");
    EXPECT_EQ(ini.read("Opt", "o_trash", "d"), "0");
    EXPECT_EQ(ini.read("OPT", "quoted", "d"), "  spaced  ");
    EXPECT_EQ(ini.read("opt", "single", "d"), "x");
    EXPECT_EQ(ini.read("opt", "mixed", "d"), "\"x'");
    EXPECT_EQ(ini.read("opt", "empty", "d"), "");
    EXPECT_EQ(ini.read("opt", "late", "d"), "d");
    EXPECT_EQ(ini.read("opt", "top", "d"), "d");
    EXPECT_EQ(ini.read("opt", ";o_trash", "d"), "d");
    EXPECT_EQ(ini.read("other", "o_trash", "d"), "d");
}

TEST_F(IniFileTest, LongValuesAreCutAndMissingFilesStayMissing)
{
    give("[S]\nk=" + QByteArray(2000, 'v') + "\n");
    EXPECT_EQ(ini.read("S", "k", {}).size(), 1023);
    const IniFile none(dir.filePath("none.ini"));
    EXPECT_EQ(none.read("S", "k", "default"), "default");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("none.ini")));
}

TEST_F(IniFileTest, WindowsCodePageFilesReadBackIntact)
{
    give("[Exclude]\r\nL0=C:\\Dokumente\\M\xfcll\\\r\nL1=\x80uro\r\n");
    EXPECT_EQ(ini.read("Exclude", "L0", {}), QString::fromUtf8("C:\\Dokumente\\Müll\\"));
    EXPECT_EQ(ini.read("Exclude", "L1", {}), QString::fromUtf8("€uro"));
}

TEST_F(IniFileTest, WritesInPlaceAfterTheSectionOrAtTheEnd)
{
    give("[Opt]\n O_Trash = 0\nother=x\n\n[Exclude]\nL0=/a/\n");
    ini.write("opt", "o_trash", "1");
    ini.write("Opt", "o_ro", "0");
    ini.write("New", "k", "v");
    EXPECT_EQ(content(), "[Opt]\r\nO_Trash=1\r\nother=x\r\no_ro=0\r\n\r\n[Exclude]\r\nL0=/a/\r\n"
                         "[New]\r\nk=v\r\n");
    const IniFile fresh(dir.filePath("fresh.ini"));
    fresh.write("Opt", "o_trash", "1");
    QFile f(dir.filePath("fresh.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[Opt]\r\no_trash=1\r\n");
}

TEST_F(IniFileTest, UnchangedValuesLeaveTheFileUntouched)
{
    give("[Opt]\n o_trash = \"1\"\n");
    const ino_t before = inode();
    ini.write("OPT", "O_TRASH", "1");
    EXPECT_EQ(inode(), before);
    EXPECT_EQ(content(), "[Opt]\n o_trash = \"1\"\n");
}

TEST_F(IniFileTest, EraseRemovesTheFirstSectionUpToTheNext)
{
    give("[A]\r\na=1\r\n[Exclude]\r\nL0=x\r\n; note\r\n\r\n[B]\r\nb=2\r\n");
    ini.erase("exclude");
    EXPECT_EQ(content(), "[A]\r\na=1\r\n[B]\r\nb=2\r\n");
    const ino_t before = inode();
    ini.erase("missing");
    EXPECT_EQ(inode(), before);
}

TEST_F(IniFileTest, FailedWritesRaiseAndKeepTheOldFile)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("kw2.ini")); // the settings path is a directory
    EXPECT_THROW(ini.write("Opt", "o_trash", "1"), IoError);

    SmallDisk disk(64);
    if (!disk.isReady())
        GTEST_SKIP() << "cannot mount a small file system here";
    const QString full = disk.path() + "/kw2.ini";
    TestFiles::write(QFile::encodeName(full), "[Opt]\r\no_trash=0\r\n");
    disk.fill();
    try {
        IniFile(full).write("Opt", "o_backup", QString(8000, u'x'));
        ADD_FAILURE() << "a write to a full disk must fail";
    } catch (const IoError& e) {
        EXPECT_EQ(e.code(), ENOSPC);
        EXPECT_EQ(e.path(), QFile::encodeName(full));
    }
    QFile f(full);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[Opt]\r\no_trash=0\r\n");
}

} // namespace
