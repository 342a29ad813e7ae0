#pragma once

#include "data/Recordset.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <vector>

namespace kessory {

// One row of the detail ledger (明细分类账): the opening row, a voucher line or the total row.
struct typMXZJL {
    qint16 PZHM = 0; // voucher number; 0 on the opening and total rows
    QString LB; // voucher category; non-empty only on voucher lines
    QString JZRQ; // posting date as text
    QString KMBH; // account code of the line
    bool FX = true; // true = credit (贷), false = debit (借)
    double JE = 0.0; // amount; opening row: |opening balance|; total row: debit total
    double YE = 0.0; // running balance, credit positive; total row: credit total
    QString ZY; // summary; "期初余额" and "合计" on the opening and total rows
};

// The detail ledger's rows: selects the lines of an account (with its sub-accounts) or of all accounts for a period
// or the whole year, and builds the opening row, the lines with their running balance and the total row into a
// fixed store of 2049 entries. Sums and balances are kept in whole cents.
class DetailLedger {
public:
    static constexpr int kCapacity = 2049;
    static constexpr QStringView kOpening = u"期初余额";
    static constexpr QStringView kTotal = u"合计";

    DetailLedger();
    DetailLedger(const DetailLedger&) = delete;
    DetailLedger& operator=(const DetailLedger&) = delete;

    // The window's clearing of its sheet, run by funQueryLedger before the query; it is expected to call
    // funResetRows. Without one, funQueryLedger resets the rows itself.
    void setClearSheet(std::function<void()> clearSheet);

    // Entry i of the store; a blank row for an index outside it.
    const typMXZJL& arrMXZJL(int i) const;
    // Rows in use plus the two blank rows after the total row; 0 when nothing was built.
    qint16 intJLCount() const { return m_count; }

    // Empties the store: count 0 and every entry blank.
    void funResetRows();
    // Normalises the account ("000" is all accounts) and the period (outside 0..12 is the whole year), clears the
    // sheet, selects the lines and builds the rows unless queryOnly is non-zero. Returns intJLCount, 0 when
    // queryOnly is set or nothing could be selected.
    qint16 funQueryLedger(qint16 queryOnly, QString& accountCode, qint16& period);
    // Rebuilds the rows from the lines in rs (joined line and header fields).
    void funBuildRows(const RecordsetPtr& rs, const QString& accountCode, qint16 period);
    // The balance before the period, credit minus debit, of the account with its sub-accounts (all accounts when the
    // code is empty): its opening of the year and the lines of non-voided vouchers filed under the months before;
    // the whole year (period 0) and January start from the opening alone. 0 when it cannot be read.
    double funGetOpeningBalance(qint16 period, const QString& accountCode);
    // The same in whole fen.
    static qint64 openingBalanceCents(qint16 period, const QString& accountCode);

    // The query text for the lines, as funQueryLedger sends it (account and period already normalised).
    static QString linesQuery(const QString& accountCode, qint16 period);
    // A blank entry.
    static const typMXZJL& blankRow();

private:
    std::vector<typMXZJL> m_rows;
    qint16 m_count = 0;
    std::function<void()> m_clearSheet;
    RecordsetPtr m_lines;
};

} // namespace kessory
