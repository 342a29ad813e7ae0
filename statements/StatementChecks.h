#pragma once

#include "statements/StatementReport.h"

#include <vector>

namespace kessory {

class BookFigures;
class Connection;

// The checks at the foot of a computed statement, found by the captions of its lines:
// - 资产负债表: 资产总计 equals 负债和所有者权益总计, in each column;
// - 损益表: 净利润 equals the movement of 本年利润 over the column's months, leaving out the vouchers that carry
//   it on to 利润分配 (the distribution);
// - 现金流量表: the net increase equals the increase of the cash accounts' balances over the months.
// A statement without the line a check needs has no such check.
std::vector<StatementCheck> statementChecks(Connection* connection, const StatementDefinition& statement,
                                            const StatementReport& report, const BookFigures& figures,
                                            StatementPeriod period);

} // namespace kessory
