// Closing months: what refuses a close, and what a closed month refuses.
#include "accounts/Openings.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "tests/support/TestDb.h"
#include "vouchers/PeriodClose.h"
#include "vouchers/ProfitTransfer.h"
#include "vouchers/VoucherSql.h"
#include "vouchers/VoucherStore.h"

#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::TestDb;

namespace {

Connection* db()
{
    return basDBOperate::cnnDB.get();
}

VoucherStore loaded(qint16 number, const QString& category)
{
    VoucherStore store;
    auto header = basDBOperate::funNewRecordset();
    EXPECT_TRUE(basDBOperate::funOpenRecordset(VoucherSql::findVoucher(number, category), header));
    auto lines = basDBOperate::funNewRecordset();
    basDBOperate::funOpenRecordset(
        VoucherSql::linesWithAccounts(static_cast<qint32>(header->integer(QStringLiteral("编号")))), lines);
    store.funLoadVoucher(*header, lines.get());
    return store;
}

class PeriodCloseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
        Msg::clearShown();
    }
    TestDb book { TestDb::Rows::Sample };
};

TEST_F(PeriodCloseTest, CloseIsRefusedWithEveryBlockerListed)
{
    // January of the sample book has two vouchers not audited.
    PeriodClose::Result r = PeriodClose::closeNextMonth(db());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith(QStringLiteral("2026年1月不能结账：")));
    EXPECT_TRUE(r.message.contains(QStringLiteral("记字第4号凭证未审核")));
    EXPECT_TRUE(r.message.contains(QStringLiteral("转字第2号凭证未审核")));

    // An unbalanced voucher and openings that do not balance are listed too.
    book.exec(QStringLiteral("UPDATE 记账凭证 SET 审核人 = 'ADMIN'"));
    book.exec(QStringLiteral("UPDATE 记账凭证内容 SET 金额 = 8000.5 WHERE 编号 = 2 AND 记录号 = 1"));
    QString error;
    ASSERT_TRUE(Openings::write(db(), { { QStringLiteral("101"), -10000 } }, &error)) << error.toStdString();
    r = PeriodClose::closeNextMonth(db());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("记字第2号凭证借贷不平衡（差额 0.50 元）")));
    EXPECT_TRUE(r.message.contains(QStringLiteral("期初余额试算不平衡：借方 100.00 元，贷方 0.00 元")));
    EXPECT_TRUE(r.message.contains(QStringLiteral("截至1月的发生额试算不平衡")));
    EXPECT_EQ(PeriodClose::lastClosedMonth(db()), 0);

    // Once all holds the months close in order and reopen from the latest.
    book.exec(QStringLiteral("UPDATE 记账凭证内容 SET 金额 = 8000 WHERE 编号 = 2 AND 记录号 = 1"));
    ASSERT_TRUE(Openings::write(db(), { { QStringLiteral("101"), -10000 }, { QStringLiteral("301"), 10000 } }, &error));
    EXPECT_EQ(PeriodClose::closeNextMonth(db()).message, QStringLiteral("2026年1月结账完成。"));
    EXPECT_EQ(PeriodClose::closeNextMonth(db()).message, QStringLiteral("2026年2月结账完成。"));
    EXPECT_EQ(PeriodClose::reopenLastMonth(db()).message, QStringLiteral("2026年2月已反结账。"));
    EXPECT_EQ(PeriodClose::lastClosedMonth(db()), 1);

    // Openings are fixed once a month is closed.
    EXPECT_FALSE(Openings::write(db(), { { QStringLiteral("101"), -20000 } }, &error));
    EXPECT_EQ(error, QStringLiteral("2026年1月已结账，期初余额不能再修改。如需修改，请先反结账至1月之前。"));
    EXPECT_EQ(Openings::all(db()).at(QStringLiteral("101")), -10000);
    // And only leaf accounts take openings.
    ASSERT_TRUE(PeriodClose::reopenLastMonth(db()).ok);
    EXPECT_FALSE(Openings::write(db(), { { QStringLiteral("102"), -1 } }, &error));
    EXPECT_EQ(error, QStringLiteral("科目 102 不是末级科目，不能录入期初余额。"));
}

