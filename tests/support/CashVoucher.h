#pragma once

#include "shell/Clock.h"
#include "vouchers/VoucherStore.h"

#include <gtest/gtest.h>

namespace kessory::test {

// Saves a new 记 voucher of two lines, cash drawn from the bank (101 debit, 10201 credit), as the window saves it;
// its 编号.
inline qint32 saveCashVoucher(VoucherStore& store, double amount)
{
    store.funClearBuffer();
    store.header.类别 = QStringLiteral("记");
    store.header.凭证号码 = static_cast<qint16>(VoucherStore::funNextVoucherNo(QStringLiteral("记")));
    store.header.记账日期 = Clock::generalDate();
    store.arrLines[0].摘要 = store.arrLines[1].摘要 = QStringLiteral("提取现金");
    store.arrLines[0].科目代码 = QStringLiteral("101");
    store.arrLines[0].科目名称 = QStringLiteral("现金");
    store.arrLines[1].科目代码 = QStringLiteral("10201");
    store.arrLines[1].科目名称 = QStringLiteral("工商银行");
    store.arrLines[0].金额 = store.arrLines[1].金额 = amount;
    store.arrLines[1].方向 = true;
    EXPECT_TRUE(store.saveVoucher());
    return store.header.编号;
}

} // namespace kessory::test
