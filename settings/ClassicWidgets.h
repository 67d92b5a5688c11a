#pragma once

#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

// Building blocks of the program's fixed-layout windows.
namespace ClassicWidgets {
// Names a control after its form name and puts it at its place.
template <typename W> W* place(W* widget, const char* name, const QRect& rect)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    return widget;
}
// A push button with one of the program's glyphs; never a default button.
QPushButton* glyphButton(QWidget* parent, const char* glyph, const QString& caption);
} // namespace ClassicWidgets
