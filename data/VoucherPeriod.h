#pragma once

#include <QString>

namespace kessory {

// The period (month 1-12) every book files a voucher's lines under, as SQL over the header's alias: the month of
// its 记账日期, and its stored 月份 only where that date cannot be read. A line's own 日期 (when it was last written)
// never decides a period.
inline QString voucherPeriodSql(const QString& headerAlias)
{
    return QStringLiteral("Coalesce(Month(%1.记账日期), %1.月份)").arg(headerAlias);
}

} // namespace kessory
