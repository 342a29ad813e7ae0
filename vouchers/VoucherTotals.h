#pragma once

#include "vouchers/VoucherTypes.h"

#include <QtGlobal>
#include <limits>

namespace kessory {

// The two amount cells of one sheet row, in whole cents.
struct RowAmounts {
    qint64 debit = 0;
    qint64 credit = 0;
};

// A row with both sides filled keeps only the larger side, holding the difference; equal sides net to 0 on both.
RowAmounts netRow(RowAmounts row);

// Sums of cents that stop at the largest (or smallest) value instead of overflowing: amounts read from a file may be
// far beyond what a voucher can show.
qint64 addCents(qint64 a, qint64 b);

struct VoucherTotals {
    qint64 debit = 0;
    qint64 credit = 0;
    // Never negative, and at most the largest value.
    qint64 difference() const
    {
        qint64 d = 0;
        if (__builtin_sub_overflow(debit > credit ? debit : credit, debit > credit ? credit : debit, &d))
            return std::numeric_limits<qint64>::max();
        return d;
    }
};

// Debit and credit totals over every slot of arrLines: credit lines by 方向, every other line as debit.
VoucherTotals sumLines(const VoucherLines& lines);

} // namespace kessory
