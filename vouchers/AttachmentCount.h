#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace kessory {

// The attachment count (附单据数) typed into its box: blanks or nothing is 0; otherwise the box must hold a whole
// number from 0 to 32767, the most the 16-bit column carries. Anything else has no count (nullopt), so the window
// refuses it instead of storing a clamped, wrapped or guessed number.
std::optional<qint16> attachmentCount(const QString& text);

// The refusal the window shows for such a box.
QString attachmentCountRefusal();

} // namespace kessory
