// The change log: every write of the program leaves a row that matches what it stored, and 校验账簿 finds what was
// changed behind the program's back.
#include "accounts/AccountWrite.h"
#include "data/ChangeLog.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "shell/Operators.h"
#include "tests/support/CashVoucher.h"
#include "tests/support/TestDb.h"
#include "vouchers/VoucherStore.h"

#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::TestDb;

namespace {

class ChangeLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 30, 0)));
        Operators::setCurrent(Operators::Operator { QStringLiteral("张会计"), Operators::Role::Accountant, false });
        ASSERT_TRUE(ChangeLog::registerBaseline(connection()));
    }
    void TearDown() override { Operators::setCurrent(std::nullopt); }
    static Connection& connection() { return *basDBOperate::cnnDB; }
    QStringList breaks()
    {
        QStringList out;
        for (const ChangeLog::Break& b : ChangeLog::verify(connection()))
            out << b.text;
        return out;
    }
    // A new voucher saved through the program; its 编号.
    qint32 saveNew(VoucherStore& store, double amount) { return kessory::test::saveCashVoucher(store, amount); }

    TestDb db { TestDb::Rows::Sample };
};

} // namespace

TEST_F(ChangeLogTest, EveryWriteOfTheProgramIsLoggedAsStoredAndTheBookVerifiesWhole)
{
    const int before = ChangeLog::rows(connection()).size();
    VoucherStore a;
    const qint32 first = saveNew(a, 500.0);
    a.arrLines[0].金额 = a.arrLines[1].金额 = 600.0;
    ASSERT_TRUE(a.saveVoucher());
    Operators::setCurrent(Operators::Operator { QStringLiteral("王主管"), Operators::Role::Manager, false });
    ASSERT_TRUE(a.auditVoucher());
    VoucherStore b;
    saveNew(b, 70.0);
    ASSERT_TRUE(b.voidVoucher());
    VoucherStore c;
    saveNew(c, 80.0);
    ASSERT_TRUE(c.deleteVoucher());

    accounts::AccountInput input;
    input.code = QStringLiteral("1020199");
    input.name = QStringLiteral("分理处");
    ASSERT_EQ(accounts::addAccount(input).result, accounts::WriteResult::Written);
    input.name = QStringLiteral("城东分理处");
    ASSERT_EQ(accounts::modifyAccount(input).result, accounts::WriteResult::Written);
    ASSERT_EQ(accounts::checkDelete(QStringLiteral("1020199")).result, accounts::DeleteResult::Answered);
    ASSERT_EQ(accounts::deleteAccount(QStringLiteral("1020199")).result, accounts::WriteResult::Written);

    const QList<ChangeLog::Row> log = ChangeLog::rows(connection());
    QStringList actions;
    for (int i = before; i < log.size(); ++i)
        actions << log[i].action + log[i].kind;
    EXPECT_EQ(actions,
              (QStringList { "保存凭证", "保存凭证", "审核凭证", "保存凭证", "作废凭证", "保存凭证", "删除凭证",
                             "新增科目", "修改科目", "修改科目", "删除科目" }));
    EXPECT_EQ(log[before].operatorName, QStringLiteral("张会计"));
    EXPECT_EQ(log[before + 2].operatorName, QStringLiteral("王主管"));
    EXPECT_EQ(ChangeLog::rows(connection(), { {}, {}, {}, QStringLiteral("记%1").arg(a.header.凭证号码) }).size(), 3);
    EXPECT_EQ(breaks(), QStringList()) << first;
}

TEST_F(ChangeLogTest, AVoucherChangedOutsideTheProgramIsFound)
{
    VoucherStore store;
    const qint32 id = saveNew(store, 500.0);
    ASSERT_EQ(breaks(), QStringList());
    // An amount changed with another tool, on the new voucher and on one the book held before the log began.
    db.exec(QStringLiteral("UPDATE 记账凭证内容 SET 金额 = 5000 WHERE 编号 = %1 AND 记录号 = 1").arg(id));
    db.exec(QStringLiteral("UPDATE 记账凭证 SET 审核人 = 'X' WHERE 编号 = (SELECT min(编号) FROM 记账凭证)"));
    db.exec(QStringLiteral("INSERT INTO 记账凭证 (凭证号码, 类别, 记账日期) VALUES (900, '转', '2026-03-01')"));
    const QStringList found = breaks();
    ASSERT_EQ(found.size(), 3) << found.join('\n').toStdString();
    EXPECT_TRUE(found.filter(QStringLiteral("（编号 %1）：在程序之外被修改").arg(id)).size() == 1);
    EXPECT_EQ(found.filter(QStringLiteral("转0900")).size(), 1);
    EXPECT_TRUE(found.first().contains(QStringLiteral("转0900"))
                && found.first().contains(QStringLiteral("不在日志中")));
}

TEST_F(ChangeLogTest, AnEditedOrRemovedLogRowIsFound)
{
    VoucherStore store;
    saveNew(store, 500.0);
    saveNew(store, 600.0);
    const QString last = db.scalar(QStringLiteral("SELECT max(序号) FROM 操作日志"));
    const int n = last.toInt();
    db.exec(QStringLiteral("UPDATE 操作日志 SET 操作员 = '王主管' WHERE 序号 = %1").arg(n - 1));
    EXPECT_EQ(breaks(),
              QStringList { QStringLiteral("日志第 %1 条已被修改（保存 凭证 记%2）。")
                                .arg(n - 1)
                                .arg(store.header.凭证号码 - 1, 4, 10, QLatin1Char('0')) });

    db.exec(QStringLiteral("UPDATE 操作日志 SET 操作员 = '张会计' WHERE 序号 = %1").arg(n - 1));
    EXPECT_EQ(breaks(), QStringList());
    // A row removed from the middle, and the last one: the voucher of the last one then has no row of its own.
    db.exec(QStringLiteral("DELETE FROM 操作日志 WHERE 序号 = 5"));
    db.exec(QStringLiteral("DELETE FROM 操作日志 WHERE 序号 = %1").arg(n));
    const QStringList found = breaks();
    EXPECT_TRUE(found.contains(QStringLiteral("日志第 5 条已被删除。"))) << found.join('\n').toStdString();
    EXPECT_TRUE(found.contains(QStringLiteral("日志最后一条（第 %1 条）已被删除。").arg(n)))
        << found.join('\n').toStdString();
}

TEST_F(ChangeLogTest, TheLogIsFilteredByDateAndOperator)
{
    const int all = ChangeLog::rows(connection()).size();
    EXPECT_EQ(ChangeLog::rows(connection(), { QDate(2026, 3, 15), QDate(2026, 3, 15), {}, {} }).size(), all);
    EXPECT_TRUE(ChangeLog::rows(connection(), { QDate(2026, 3, 16), {}, {}, {} }).isEmpty());
    EXPECT_TRUE(ChangeLog::rows(connection(), { {}, QDate(2026, 3, 14), {}, {} }).isEmpty());

    EXPECT_EQ(ChangeLog::rows(connection(), { {}, {}, QStringLiteral("张会计"), {} }).size(), all);
    EXPECT_TRUE(ChangeLog::rows(connection(), { {}, {}, QStringLiteral("王主管"), {} }).isEmpty());
}
