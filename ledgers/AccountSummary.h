#pragma once

#include "ledgers/LedgerSheet.h"

#include <QString>

namespace kessory {

// One row of the account summary: a first-level account's totals over the range, or the closing 合计 row of both
// sides over every account. Amounts in yuan, rounded to the cent; the balance is credit minus debit.
struct typKMHZItem {
    QString KMBH; // account code; empty on the 合计 row
    QString KMMC; // account name; "合计" on the 合计 row
    double DFJE = 0.0; // credit total
    double JFJE = 0.0; // debit total
    double Diff = 0.0; // balance
    QString ZY; // always empty
    EntryKind kind = EntryKind::Blank;
};

// The account summary's row store and its loader. A first-level account's totals take every line whose code starts
// with its code, in the period of its voucher. The figures are the range's movements: the openings are not in them,
// so that the 合计 row's two sides agree whenever every voucher balances.
class AccountSummary : public LedgerRowStore<typKMHZItem> {
public:
    // The month range is corrected in place (out of 0 to 12 becomes 0, reversed put in order); 0 to 0 means the
    // whole year. The store then holds one entry per first-level account with lines in the range and, after them,
    // the 合计 row, followed by three blank entries. False when the load ended early: what was stored stays.
    bool funLoadItem(qint16& start, qint16& end);

    static void funCorrectRange(qint16& start, qint16& end);
};

// How an entry is painted: the same for loaded and blank entries (a blank one shows zeros and 平); no period. The
// 合计 row whose sides differ is red.
LedgerSlotView funSlotView(const typKMHZItem& item);

} // namespace kessory
