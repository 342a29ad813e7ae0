#pragma once

#include "ledgers/LedgerSheet.h"

#include <QString>

namespace kessory {

struct FirstLevelAccount;

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
    EntryKind kind = EntryKind::Blank;
};

// The general ledger's row store and its loader. A first-level account's figures take every line whose code starts
// with its code, in the period of its voucher, and start from the account's opening balance of the year.
class GeneralLedger : public LedgerRowStore<typZZItem> {
public:
    // The month range is corrected in place (out of 0 to the current month, reversed); the store then holds, per
    // listed first-level account, its opening row and two rows per month, followed by three blank entries. False
    // when the load ended early (no chart, a failed query, the store full): what was stored stays.
    bool funLoadItem(qint16& start, qint16& end);

    // The balance of an account (every account when code is empty) before the month: its opening of the year and
    // the lines of the months before; 0 for a month outside 1 to 13 and for any failure.
    static double funGetBalance(qint16 month, const QString& code);

    // The range correction alone: start and end within 0 to the current month, in order.
    static void funCorrectRange(qint16& start, qint16& end, int currentMonth);

private:
    bool storeAccount(const FirstLevelAccount& account, qint16 start, qint16 end);
};

// How an entry is painted: the opening row carries the account, month-total rows their debit and credit, every
// row its balance; anything else is a blank slot.
LedgerSlotView funSlotView(const typZZItem& item);

} // namespace kessory
