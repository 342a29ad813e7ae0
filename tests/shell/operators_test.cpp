// Operators, what each role may do, and the names a voucher carries.
#include "accounts/AccountWrite.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "shell/Operators.h"
#include "tests/support/CashVoucher.h"
#include "tests/support/TestDb.h"
#include "vouchers/PeriodClose.h"
#include "vouchers/VoucherStore.h"

#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::TestDb;
using Role = Operators::Role;

namespace {

class OperatorsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 30, 0)));
        Operators::setCurrent(std::nullopt);
        Msg::clearShown();
    }
    void TearDown() override { Operators::setCurrent(std::nullopt); }
    Connection* cnn() { return basDBOperate::cnnDB.get(); }
    void as(const QString& name, Role role) { Operators::setCurrent(Operators::Operator { name, role, false }); }
    QStringList shownTexts()
    {
        QStringList t;
        for (const auto& s : Msg::shown())
            t << s.text;
        return t;
    }

    // A new two-line voucher saved as the window saves it; its 编号.
    qint32 saveNew(VoucherStore& store) { return kessory::test::saveCashVoucher(store, 500.0); }
    QString column(const QString& name, qint32 id)
    {
        return db.scalar(QStringLiteral("SELECT %1 FROM 记账凭证 WHERE 编号 = %2").arg(name).arg(id));
    }

    TestDb db { TestDb::Rows::Sample };
};

} // namespace

TEST_F(OperatorsTest, PasswordsAreStoredHashedAndTheFirstOperatorIsAManager)
{
    EXPECT_EQ(Operators::add(cnn(), QStringLiteral("张三"), Role::Accountant, QStringLiteral("secret1")),
              QStringLiteral("第一个操作员必须是主管。"));
    EXPECT_FALSE(Operators::anyDefined(cnn()));
    ASSERT_EQ(Operators::add(cnn(), QStringLiteral("王主管"), Role::Manager, QStringLiteral("secret1")), QString());
    EXPECT_EQ(Operators::add(cnn(), QStringLiteral("王主管"), Role::Cashier, QStringLiteral("other12")),
              QStringLiteral("操作员“王主管”已存在。"));
    const QString stored = db.scalar(QStringLiteral("SELECT 口令 FROM 操作员 WHERE 姓名 = '王主管'"));
    EXPECT_FALSE(stored.contains(QStringLiteral("secret1")));
    EXPECT_TRUE(stored.startsWith(QStringLiteral("$argon2")));

    EXPECT_EQ(Operators::login(cnn(), QStringLiteral("王主管"), QStringLiteral("wrong")),
              Operators::LoginResult::Wrong);
    EXPECT_FALSE(Operators::current());
    EXPECT_EQ(Operators::login(cnn(), QStringLiteral("王主管"), QStringLiteral("secret1")), Operators::LoginResult::Ok);
    ASSERT_TRUE(Operators::current());
    EXPECT_EQ(Operators::current()->role, Role::Manager);

    // The last active 主管 stays; a disabled operator cannot log in; a changed password replaces the old one.
    ASSERT_EQ(Operators::add(cnn(), QStringLiteral("小李"), Role::Cashier, QStringLiteral("cash12")), QString());
    EXPECT_EQ(Operators::change(cnn(), QStringLiteral("王主管"), Role::Accountant, false, QString()),
              QStringLiteral("至少要保留一个未停用的主管。"));
    ASSERT_EQ(Operators::change(cnn(), QStringLiteral("小李"), Role::Cashier, true, QStringLiteral("newpass")),
              QString());
    EXPECT_EQ(Operators::login(cnn(), QStringLiteral("小李"), QStringLiteral("cash12")), Operators::LoginResult::Wrong);
    EXPECT_EQ(Operators::login(cnn(), QStringLiteral("小李"), QStringLiteral("newpass")),
              Operators::LoginResult::Disabled);
}

