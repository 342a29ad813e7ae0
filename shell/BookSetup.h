#pragma once

#include <QString>

namespace kessory {

class Connection;

// The book's settings as the settings dialog edits them.
namespace BookSetup {

struct Values {
    int year = 0;
    QString enterprise;
    QString profitAccount;
};

// What the book holds now (its year by the usual rule, the enterprise from the settings or 单位信息).
Values current(Connection* connection);
// Writes the three settings (and the enterprise name the statements head with) in one transaction. Returns why
// they were refused, empty on success: a read-only book, a year outside 1900-9999, a year that the book's vouchers
// or closed months contradict, a 本年利润 account missing from the chart, a name too long.
QString save(Connection* connection, const Values& values);

} // namespace BookSetup
} // namespace kessory
