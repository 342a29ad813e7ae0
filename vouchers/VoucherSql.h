#pragma once

#include "data/Connection.h"
#include "vouchers/VoucherTypes.h"

#include <QString>

// The SQL the voucher window sends. The voucher list queries are texts a window passes on (a typed category goes
// through sqlQuote); every statement that reads or writes one voucher sends its values bound, never spliced, and
// finds the header and its lines by the same 编号. Amounts are written from whole cents so that no binary fraction
// reaches the file.
namespace kessory::VoucherSql {

// Every voucher with a positive number, in order of creation.
QString fullList();
// One voucher by category and number, as the search reopens it.
QString findVoucher(qint32 number, const QString& category);
// One voucher by its id, as the save shows it afresh.
QString voucherById(qint32 id);
SqlCommand nextNumber(const QString& category);
// Whether a header of that number and category exists (another copy may have taken a new voucher's number).
SqlCommand numberTaken(qint32 number, const QString& category);
// A voucher's header row and its lines as stored, by 编号.
SqlCommand headerById(qint32 id);
SqlCommand storedLines(qint32 id);
// A stored voucher's header: every field the window edits, by 编号; its number and category stay as stored.
SqlCommand headerUpdate(const typVoucher& v);
SqlCommand headerInsert(const typVoucher& v);
SqlCommand lineExists(qint32 id, int recordNo);
SqlCommand lineUpdate(const typVoucherLine& l, qint32 id, int recordNo, const QString& now);
SqlCommand lineInsert(const typVoucherLine& l, qint32 id, int recordNo, const QString& now);
// Stored lines numbered beyond a voucher's current count, left over from a longer version of it.
SqlCommand deleteStaleLines(qint32 id, int lineCount);
SqlCommand deleteLines(qint32 id);
SqlCommand deleteHeader(qint32 id);
// Every stored line of a voucher with its account name, in account code order; a line whose account is missing
// from the chart is read too, named "（科目不存在）".
SqlCommand linesWithAccounts(qint32 id);
QString accounts();
SqlCommand accountExists(const QString& code);

// The name shown for a line whose account is missing from the chart.
QString missingAccountName();

// An amount in plain decimal notation with two decimals, from its whole cents.
QString plainAmount(double yuan);

} // namespace kessory::VoucherSql
