#pragma once

#include <QDateTime>
#include <QString>

// The voucher date (记账日期) as the program writes it and as the window edits it.
namespace kessory::VoucherDate {

// The date and time of a date text of the program ("yyyy-MM-dd HH:mm:ss", or a date alone); invalid when the text
// is no date.
QDateTime parse(const QString& text);

// The text to store when the user gives the voucher the date day: the stored text itself when the day is the one
// it already holds, otherwise that day with the stored time of day (the current time when there is none).
QString withDay(const QString& stored, const QDate& day, const QTime& now);

// The message that refuses a voucher date outside the book's year.
QString outsideYearMessage(const QDate& day, int bookYear);

} // namespace kessory::VoucherDate
