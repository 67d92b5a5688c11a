#pragma once

#include "settings/FixedDialog.h"
#include "settings/Options.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class TfrmAusschluss;
class TfrmSuchmuster;

// The options dialog. Its six check boxes are where the options live: every
// user reads them when it needs a value. From here the pattern editor and
// the exclusion dialog are opened.
class TfrmOptionen : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmOptionen(QWidget* parent = nullptr);

    void setDialogs(TfrmSuchmuster* editor, TfrmAusschluss* exclusions);
    Options options() const;
    void setOptions(const Options& options);
    bool option(Option o) const;
    QCheckBox* checkBox(Option o) const;

public Q_SLOTS:
    void BitBtn3Click();
    void BitBtn4Click();

private:
    QCheckBox* addCheckBox(QWidget* parent, const char* name, const QString& caption, bool checked,
                           const QRect& place);

    QCheckBox* CheckBox1;
    QCheckBox* CheckBox12;
    QGroupBox* GroupBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    TfrmSuchmuster* m_editor = nullptr;
    TfrmAusschluss* m_exclusions = nullptr;
};
