#include "output/ui/PrintFonts.h"

namespace kessory {

QFont printFont(double points, bool bold)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace kessory
