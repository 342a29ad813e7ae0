#pragma once

#include "ledgers/LedgerSheet.h"

#include <QString>

namespace kessory {

// One row of the general ledger: an opening balance, a month's totals or a year-to-date balance of a first-level
// account. Amounts are in yuan, already rounded to the cent; the balance is credit minus debit.
struct typZZItem {
    QString KMBH; // account code
    QString KMMC; // account name
    double DFJE = 0.0; // credit total (month-total rows only)
    double JFJE = 0.0; // debit total (month-total rows only)
    double Diff = 0.0; // balance
    qint16 KJQJ = 0; // month (the start month for the opening row)
    QString ZY; // "期初余额", "本期合计", "本年累计"; empty in a blank entry
};

namespace GeneralLedgerText {
QString funSqlAccounts();
QString funSqlAccountLines(const QString& code);
QString funSqlAllLines();
} // namespace GeneralLedgerText

// The general ledger's row store and its loader.
class GeneralLedger : public LedgerRowStore<typZZItem> {
public:
    // The month range is corrected in place (out of 0 to the current month, reversed); the store then holds, per
    // listed first-level account, its opening row and two rows per month, followed by three blank entries. False
    // when the load ended early (no chart, a failed query, the store full): what was stored stays.
    bool funLoadItem(qint16& start, qint16& end);

    // Credit minus debit of the lines of an account (every account when code is empty) dated before the month;
    // 0 for a month outside 0 to 13 and for any failure.
    static double funGetBalance(qint16 month, const QString& code);

    // The range correction alone: start and end within 0 to the current month, in order.
    static void funCorrectRange(qint16& start, qint16& end, int currentMonth);
};

// How an entry is painted: the opening row carries the account, month-total rows their debit and credit, every
// row its balance; anything else is a blank slot.
LedgerSlotView funSlotView(const typZZItem& item);

} // namespace kessory
