#include "settings/TfrmOptionen.h"

#include "settings/ClassicWidgets.h"
#include "settings/TfrmAusschluss.h"
#include "settings/TfrmSuchmuster.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

using ClassicWidgets::glyphButton;
using ClassicWidgets::place;

TfrmOptionen::TfrmOptionen(QWidget* parent)
    : FixedDialog(parent, "frmOptionen", QStringLiteral("Options"), 469, 268)
{
    CheckBox1 = addCheckBox(this, "CheckBox1", QStringLiteral("Use \"Recycle bin\""), true,
                            {32, 8, 121, 17});
    CheckBox12 = addCheckBox(this, "CheckBox12", QStringLiteral("Backup files during OLE-Crunch"),
                             true, {32, 32, 193, 17});
    GroupBox1 = new QGroupBox(QStringLiteral("Files to ignore"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(32, 64, 321, 89);
    CheckBox2 = addCheckBox(GroupBox1, "CheckBox2", QStringLiteral("0-byte-files"), false,
                            {16, 24, 121, 17});
    CheckBox3 = addCheckBox(GroupBox1, "CheckBox3", QStringLiteral("Hidden files"), true,
                            {184, 24, 129, 17});
    CheckBox4 = addCheckBox(GroupBox1, "CheckBox4", QStringLiteral("System files"), true,
                            {16, 56, 121, 17});
    CheckBox5 = addCheckBox(GroupBox1, "CheckBox5", QStringLiteral("Read-only-files"), true,
                            {184, 56, 121, 17});
    BitBtn3 = place(glyphButton(this, "patterns", QStringLiteral("Edit search patterns")),
                    "BitBtn3", {32, 192, 193, 25});
    BitBtn4 = place(glyphButton(this, "exclude", QStringLiteral("Exclude directories")), "BitBtn4",
                    {32, 224, 193, 25});
    BitBtn1 =
        place(glyphButton(this, "done", QStringLiteral("&Okay")), "BitBtn1", {368, 176, 75, 25});
    BitBtn2 = place(glyphButton(this, "cancel", QStringLiteral("&Cancel")), "BitBtn2",
                    {368, 216, 75, 25});
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmOptionen::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TfrmOptionen::BitBtn4Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmOptionen::setDialogs(TfrmSuchmuster* editor, TfrmAusschluss* exclusions)
{
    m_editor = editor;
    m_exclusions = exclusions;
}

void TfrmOptionen::BitBtn3Click()
{
    if (m_editor)
        m_editor->exec();
}

void TfrmOptionen::BitBtn4Click()
{
    if (m_exclusions)
        m_exclusions->exec();
}

QCheckBox* TfrmOptionen::addCheckBox(QWidget* parent, const char* name, const QString& caption,
                                     bool checked, const QRect& place)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    box->setGeometry(place);
    return box;
}

Options TfrmOptionen::options() const
{
    Options o{};
    for (int i = 0; i < OptionCount; ++i)
        o[i] = option(Option(i));
    return o;
}

void TfrmOptionen::setOptions(const Options& options)
{
    for (int i = 0; i < OptionCount; ++i)
        checkBox(Option(i))->setChecked(options[i]);
}

bool TfrmOptionen::option(Option o) const
{
    return checkBox(o)->isChecked();
}

QCheckBox* TfrmOptionen::checkBox(Option o) const
{
    QCheckBox* const boxes[OptionCount] = {CheckBox1, CheckBox12, CheckBox2,
                                           CheckBox3, CheckBox4,  CheckBox5};
    return boxes[o];
}
