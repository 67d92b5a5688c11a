#include "settings/TfrmSuchmuster.h"

#include "ModalAnswer.h"
#include "settings/PatternFile.h"
#include "settings/PatternListBox.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TfrmSuchmusterTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    PatternListBox mainList;
    TfrmSuchmuster editor;

    TfrmSuchmusterTest()
    {
        for (const char* p : {"*.tmp", "*.bak"})
            mainList.addPattern(p);
        mainList.setAllChecked(true);
        editor.setMainList(&mainList, dir.path());
        editor.show();
    }
    PatternListBox* list() { return editor.findChild<PatternListBox*>("Patterns"); }
    QString label() { return editor.findChild<QLabel*>("Label1")->text(); }
    void add(const QString& typed, bool confirm = true)
    {
        ModalAnswer answer([&](QWidget* w) {
            auto* box = qobject_cast<QInputDialog*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "New search pattern");
            EXPECT_EQ(box->labelText(), "Search pattern to add:");
            box->setTextValue(typed);
            confirm ? box->accept() : box->reject();
        });
        editor.BitBtn1Click();
    }
    void remove(QMessageBox::StandardButton reply)
    {
        ModalAnswer answer([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), "Are you sure to delete\nthe selected search patterns?");
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
            box->button(reply)->click();
        });
        editor.BitBtn2Click();
    }
};

TEST_F(TfrmSuchmusterTest, OpensWithAnUncheckedCopyAndCounts)
{
    EXPECT_EQ(list()->patterns(), QStringList({"*.bak", "*.tmp"}));
    EXPECT_TRUE(list()->checkedPatterns().isEmpty());
    EXPECT_EQ(label(), "2 search patterns");
    EXPECT_EQ(editor.windowTitle(), "Edit search patterns");
    EXPECT_EQ(editor.size(), QSize(632, 267));
}

TEST_F(TfrmSuchmusterTest, NewPatternsAreAddedExactlyAsTyped)
{
    add(" *.old ");
    add("", true);
    add("*.never", false);
    EXPECT_EQ(list()->patterns(), QStringList({" *.old ", "*.bak", "*.tmp"}));
    EXPECT_EQ(label(), "3 search patterns");
}

TEST_F(TfrmSuchmusterTest, DeletingAsksAndRemovesOnlyCheckedEntries)
{
    list()->item(1)->setCheckState(Qt::Checked);
    list()->setCurrentRow(0); // merely highlighted: stays
    remove(QMessageBox::No);
    EXPECT_EQ(list()->checkedPatterns(), QStringList({"*.tmp"}));
    remove(QMessageBox::Yes);
    EXPECT_EQ(list()->patterns(), QStringList({"*.bak"}));
    EXPECT_EQ(label(), "1 search patterns");
    list()->item(0)->setCheckState(Qt::Checked);
    remove(QMessageBox::Yes);
    EXPECT_EQ(label(), "0 search patterns");
}

TEST_F(TfrmSuchmusterTest, OkayReplacesTheMainListAndSavesItSorted)
{
    add("*.Ab");
    editor.BitBtn3Click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(mainList.patterns(), QStringList({"*.Ab", "*.bak", "*.tmp"}));
    EXPECT_TRUE(mainList.checkedPatterns().isEmpty());
    EXPECT_EQ(PatternFile::read(dir.filePath("patterns.kwl")), mainList.patterns());
}

TEST_F(TfrmSuchmusterTest, AFailedSaveStillClosesAndRaises)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("patterns.kwl"));
    EXPECT_THROW(editor.BitBtn3Click(), std::exception);
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(mainList.patterns().size(), 2);
}

} // namespace