TEST_F(OperatorsTest, ACashierEntersVouchersButMayNotAuditCloseOrChangeTheChart)
{
    as(QStringLiteral("小李"), Role::Cashier);
    EXPECT_FALSE(Operators::canAudit());
    EXPECT_FALSE(Operators::canCloseMonths());
    EXPECT_FALSE(Operators::canChangeChart());

    VoucherStore store;
    const qint32 id = saveNew(store);
    EXPECT_EQ(column(QStringLiteral("制单人"), id), QStringLiteral("小李"));

    EXPECT_EQ(store.auditRefusal({}), QStringLiteral("出纳不能审核凭证。"));
    EXPECT_EQ(column(QStringLiteral("审核人"), id), QString());

    const QString accounts = db.scalar(QStringLiteral("SELECT count(*) FROM 财务科目"));
    accounts::AccountInput input;
    input.code = QStringLiteral("10199");
    input.name = QStringLiteral("备用金");
    const accounts::WriteOutcome added = accounts::addAccount(input);
    EXPECT_EQ(added.result, accounts::WriteResult::Refused);
    EXPECT_EQ(added.message, QStringLiteral("出纳不能修改会计科目。"));
    const accounts::DeleteCheck deleted = accounts::checkDelete(QStringLiteral("10201"));
    EXPECT_EQ(deleted.result, accounts::DeleteResult::Refused);
    EXPECT_EQ(deleted.message, QStringLiteral("出纳不能修改会计科目。"));
    EXPECT_TRUE(Msg::shown().isEmpty());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 财务科目")), accounts);

    const PeriodClose::Result close = PeriodClose::closeNextMonth(cnn());
    EXPECT_FALSE(close.ok);
    EXPECT_EQ(close.message, QStringLiteral("出纳不能结账或反结账。"));
    EXPECT_EQ(PeriodClose::reopenLastMonth(cnn()).message, QStringLiteral("出纳不能结账或反结账。"));

    as(QStringLiteral("张会计"), Role::Accountant);
    EXPECT_TRUE(Operators::canCloseMonths());
    EXPECT_EQ(accounts::addAccount(input).result, accounts::WriteResult::Written);
}

TEST_F(OperatorsTest, TheMakerMayNotAuditAndTheNamesAreTheOperators)
{
    as(QStringLiteral("张会计"), Role::Accountant);
    VoucherStore store;
    const qint32 id = saveNew(store);
    EXPECT_EQ(column(QStringLiteral("制单人"), id), QStringLiteral("张会计"));
    EXPECT_EQ(column(QStringLiteral("记账人"), id), QStringLiteral("张会计"));

    EXPECT_EQ(store.auditRefusal({}), QStringLiteral("制单人与审核人不能为同一人。"));
    EXPECT_EQ(column(QStringLiteral("审核人"), id), QString());

    as(QStringLiteral("王主管"), Role::Manager);
    EXPECT_TRUE(store.auditRefusal({}).isEmpty());
    EXPECT_TRUE(store.auditVoucher());
    EXPECT_EQ(column(QStringLiteral("审核人"), id), QStringLiteral("王主管"));
    // The audit names its auditor; who made and kept the voucher stays.
    EXPECT_EQ(column(QStringLiteral("制单人"), id), QStringLiteral("张会计"));
    EXPECT_EQ(column(QStringLiteral("记账人"), id), QStringLiteral("张会计"));
}

TEST_F(OperatorsTest, WithoutOperatorsTheNamesAreAsBefore)
{
    VoucherStore store;
    const qint32 id = saveNew(store);
    EXPECT_EQ(column(QStringLiteral("制单人"), id), QString());
    EXPECT_EQ(column(QStringLiteral("记账人"), id), QStringLiteral("USER"));
    EXPECT_TRUE(store.auditRefusal({}).isEmpty());
    EXPECT_TRUE(store.auditVoucher());
    EXPECT_EQ(column(QStringLiteral("审核人"), id), QStringLiteral("ADMIN"));
}
