#pragma once

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

} // namespace Openings
} // namespace kessory
