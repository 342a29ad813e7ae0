#pragma once

#include <QFont>

namespace kessory {

// The typeface of everything Kessory prints: a Chinese face that the PDF embeds, in a size given in points.
QFont printFont(double points, bool bold = false);

} // namespace kessory
