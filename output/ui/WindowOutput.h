#pragma once

#include "output/ui/OutputActions.h"

class QPushButton;
class QWidget;
class frmZZ;
class frmKMHZB;

namespace kessory {

class frmMXZ;
struct StatementDefinition;

// 打印 and 导出 of each function window, with what the window shows at that moment. Where the window has a tool bar
// with 刷新 (cmd_Refresh), the two buttons stand beside it.
void installDetailLedgerOutput(frmMXZ* window);
void installGeneralLedgerOutput(frmZZ* window);
void installSummaryOutput(frmKMHZB* window);
void installStatementOutput(QWidget* window, const StatementDefinition& statement);
// The account manager's own 打  印 button prints; 导出 is its Ctrl+E and the menu's.
void installAccountsOutput(QWidget* window, QPushButton* printButton);
// The voucher window asks which vouchers (its current voucher proposed) and on which paper; the buttons are
// returned for its tool bar's layout.
OutputButtons installVoucherOutput(QWidget* window, QWidget* buttonParent);

// Tests answer the voucher range dialog: false cancels.
using VoucherRangeAsker = std::function<bool(VoucherRange& range, VoucherPaperKind& paper)>;
void setVoucherRangeAsker(VoucherRangeAsker asker);

} // namespace kessory
