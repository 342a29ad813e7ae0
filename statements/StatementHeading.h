#pragma once

#include <QString>

namespace kessory {

// The preparing organisation's name: 单位名称 of the book settings, else of the optional table 单位信息; empty when
// neither has one.
QString funEnterpriseName();

// The year the book keeps: 会计年度 of its settings, else the year of the latest voucher date, else the current year.
int funAccountingYear();

// The month a statement's period ends on at first: the current month while the book is this year's, December for
// a past year's book, January for a future one.
int funDefaultEndMonth();

} // namespace kessory
