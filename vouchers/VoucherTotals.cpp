#include "vouchers/VoucherTotals.h"

#include "data/Numbers.h"

namespace kessory {

RowAmounts netRow(RowAmounts row)
{
    const qint64 d = row.credit - row.debit;
    if (d > 0)
        return { 0, d };
    return { -d, 0 };
}

VoucherTotals sumLines(const VoucherLines& lines)
{
    VoucherTotals totals;
    for (const typVoucherLine& line : lines) {
        if (line.方向)
            totals.credit += toCents(line.金额);
        else
            totals.debit += toCents(line.金额);
    }
    return totals;
}

} // namespace kessory
