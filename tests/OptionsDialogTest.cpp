#include "MainWindowFixture.h"
#include "ModalAnswer.h"
#include "TestFiles.h"
#include "platform/DirectoryListBox.h"
#include "settings/PatternFile.h"
#include "settings/PatternListBox.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QDir>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The options and exclusion dialogs, driven as a user would, on a settings
// file of the test's own.
class OptionsDialogTest : public MainWindowFixture {
protected:
    QTemporaryDir& dir = programDir;
    QByteArray root = QFile::encodeName(QDir(dir.path()).canonicalPath());
    SettingsFile settings{dir.filePath("kw2.ini")};

    OptionsDialogTest()
    {
        window.show();
        QApplication::processEvents();
    }

    template <typename T = QWidget> static T* child(QWidget* w, const char* name)
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
    static void press(QWidget* dialog, const char* button)
    {
        child<QPushButton>(dialog, button)->click();
    }
    // Runs "Options"; inside, each step gets the dialog that is then on top.
    void runOptions(std::vector<std::function<void(QWidget*)>> steps)
    {
        size_t next = 0;
        ModalAnswer answer([&](QWidget* modal) {
            if (next < steps.size())
                steps[next++](modal);
        });
        window.ToolButton6Click();
        QApplication::processEvents();
        EXPECT_EQ(next, steps.size());
    }
    QStringList toIgnore()
    {
        QStringList out;
        auto* list = child<QListWidget>(&exclusions, "ToIgnore");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
};

TEST_F(OptionsDialogTest, LooksAsTabled)
{
    EXPECT_EQ(options.windowTitle(), "Options");
    EXPECT_EQ(options.size(), QSize(469, 268));
    EXPECT_EQ(child(&options, "BitBtn3")->geometry(), QRect(32, 192, 193, 25));
    EXPECT_EQ(child<QPushButton>(&options, "BitBtn1")->text(), "&Okay");
    EXPECT_EQ(child<QPushButton>(&options, "BitBtn2")->text(), "&Cancel");
    EXPECT_EQ(exclusions.windowTitle(), "Exclude directories");
    EXPECT_EQ(exclusions.size(), QSize(632, 210));
    EXPECT_EQ(child(&exclusions, "ToIgnore")->geometry(), QRect(376, 40, 249, 97));
    EXPECT_EQ(child(&exclusions, "Dirs")->geometry(), QRect(8, 40, 249, 97));
}

TEST_F(OptionsDialogTest, CancelRestoresAndStillWritesTheOptions)
{
    runOptions({[](QWidget* d) {
        child<QCheckBox>(d, "CheckBox1")->setChecked(false);
        child<QCheckBox>(d, "CheckBox5")->setChecked(false);
        press(d, "BitBtn2");
    }});
    EXPECT_TRUE(options.option(o_trash));
    EXPECT_EQ(settings.loadOptions(), options.options());
    QFile f(dir.filePath("kw2.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("[Opt]\r\no_trash=1\r\n"));
}

// Whenever the window system reports the main window active again, even
// while the dialog is still closing, the confirmed values stay.
TEST_F(OptionsDialogTest, ConfirmedValuesSurviveReactivationInAnyOrder)
{
    const Options before = options.options();
    runOptions({[this](QWidget* d) {
        child<QCheckBox>(d, "CheckBox1")->setChecked(false);
        child<QCheckBox>(d, "CheckBox3")->setChecked(false);
        window.FormActivate(); // an activation arriving before the dialog's result is saved
        press(d, "BitBtn1");
    }});
    window.FormActivate();
    QApplication::processEvents();
    EXPECT_FALSE(options.option(o_trash));
    EXPECT_FALSE(options.option(o_hidden));
    EXPECT_EQ(settings.loadOptions(), options.options());
    EXPECT_NE(options.options(), before);

    runOptions({[](QWidget* d) { press(d, "BitBtn1"); }}); // confirming without change
    EXPECT_FALSE(settings.loadOptions()[o_trash]);
}

TEST_F(OptionsDialogTest, ExclusionsAreAddedRemovedAndSaved)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("skip/me"));
    auto* dirs = child<DirectoryListBox>(&exclusions, "Dirs");
    runOptions({[](QWidget* d) { press(d, "BitBtn4"); },
                [&](QWidget* e) {
                    dirs->setDirectory(root + "/skip");
                    press(e, "BitBtn1");
                    press(e, "BitBtn1"); // twice: two entries
                    dirs->setDirectory("/");
                    press(e, "BitBtn1");
                    child<QListWidget>(e, "ToIgnore")->clearSelection();
                    press(e, "BitBtn2"); // nothing highlighted: nothing removed
                    press(e, "BitBtn3");
                },
                [](QWidget* d) { press(d, "BitBtn2"); }}); // cancelling the options keeps them
    const QStringList expected = {QFile::decodeName(root) + "/skip/",
                                  QFile::decodeName(root) + "/skip/", "/"};
    EXPECT_EQ(window.ExcludeList, expected);
    EXPECT_EQ(settings.loadExcludeList(), expected);

    // Add and remove, then cancel: nothing changes, and the next opening shows the old list.
    runOptions({[](QWidget* d) { press(d, "BitBtn4"); },
                [&](QWidget* e) {
                    press(e, "BitBtn1");
                    child<QListWidget>(e, "ToIgnore")->setCurrentRow(0);
                    press(e, "BitBtn2");
                    press(e, "BitBtn4");
                },
                [](QWidget* d) { press(d, "BitBtn1"); }});
    EXPECT_EQ(window.ExcludeList, expected);
    EXPECT_EQ(settings.loadExcludeList(), expected);
    exclusions.show();
    EXPECT_EQ(toIgnore(), expected);
    exclusions.hide();

    // An empty list removes the section.
    runOptions({[](QWidget* d) { press(d, "BitBtn4"); },
                [](QWidget* e) {
                    child<QListWidget>(e, "ToIgnore")->clear();
                    press(e, "BitBtn3");
                },
                [](QWidget* d) { press(d, "BitBtn1"); }});
    EXPECT_TRUE(window.ExcludeList.isEmpty());
    QFile f(dir.filePath("kw2.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.readAll().contains("Exclude"));
}

TEST_F(OptionsDialogTest, ThePatternEditorIsReachedFromTheOptions)
{
    runOptions({[](QWidget* d) { press(d, "BitBtn3"); }, [](QWidget* e) { press(e, "BitBtn1"); },
                [](QWidget* input) {
                    auto* box = qobject_cast<QInputDialog*>(input);
                    box->setTextValue("*.kwtest");
                    box->accept();
                },
                [](QWidget* e) { press(e, "BitBtn3"); }, // the editor again: "&Okay"
                [](QWidget* d) { press(d, "BitBtn1"); }});
    EXPECT_TRUE(window.findChild<PatternListBox*>("Patterns")->patterns().contains("*.kwtest"));
    EXPECT_TRUE(PatternFile::read(dir.filePath("patterns.kwl")).contains("*.kwtest"));
}

// The dialog closes as always; the user learns that nothing was saved.
TEST_F(OptionsDialogTest, ASaveThatFailsIsReported)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("kw2.ini"));
    QStringList shown;
    ModalAnswer answer([&](QWidget* modal) {
        if (modal == &options)
            press(modal, "BitBtn1");
        else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shown << box->text();
            box->accept();
        }
    });
    // As a click does: through the event loop, where failures are caught.
    QMetaObject::invokeMethod(
        &window, [this] { window.ToolButton6Click(); }, Qt::QueuedConnection);
    QApplication::processEvents();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(dir.filePath("kw2.ini") + "\n\ncannot be saved: "));
    EXPECT_FALSE(options.isVisible());
}

} // namespace
