#include "settings/TfrmSuchmuster.h"

#include "platform/MessageBoxes.h"
#include "settings/ClassicWidgets.h"
#include "settings/PatternFile.h"
#include "settings/PatternListBox.h"

#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>

using ClassicWidgets::glyphButton;
using ClassicWidgets::place;

TfrmSuchmuster::TfrmSuchmuster(QWidget* parent)
    : FixedDialog(parent, "frmSuchmuster", QStringLiteral("Edit search patterns"), 632, 267)
{
    Patterns = new PatternListBox(this);
    Patterns->setObjectName(QStringLiteral("Patterns"));
    Patterns->setGeometry(8, 8, 617, 153);
    BitBtn1 = place(glyphButton(this, "new", QStringLiteral("&New search pattern")), "BitBtn1",
                    {16, 184, 169, 25});
    BitBtn2 = place(glyphButton(this, "delete", QStringLiteral("&Delete selected pattern(s)")),
                    "BitBtn2", {216, 184, 169, 25});
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 224);
    BitBtn3 =
        place(glyphButton(this, "done", QStringLiteral("&Okay")), "BitBtn3", {544, 224, 75, 25});
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmSuchmuster::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmSuchmuster::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmSuchmuster::BitBtn3Click);
}

void TfrmSuchmuster::setMainList(PatternListBox* patterns, const QString& programDirectory)
{
    m_mainList = patterns;
    m_programDirectory = programDirectory;
}

// Once per opening: the input box closing must not reset the working copy.
void TfrmSuchmuster::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    FormActivate();
}

void TfrmSuchmuster::FormActivate()
{
    Patterns->setPatterns(m_mainList ? m_mainList->patterns() : QStringList());
    showCount();
}

void TfrmSuchmuster::showCount()
{
    Label1->setText(QStringLiteral("%1 search patterns").arg(Patterns->count()));
    Label1->adjustSize();
}

void TfrmSuchmuster::BitBtn1Click()
{
    const QString text = QInputDialog::getText(this, QStringLiteral("New search pattern"),
                                               QStringLiteral("Search pattern to add:"));
    if (!text.isEmpty())
        Patterns->addPattern(text);
    showCount();
}

void TfrmSuchmuster::BitBtn2Click()
{
    if (!MessageBoxes::askYesNo(
            this, QStringLiteral("Kehrwerk"),
            QStringLiteral("Are you sure to delete\nthe selected search patterns?")))
        return;
    Patterns->removeChecked();
    showCount();
}

// Closes with OK even when the save fails; the failure goes on to the
// application's handler.
void TfrmSuchmuster::BitBtn3Click()
{
    if (m_mainList)
        m_mainList->setPatterns(Patterns->patterns());
    accept();
    SavePatterns();
}

void TfrmSuchmuster::SavePatterns()
{
    PatternFile::write(QDir(m_programDirectory).filePath(QLatin1String(PatternFile::FileName)),
                       Patterns->patterns());
}
