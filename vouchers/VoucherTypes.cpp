#include "vouchers/VoucherTypes.h"

#include "data/Numbers.h"

namespace kessory {

bool isEmptyLine(const typVoucherLine& line)
{
    return line.摘要.isEmpty() && line.科目名称.isEmpty() && line.科目代码.isEmpty() && toCents(line.金额) == 0;
}

bool isCompleteLine(const typVoucherLine& line)
{
    return !line.摘要.isEmpty() && !line.科目名称.isEmpty() && !line.科目代码.isEmpty() && toCents(line.金额) != 0;
}

bool StampSet::any() const
{
    for (bool s : shown) {
        if (s)
            return true;
    }
    return false;
}

bool StampSet::locksVoucher() const
{
    return isShown(Stamp::Voided) || isShown(Stamp::Audited) || isShown(Stamp::Extra3) || isShown(Stamp::Extra4);
}

} // namespace kessory
