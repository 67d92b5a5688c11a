#include "settings/FixedDialog.h"

#include <QApplication>
#include <QScreen>

FixedDialog::FixedDialog(QWidget* parent, const char* name, const QString& caption, int width,
                         int height)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setFixedSize(width, height);
    setFont(classicFont());
}

QFont FixedDialog::classicFont()
{
    QFont f = QApplication::font();
    f.setPixelSize(11);
    return f;
}

void FixedDialog::showEvent(QShowEvent* event)
{
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
