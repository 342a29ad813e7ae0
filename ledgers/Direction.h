#pragma once

#include <QString>
#include <QtGlobal>

namespace kessory {

// The side of a balance (credit minus debit), judged in whole cents: zero to the cent is 平.
enum class Side { Even, Credit, Debit };

Side sideOfCents(qint64 balanceCents);
Side sideOf(double balance);
// "平", "贷" or "借".
QString sideText(Side side);

} // namespace kessory
