#pragma once

#include <QList>
#include <QString>
#include <map>

namespace kessory {

class Connection;

// Opening balances of the year (table 期初余额): whole fen, credit minus debit, stored on leaf accounts.
namespace Openings {

// The opening of an account with all its sub-accounts; 0 when the table is missing or holds nothing for it.
qint64 balanceCents(Connection* connection, const QString& code);
// Every stored opening, by account code.
std::map<QString, qint64> all(Connection* connection);

// Writes the openings of leaf accounts (0 removes one), all in one transaction. Refused, with the reason in error,
// on a read-only book, once a month is closed, or for a code that is not a leaf account of the chart.
bool write(Connection* connection, const std::map<QString, qint64>& leafBalances, QString* error);

// One account of the chart as the openings window lists it.
struct Row {
    QString code;
    QString name;
    int level = 1;
    bool leaf = true;
    bool creditSide = false; // 余额方向 1
    int parent = -1; // index of the nearest parent row, -1 for a first-level account
};
// The chart in code order, each row with its nearest parent.
QList<Row> chartRows(Connection* connection);
// The sum of the balances stored under code (the code itself and its sub-accounts).
qint64 sumUnder(const std::map<QString, qint64>& balances, const QString& code);

// The trial balance of openings: debit openings against credit openings.
struct TrialBalance {
    qint64 debit = 0;
    qint64 credit = 0;
    bool holds() const { return debit == credit; }
};
TrialBalance trialBalance(const std::map<QString, qint64>& balances);

} // namespace Openings
} // namespace kessory
