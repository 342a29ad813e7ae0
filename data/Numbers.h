#pragma once

#include <QString>
#include <QtGlobal>

namespace kessory {

// The leading decimal number of a text (blanks before it skipped, an optional sign, digits, an optional fraction);
// 0 when the text does not begin with a number. "3月" gives 3, "全部" gives 0.
double leadingNumber(const QString& text);

// A number rounded to the nearest integer with halves to even, held in 16 bits (clamped).
qint16 roundToInt16(double value);

// An amount in yuan as whole cents, rounded half away from zero on the shortest decimal form of the double (the
// value a user sees): 1.005 gives 101, 0.125 gives 13, 0.29 gives 29.
qint64 toCents(double yuan);
// Whole cents back to yuan.
double fromCents(qint64 cents);
// An amount rounded to two decimals the same way.
inline double roundYuan(double yuan)
{
    return fromCents(toCents(yuan));
}

} // namespace kessory
