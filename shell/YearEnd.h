#pragma once

#include <QList>
#include <QString>
#include <map>

namespace kessory {

class Connection;

// 年结 and the kept years. The open book (DATA/DATA.DAT) is always the current year; each closed year is kept whole
// beside it as DATA/<year>.DAT and can be opened for reading only.
namespace YearEnd {

struct Result {
    bool ok = false;
    QString message;
};

// The next year's opening balances: the balance at the end of December of every asset, liability, equity and cost
// account (by the code the lines were posted to), in whole fen; accounts at zero are left out.
std::map<QString, qint64> carriedOpenings(Connection* connection);

// Why the open book cannot go into the next year (read-only, December not closed, profit and loss not carried to
// 本年利润); empty when it can.
QString blocker(Connection* connection);

// Keeps the open book whole as DATA/<year>.DAT and makes DATA/DATA.DAT the next year's book: the chart, the
// settings (会计年度 + 1), the statement templates and the carried openings, no vouchers, no closed months. The new
// file is written under a temporary name and renamed over DATA.DAT at the end, so a failure leaves the book as it was.
// Closes the program's connection and opens the new book.
Result run();

// The file a year is kept in, beside the current book.
QString keptPath(int year);
// The kept years found beside the current book, newest first.
QList<int> keptYears();

// Opens a kept year for reading only in place of the current book; every write is then refused.
Result openPastYear(int year);
// Opens the current year's book again.
Result returnToCurrentYear();
// The kept year being looked at, 0 when the current book is open.
int viewedYear();

} // namespace YearEnd
} // namespace kessory
