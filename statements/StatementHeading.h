#pragma once

#include <QString>

namespace kessory {

// The preparing organisation's name: 单位名称 of the book settings, else of the optional table 单位信息; empty when
// neither has one.
QString funEnterpriseName();

// The year the book keeps: 会计年度 of its settings, else the year of the latest voucher date, else the current year.
int funAccountingYear();

} // namespace kessory
