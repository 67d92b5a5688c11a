#include "settings/ClassicWidgets.h"

#include <QPushButton>

namespace ClassicWidgets {

QPushButton* glyphButton(QWidget* parent, const char* glyph, const QString& caption)
{
    auto* b = new QPushButton(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(glyph))),
                              caption, parent);
    b->setIconSize(QSize(16, 16));
    b->setAutoDefault(false);
    return b;
}

} // namespace ClassicWidgets
