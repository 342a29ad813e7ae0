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

namespace kessory {
enum class WindowKind;
// A plain window with the kind's caption, for a kind whose window is not built yet.
QWidget* createPlaceholderWindow(WindowKind kind);
} // namespace kessory
