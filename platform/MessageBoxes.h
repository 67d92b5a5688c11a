#pragma once

#include <QString>

class QWidget;

// The program's two kinds of message window, both without an icon.
namespace MessageBoxes {
// The text with one OK button, titled "Kehrwerk".
void showMessage(QWidget* parent, const QString& text);
// Yes and No, Yes the default; true only for Yes.
bool askYesNo(QWidget* parent, const QString& caption, const QString& text);
} // namespace MessageBoxes
