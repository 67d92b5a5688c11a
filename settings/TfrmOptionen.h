#pragma once

#include "settings/FixedDialog.h"
#include "settings/Options.h"

class QCheckBox;
class QGroupBox;

// The options dialog. Its six check boxes are where the options live: every
// user reads them when it needs a value.
class TfrmOptionen : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmOptionen(QWidget* parent = nullptr);

    Options options() const;
    void setOptions(const Options& options);
    bool option(Option o) const;
    QCheckBox* checkBox(Option o) const;

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
};
