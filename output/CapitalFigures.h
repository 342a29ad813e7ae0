#pragma once

#include <QString>
#include <QtGlobal>

namespace kessory {

// An amount in whole fen written in Chinese capital figures (人民币大写), as on a voucher or a cheque:
// 1234567 → 壹万贰仟叁佰肆拾伍元陆角柒分.
// - 0 is 零元整; an amount below one yuan starts at its first figure (5 → 伍分, 50 → 伍角整).
// - Within the yuan, a run of zero places between two figures is one 零 (壹仟零伍元), trailing zero places are not
//   written, and a group of ten thousand or a hundred million is named only when it holds a figure (壹亿零壹元).
// - After 元, 零 marks skipped places before the first fractional figure: a zero 角 before a figure in 分 (壹拾亿元
//   零壹分), or yuan whose last figure stands two places or more above 元 (壹拾万元零壹角整, 壹佰元零伍分), while
//   壹拾元壹角整 skips nothing.
// - 整 closes an amount that ends at 元 or at 角 (壹拾元整, 壹拾元壹角整); an amount with 分 has none.
// - A negative amount is written after 负.
QString capitalFigures(qint64 cents);

} // namespace kessory
