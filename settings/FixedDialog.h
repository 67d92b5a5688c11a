#pragma once

#include <QDialog>

// A dialog of fixed client size with system menu and minimise box, centred
// on the screen whenever it is shown.
class FixedDialog : public QDialog {
    Q_OBJECT
public:
    FixedDialog(QWidget* parent, const char* name, const QString& caption, int width, int height);

protected:
    void showEvent(QShowEvent* event) override;
};
