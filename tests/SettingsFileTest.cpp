#include "settings/SettingsFile.h"

#include "TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("kw2.ini");
    SettingsFile settings{path};
    void give(const QByteArray& content) { TestFiles::write(QFile::encodeName(path), content); }
};

TEST_F(SettingsFileTest, NoFileMeansEverythingOnAndNothingCreated)
{
    const Options all{true, true, true, true, true, true};
    EXPECT_EQ(settings.loadOptions(), all);
    EXPECT_TRUE(settings.loadExcludeList().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(SettingsFileTest, OptionValues)
{
    for (const char* off : {"0", "0x0", "0X00", "-0"})
        EXPECT_FALSE(SettingsFile::parseOption(off, true)) << off;
    for (const char* on : {"1", "2", "-1", "0x1F", "yes", "true", "", "0x", " ", "1.5"})
        EXPECT_TRUE(SettingsFile::parseOption(on, true)) << on;
    give("[OPT]\r\nO_TRASH=0\r\no_backup=1\r\no_0byte=0x0\r\no_hidden=yes\r\no_system=\r\n");
    const Options expected{false, true, false, true, true, true};
    EXPECT_EQ(settings.loadOptions(), expected);
}

TEST_F(SettingsFileTest, ExcludeListStopsAtTheFirstGapOrAtLessThan)
{
    give("[Exclude]\r\nL0=/a/\r\nL1=\r\nL2=/c/\r\nL4=/never/\r\n");
    EXPECT_EQ(settings.loadExcludeList(), QStringList({"/a/", "", "/c/"}));
    give("[exclude]\r\nl0=/a/\r\nL1=<\r\nL2=/c/\r\n");
    EXPECT_EQ(settings.loadExcludeList(), QStringList({"/a/"}));
}

TEST_F(SettingsFileTest, SavedSettingsComeBackAndShorterListsLeaveNoRest)
{
    const Options options{true, false, false, true, false, true};
    settings.saveOptions(options);
    settings.saveExcludeList({"/1/", "/2/", "/3/", "/4/", "/5/"});
    settings.saveExcludeList({"/a/", "/b/", "/c/"});
    EXPECT_EQ(settings.loadOptions(), options);
    EXPECT_EQ(settings.loadExcludeList(), QStringList({"/a/", "/b/", "/c/"}));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[Opt]\r\no_trash=1\r\no_backup=0\r\no_0byte=0\r\no_hidden=1\r\n"
                           "o_system=0\r\no_ro=1\r\n[Exclude]\r\nL0=/a/\r\nL1=/b/\r\nL2=/c/\r\n");
    f.close();
    settings.saveExcludeList({});
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.readAll().contains("Exclude"));
}

} // namespace
