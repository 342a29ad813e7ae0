#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <map>

namespace kessory {

class Connection;

// The figures the general ledger and the account summary are built from, read in one pass over the lines: per
// first-level account (every line whose code starts with its code) and per period (the voucher's, see
// data/VoucherPeriod.h), each side's sum in whole fen and its number of lines, over the vouchers not voided; and each
// account's opening balance of the year.
struct SideSums {
    qint64 creditCents = 0;
    qint64 debitCents = 0;
    qint64 creditLines = 0;
    qint64 debitLines = 0;

    qint64 net() const { return creditCents - debitCents; }
    void add(bool credit, qint64 cents, qint64 lineCount);
    qint64 lines() const { return creditLines + debitLines; }
    SideSums& operator+=(const SideSums& other);
};

struct FirstLevelAccount {
    QString code;
    QString name;
    qint64 openingCents = 0; // credit minus debit, sub-accounts included
    std::map<qint64, SideSums> byPeriod; // periods as stored: 1-12, or whatever a voucher without a date holds

    // The lines of the periods first to last.
    SideSums periods(qint64 first, qint64 last) const;
    // Every line of the year, whatever its period.
    SideSums wholeYear() const;
};

// Reads the chart, the openings and the lines inside one read transaction, and hands over each first-level account,
// in code order, as soon as its figures are complete; take returns false when it needs no more (the rest is then
// not read). False when the chart cannot be read or holds no first-level account, or the lines cannot be read.
bool readBookSums(Connection* connection, const std::function<bool(FirstLevelAccount&&)>& take);

// The same pass without the rolling up: every account code the lines carry, in code order, with each period's side
// sums, as soon as its lines are read. False when the lines cannot be read.
bool readCodeSums(Connection* connection,
                  const std::function<void(const QString& code, const std::map<qint64, SideSums>& byPeriod)>& take);

// The shared pieces of the books' SQL.
namespace BookSql {
// A line's amount in whole fen: the sum of these is exact however many lines and however large the amounts.
QString lineCents(const QString& lineAlias);
// Lines whose code starts with a prefix, bound as ?1 (the prefix) and ?2 (its upper bound, prefixUpperBound).
QString codePrefixCondition(const QString& lineAlias, int firstParameter);
// The smallest text above every text that starts with prefix.
QString prefixUpperBound(const QString& prefix);
} // namespace BookSql

// Credit minus debit, in fen, of the lines (of non-voided vouchers) whose code starts with prefix (every line when
// the prefix is empty) and whose period lies in first to last. 0 when it cannot be read (ok set false).
qint64 movementCents(Connection* connection, const QString& prefix, qint64 first, qint64 last, bool* ok = nullptr);

// The year's opening of the accounts whose code starts with prefix (every account when it is empty), in fen.
qint64 openingCents(Connection* connection, const QString& prefix);

} // namespace kessory
