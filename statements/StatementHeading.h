#pragma once

#include <QString>

namespace kessory {

// The preparing organisation's name from the optional table 单位信息 (column 单位名称); empty when the database has
// no such table or no name in it.
QString funEnterpriseName();

// The accounting year the books hold: the year of the latest 记账日期 among the vouchers, or the current year when
// there is no voucher (or no date with a year in it).
int funAccountingYear();

// The year written in a date text: its first run of exactly four digits ("2026-12-31 09:30:00", "31/12/2026"); 0
// when there is none.
int yearOfDateText(const QString& date);

} // namespace kessory
