#include "MainWindowFixture.h"
#include "TestFiles.h"
#include "settings/PatternListBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The main window's side of settings and patterns, on files of its own.
class SettingsWindowTest : public MainWindowFixture {
protected:
    QTemporaryDir& dir = programDir;
    void give(const char* name, const QByteArray& content)
    {
        TestFiles::write(QFile::encodeName(dir.filePath(name)), content);
    }
    PatternListBox* patterns() { return window.findChild<PatternListBox*>("Patterns"); }
};

TEST_F(SettingsWindowTest, OptionsDialogStartsInItsDesignStates)
{
    const Options design{true, true, false, true, true, true};
    EXPECT_EQ(options.options(), design);
    EXPECT_EQ(options.findChild<QCheckBox*>("CheckBox1")->text(), "Use \"Recycle bin\"");
    EXPECT_EQ(options.findChild<QCheckBox*>("CheckBox5")->text(), "Read-only-files");
}

TEST_F(SettingsWindowTest, ActivationLoadsOptionsAndExclusionsEveryTime)
{
    window.FormActivate(); // no file: everything on, nothing created
    EXPECT_EQ(options.options(), (Options{true, true, true, true, true, true}));
    EXPECT_FALSE(QFile::exists(dir.filePath("kw2.ini")));

    give("kw2.ini",
         "[Opt]\r\no_trash=0\r\no_ro=0x0\r\n[Exclude]\r\nL0=/srv/keep/\r\nL1=/home/x/\r\n");
    window.FormActivate();
    EXPECT_EQ(options.options(), (Options{false, true, true, true, true, false}));
    EXPECT_EQ(window.ExcludeList, QStringList({"/srv/keep/", "/home/x/"}));
}

TEST_F(SettingsWindowTest, SavedOptionsAndExclusionsRoundTrip)
{
    options.setOptions({false, true, false, false, true, true});
    window.SaveOptions();
    window.ExcludeList = {"/a/", "/b/"};
    window.SaveExcludeList();
    options.setOptions({true, true, true, true, true, true});
    window.ExcludeList.clear();
    window.LoadSettings();
    EXPECT_EQ(options.options(), (Options{false, true, false, false, true, true}));
    EXPECT_EQ(window.ExcludeList, QStringList({"/a/", "/b/"}));
}

TEST_F(SettingsWindowTest, PatternsLoadSortedUncheckedAndThePopupChecksAll)
{
    give("patterns.kwl", "*.tmp\n*.BAK\r\n\r\n~*.*");
    window.LoadPatterns();
    EXPECT_EQ(patterns()->patterns(), QStringList({"", "*.BAK", "*.tmp", "~*.*"}));
    EXPECT_TRUE(patterns()->checkedPatterns().isEmpty());
    window.AlleSuchmusteranwhlen1Click();
    EXPECT_EQ(patterns()->checkedPatterns().size(), 4);
    window.AlleSuchmusterabwhlen1Click();
    EXPECT_TRUE(patterns()->checkedPatterns().isEmpty());
}

} // namespace
