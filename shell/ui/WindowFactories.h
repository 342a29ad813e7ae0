#pragma once

class QWidget;

// How each function window is made; each subsystem defines its own.
QWidget* createVoucherWindow();
QWidget* createDetailLedgerWindow();
QWidget* createGeneralLedgerWindow();
QWidget* createCashFlowWindow();
QWidget* createIncomeWindow();
QWidget* createBalanceSheetWindow();
QWidget* createAccountWindow();
QWidget* createSummaryWindow();

#include <QString>

// The voucher window's search, as other windows call it: opens the voucher window when it is not open, then shows
// the voucher of that category and number.
void searchVoucher(const QString& category, qint16 number);

namespace kessory {
enum class WindowKind;
// A plain window with the kind's caption, for a kind whose window is not built yet.
QWidget* createPlaceholderWindow(WindowKind kind);
} // namespace kessory
