// How the connection runs the books' repeated queries: the indexes they read and statements reused by their text.
#include "data/Connection.h"
#include "data/basDBOperate.h"
#include "tests/support/TestDb.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <sqlite3.h>

using kessory::test::TestDb;

namespace {

// SQLite's plan of the program's text, one line per step.
QString planOf(const QString& programSql)
{
    kessory::Statement st = basDBOperate::cnnDB->prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + programSql);
    QStringList steps;
    while (st.valid() && st.step() == 1)
        steps << st.column(3).toString();
    return steps.join(u'\n');
}

const QString kLines
    = QStringLiteral("Select Count(金额) As 记录数,Sum(金额) As 科目合计 From 记账凭证内容 Where 科目编号 "
                     "Like '101' And 编号 Not In(Select 编号 From 记账凭证 Where 记账凭证.已作废) ");

} // namespace

TEST(QueryPlans, PerSideSumsReadOnlyThatSidesIndexAndTheVoidedListIsCovered)
{
    KESSORY_FILE_ONLY("reads SQLite's EXPLAIN QUERY PLAN");
    TestDb db(TestDb::Rows::Sample);
    const QString credit = planOf(kLines + QStringLiteral(" And Month(日期)=3 And 方向"));
    EXPECT_TRUE(credit.contains(QStringLiteral("COVERING INDEX 记账凭证内容_贷方"))) << qPrintable(credit);
    const QString debit = planOf(kLines + QStringLiteral(" And Month(日期)=3 And Not 方向"));
    EXPECT_TRUE(debit.contains(QStringLiteral("COVERING INDEX 记账凭证内容_借方"))) << qPrintable(debit);
    const QString balance = planOf(QStringLiteral("Select Sum(金额) As 合计 From 记账凭证内容 Where 编号 Not In(Select "
                                                  "编号 From 记账凭证 Where 记账凭证.已作废)  And Month(日期) < 4 And "
                                                  "科目编号 Like '101' And 方向 = True"));
    EXPECT_TRUE(balance.contains(QStringLiteral("COVERING INDEX 记账凭证内容_方向科目 (方向=?")))
        << qPrintable(balance);
    // The voided vouchers' ids come from their own index without touching the table.
    EXPECT_TRUE(credit.contains(QStringLiteral("COVERING INDEX 记账凭证_已作废"))) << qPrintable(credit);
}

TEST(QueryPlans, AReusedStatementSeesTheBooksAsTheyAreAtEachRun)
{
    TestDb db(TestDb::Rows::Sample);
    db.exec("DELETE FROM 记账凭证内容");
    db.exec("DELETE FROM 记账凭证");
    db.exec("INSERT INTO 记账凭证 (编号,凭证号码,月份,记账日期) VALUES (1,1,3,'2026-03-02 09:00:00')");
    db.exec("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,科目编号,日期) VALUES (1,1,1,12.5,'101','2026-03-02')");
    // The text as the program writes it: True and a #date# that the adapter rewrites before the first run.
    const QString sql = kLines + QStringLiteral(" And 方向 = True And 日期 < #2026-04-01#");
    auto sum = [&] {
        basDBOperate::RecordsetPtr rs = basDBOperate::funNewRecordset();
        EXPECT_TRUE(basDBOperate::funOpenRecordset(sql, rs));
        return rs->number(QStringLiteral("科目合计"));
    };
    EXPECT_DOUBLE_EQ(sum(), 12.5);
    db.exec("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,科目编号,日期) VALUES (1,2,1,7.25,'101','2026-03-05')");
    EXPECT_DOUBLE_EQ(sum(), 19.75);
    db.exec("UPDATE 记账凭证 SET 已作废=1 WHERE 编号=1");
    basDBOperate::RecordsetPtr rs = basDBOperate::funNewRecordset();
    ASSERT_TRUE(basDBOperate::funOpenRecordset(sql, rs));
    EXPECT_EQ(rs->integer(QStringLiteral("记录数")), 0);
}
