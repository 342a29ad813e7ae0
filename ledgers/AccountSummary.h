#pragma once

#include "ledgers/LedgerSheet.h"

#include <QString>

namespace kessory {

// One row of the account summary: a first-level account's totals over the range. Amounts in yuan, rounded to the
// cent; the balance is credit minus debit.
struct typKMHZItem {
    QString KMBH; // account code
    QString KMMC; // account name
    double DFJE = 0.0; // credit total
    double JFJE = 0.0; // debit total
    double Diff = 0.0; // balance
    QString ZY; // always empty
};

// The account summary's row store and its loader.
class AccountSummary : public LedgerRowStore<typKMHZItem> {
public:
    // The month range is corrected in place (out of 0 to 12 becomes 0, reversed put in order); 0 to 0 means the
    // whole year. The store then holds one entry per first-level account with lines in the range, followed by three
    // blank entries. False when the load ended early: what was stored stays.
    bool funLoadItem(qint16& start, qint16& end);

    static void funCorrectRange(qint16& start, qint16& end);
    // The month restriction of a corrected range; empty for the whole year.
    static QString funSqlMonths(qint16 start, qint16 end);
};

// How an entry is painted: the same for loaded and blank entries (a blank one shows zeros and 平); no period.
LedgerSlotView funSlotView(const typKMHZItem& item);

} // namespace kessory
