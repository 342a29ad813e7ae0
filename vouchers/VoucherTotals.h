#pragma once

#include "vouchers/VoucherTypes.h"

#include <QtGlobal>

namespace kessory {

// The two amount cells of one sheet row, in whole cents.
struct RowAmounts {
    qint64 debit = 0;
    qint64 credit = 0;
};

// A row with both sides filled keeps only the larger side, holding the difference; equal sides net to 0 on both.
RowAmounts netRow(RowAmounts row);

struct VoucherTotals {
    qint64 debit = 0;
    qint64 credit = 0;
    qint64 difference() const { return debit > credit ? debit - credit : credit - debit; }
};

// Debit and credit totals over every slot of arrLines: credit lines by 方向, every other line as debit.
VoucherTotals sumLines(const VoucherLines& lines);

} // namespace kessory
