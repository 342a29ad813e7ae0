#pragma once

#include "vouchers/VoucherTypes.h"

#include <QString>

// The SQL text the voucher window sends. Every typed text goes through sqlQuote; amounts are written from whole
// cents so that no binary fraction reaches the file.
namespace kessory::VoucherSql {

// Every voucher with a positive number, in order of creation.
QString fullList();
// One voucher by category and number, as the search and the save reopen it.
QString findVoucher(qint32 number, const QString& category);
QString nextNumber(const QString& category);
// The header row of a voucher, as the save looks it up before and after writing it.
QString header(qint32 number, const QString& category);
QString headerUpdate(const typVoucher& v);
QString headerInsert(const typVoucher& v);
QString line(qint32 id, int recordNo);
QString lineUpdate(const typVoucherLine& l, qint32 id, int recordNo, const QString& now);
QString lineInsert(const typVoucherLine& l, qint32 id, int recordNo, const QString& now);
// Stored lines numbered beyond a voucher's current count, left over from a longer version of it.
QString staleLineCount(qint32 id, int lineCount);
QString deleteStaleLines(qint32 id, int lineCount);
QString lineCount(qint32 id);
QString deleteLines(qint32 id);
QString deleteHeader(qint32 number, const QString& category);
// A voucher's lines with their account names; lines whose account is gone are not read.
QString linesWithAccounts(qint32 id);
QString accounts();

// An amount in plain decimal notation with two decimals, from its whole cents.
QString plainAmount(double yuan);
QString boolWord(bool b);

} // namespace kessory::VoucherSql
