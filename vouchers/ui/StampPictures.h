#pragma once

#include <QPixmap>

namespace kessory {

// The pictures of the five state stamps (voided, unbalanced or without lines, audited, and two that no command
// sets), drawn like ink stamps.
QPixmap stampPicture(int index);
QString stampText(int index);

} // namespace kessory