TEST_F(PeriodCloseTest, AClosedMonthRefusesEveryVoucherWrite)
{
    book.exec(QStringLiteral("UPDATE 记账凭证 SET 审核人 = 'ADMIN' WHERE 月份 = 1"));
    ASSERT_TRUE(PeriodClose::closeNextMonth(db()).ok);
    const QString closed
        = QStringLiteral("2026年1月已结账，不能新增、修改、审核、作废或删除该月的凭证。\n如需改动，请先反结账。");
    const QString count = book.rows(QStringLiteral("SELECT count(*), sum(金额) FROM 记账凭证内容"));

    // A new voucher dated in January.
    VoucherStore added;
    added.funClearBuffer();
    added.header.类别 = QStringLiteral("记");
    added.header.凭证号码 = static_cast<qint16>(VoucherStore::funNextVoucherNo(QStringLiteral("记")));
    added.header.记账日期 = QStringLiteral("2026-01-31");
    added.arrLines[0] = loaded(2, QStringLiteral("记")).arrLines[0];
    added.arrLines[1] = loaded(2, QStringLiteral("记")).arrLines[1];
    added.arrLines[0].编号 = added.arrLines[1].编号 = 0;
    EXPECT_EQ(added.saveVoucher().message, closed);

    // A January voucher changed, moved out to March, audited, voided, deleted; a March voucher moved into January.
    VoucherStore january = loaded(2, QStringLiteral("记"));
    january.arrLines[0].摘要 = QStringLiteral("改");
    EXPECT_EQ(january.saveVoucher().message, closed);
    january.header.记账日期 = QStringLiteral("2026-03-02");
    january.header.月份 = 0;
    EXPECT_EQ(january.saveVoucher().message, closed);
    book.exec(QStringLiteral("UPDATE 记账凭证 SET 审核人 = '' WHERE 编号 = 2"));
    VoucherStore unaudited = loaded(2, QStringLiteral("记"));
    EXPECT_EQ(unaudited.auditVoucher().message, closed);
    EXPECT_EQ(unaudited.voidVoucher().message, closed);
    EXPECT_EQ(unaudited.deleteVoucher().message, closed);
    VoucherStore march = loaded(8, QStringLiteral("记"));
    march.header.记账日期 = QStringLiteral("2026-01-20");
    march.header.月份 = 0;
    EXPECT_EQ(march.saveVoucher().message, closed);
    EXPECT_EQ(book.rows(QStringLiteral("SELECT count(*), sum(金额) FROM 记账凭证内容")), count);
    EXPECT_EQ(book.rows(QStringLiteral("SELECT 审核人, 已作废, 记账日期 FROM 记账凭证 WHERE 编号 = 2"), {}),
              QStringLiteral("02026-01-05 09:30:00"));

    // February stays open, and January opens again after 反结账.
    VoucherStore february = loaded(5, QStringLiteral("记"));
    EXPECT_TRUE(february.saveVoucher());
    ASSERT_TRUE(PeriodClose::reopenLastMonth(db()).ok);
    EXPECT_TRUE(loaded(2, QStringLiteral("记")).saveVoucher());
}

TEST_F(PeriodCloseTest, ProfitTransferCarriesTheMonthsProfitAndLossToTheProfitAccount)
{
    // February of the sample: sales 501 credit 60,000.00 and its cost; 本年利润 is found by name without a setting.
    const ProfitTransfer::Voucher v = ProfitTransfer::build(db(), 2);
    ASSERT_TRUE(v.error.isEmpty()) << v.error.toStdString();
    EXPECT_EQ(v.date, QStringLiteral("2026-02-28"));
    qint64 debit = 0;
    qint64 credit = 0;
    qint64 onProfit = 0;
    for (const ProfitTransfer::Line& l : v.lines) {
        (l.credit ? credit : debit) += l.cents;
        if (l.code == QStringLiteral("321"))
            onProfit += l.credit ? l.cents : -l.cents;
        EXPECT_TRUE(l.code == QStringLiteral("321") || l.code.startsWith(u'5')) << l.code.toStdString();
    }
    EXPECT_EQ(debit, credit);
    // The profit is what the profit-and-loss accounts held, each of them brought to zero.
    qint64 held = 0;
    const QString sum = book.scalar(QStringLiteral(
        "SELECT sum(CASE WHEN l.方向 THEN 1 ELSE -1 END * CAST(round(l.金额 * 100) AS INTEGER)) FROM 记账凭证内容 l "
        "JOIN 记账凭证 h ON h.编号 = l.编号 WHERE NOT h.已作废 AND h.月份 <= 2 AND substr(l.科目编号, 1, 1) = '5'"));
    held = sum.toLongLong();
    EXPECT_EQ(onProfit, held);
    EXPECT_NE(held, 0);

    book.exec(QStringLiteral("UPDATE 财务科目 SET 科目名称 = '利润' WHERE 科目编号 = '321'"));
    EXPECT_EQ(ProfitTransfer::build(db(), 2).error,
              QStringLiteral("未设置本年利润科目，请先在“系统→账套设置”中选择。"));
    book.exec(QStringLiteral("INSERT INTO 账套设置 VALUES ('本年利润科目', '321')"));
    EXPECT_TRUE(ProfitTransfer::build(db(), 2).error.isEmpty());
    book.exec(QStringLiteral("DELETE FROM 记账凭证内容 WHERE 科目编号 LIKE '5%'"));
    EXPECT_EQ(ProfitTransfer::build(db(), 2).error, QStringLiteral("2026年2月损益类科目没有余额，无需结转。"));
}

} // namespace
