#include "vouchers/VoucherTotals.h"

#include "data/Numbers.h"

#include <limits>

namespace kessory {

RowAmounts netRow(RowAmounts row)
{
    const qint64 d = row.credit - row.debit;
    if (d > 0)
        return { 0, d };
    return { -d, 0 };
}

qint64 addCents(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (!__builtin_add_overflow(a, b, &sum))
        return sum;
    return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
}

VoucherTotals sumLines(const VoucherLines& lines)
{
    VoucherTotals totals;
    for (const typVoucherLine& line : lines) {
        if (line.方向)
            totals.credit = addCents(totals.credit, toCents(line.金额));
        else
            totals.debit = addCents(totals.debit, toCents(line.金额));
    }
    return totals;
}

} // namespace kessory
