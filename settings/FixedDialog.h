#pragma once

#include <QDialog>

// A dialog of fixed client size with system menu and minimise box, centred
// on the screen whenever it is shown.
class FixedDialog : public QDialog {
    Q_OBJECT
public:
    FixedDialog(QWidget* parent, const char* name, const QString& caption, int width, int height);

    // The classic window font was 8 points of a bitmap sans serif: 11 pixels
    // of the desktop's sans serif keep the fixed layouts unclipped.
    static QFont classicFont();

protected:
    void showEvent(QShowEvent* event) override;
};
