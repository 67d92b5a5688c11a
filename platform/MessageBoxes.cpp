#include "platform/MessageBoxes.h"

#include <QMessageBox>

namespace MessageBoxes {

void showMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kehrwerk"), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MessageWindow"));
    box.exec();
}

bool askYesNo(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("YesNoBox"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace MessageBoxes
