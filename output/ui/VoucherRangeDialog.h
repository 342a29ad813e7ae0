#pragma once

#include "output/VoucherSelection.h"
#include "output/ui/VoucherPainter.h"

class QWidget;

namespace kessory {

// The dialog of 打印 and 导出 in the voucher window: category, number range, month, voided vouchers stamped or
// left out, and the paper. The range comes in as proposed and goes out as chosen; false when cancelled.
bool askVoucherRange(QWidget* parent, VoucherRange& range, VoucherPaperKind& paper);

} // namespace kessory
