#pragma once

#include <QString>

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

// The voucher window's search, as other windows call it: opens the voucher window when it is not open, then shows
// the voucher of that category and number.
void searchVoucher(const QString& category, qint16 number);
