// The SQL adapter: the program's SQL text, as its windows write it, runs on SQLite with the same results.
#include "data/SqlRewrite.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "tests/support/TestDb.h"

#include <gtest/gtest.h>

using namespace basDBOperate;
using kessory::test::TestDb;

namespace {

void addLine(TestDb& db, int id, int no, bool credit, double amount, const QString& code, const QString& date)
{
    db.exec(
        QStringLiteral(
            "INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,日期) VALUES (%1,%2,%3,%4,'x','%5','%6')")
            .arg(id)
            .arg(no)
            .arg(credit ? 1 : 0)
            .arg(amount)
            .arg(code, date));
}

} // namespace

TEST(SqlRewrite, DatesAndBooleansOutsideQuotesOnly)
{
    using kessory::rewriteForSqlite;
    EXPECT_EQ(rewriteForSqlite("Update t Set d=#2026-03-01 10:00:00#,f=True,g=false"),
              "Update t Set d='2026-03-01 10:00:00',f=1,g=0");
    // Text between quotes stays exactly as typed, quotes doubled inside included.
    EXPECT_EQ(rewriteForSqlite("Values ('#1 True','It''s #x#',True)"), "Values ('#1 True','It''s #x#',1)");
    // Words that merely contain True or False are names, not Booleans.
    EXPECT_EQ(rewriteForSqlite("Select TrueName, IsFalse From t"), "Select TrueName, IsFalse From t");
    // A lone # with no closing partner is left for the engine to refuse.
    EXPECT_EQ(rewriteForSqlite("Select 1 # 2"), "Select 1 # 2");
}

TEST(SqlRewrite, ServerTextNumbersMarksAndWritesFlagsAsBooleans)
{
    using kessory::rewriteForPostgres;
    int marks = 0;
    EXPECT_EQ(rewriteForPostgres("Update t Set d=#2026-03-01#, n=? Where 编号=? And s='?#'", &marks),
              "Update t Set d='2026-03-01', n=$1 Where 编号=$2 And s='?#'");
    EXPECT_EQ(marks, 2);
    // A value joined with || is text; numbered marks keep their number; sums in fen need 64 bits.
    EXPECT_EQ(rewriteForPostgres("Select Sum(Cast(x As Integer)) From t Where c Like ?1 || '%' Or d = ?1", &marks),
              "Select Sum(Cast(x As bigint)) From t Where c Like $1::text || '%' Or d = $1");
    EXPECT_EQ(marks, 1);
    // The books' flags take true and false where the program writes 1 and 0; other numbers stay numbers.
    EXPECT_EQ(rewriteForPostgres("Insert Into 记账凭证内容 (编号, 方向, 金额) Values (7, 1, 0)"),
              "Insert Into 记账凭证内容 (编号, 方向, 金额) Values (7, true, 0)");
    EXPECT_EQ(rewriteForPostgres("Update 记账凭证 Set 已作废 = 0 Where h.已作废 <> 1 And 月份 = 1"),
              "Update 记账凭证 Set 已作废 = false Where h.已作废 <> true And 月份 = 1");
}

TEST(SqlQuote, RoundTripsEveryAwkwardText)
{
    TestDb db;
    const QString texts[]
        = { QStringLiteral("O'Brien 100% #1"),           QStringLiteral("\"引号\" 'single' ''double''"),
            QStringLiteral("a_b\\c\nnext line"),         QStringLiteral("提取现金 True #2026-01-01#"),
            QStringLiteral("😀 outside the basic plane"), QString(4000, QChar(u'长')) };
    int id = 1;
    for (const QString& t : texts) {
        const QString sql
            = QStringLiteral("Insert Into 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,备注,日期) Values (")
            + QString::number(id) + ",1,False,1.5,'" + kessory::sqlQuote(t) + "','101','" + kessory::sqlQuote(t)
            + "',#2026-01-02 08:00:00#)";
        ASSERT_EQ(funExecuteSQL(sql), 1) << t.toStdString();
        ASSERT_TRUE(funOpenRecordset("Select * From 记账凭证内容 Where 编号=" + QString::number(id)));
        EXPECT_EQ(rsShared->text("摘要"), t);
        EXPECT_EQ(rsShared->text("备注"), t);
        ++id;
    }
}

TEST(Adapter, LenMonthAndBooleanTests)
{
    TestDb db;
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称) VALUES ('101','现金'),('10201','工商银行'),('1020101','一部')");
    ASSERT_TRUE(funOpenRecordset("Select * From 财务科目 Where Len(科目编号) = 5 Order By 科目编号"));
    EXPECT_EQ(rsShared->text("科目编号"), "10201");
    EXPECT_EQ(rsShared->recordCount(), 1);

    addLine(db, 1, 1, false, 100, "101", "2026-02-14 09:00:00");
    addLine(db, 1, 2, true, 40.25, "101", "2026-03-01 00:00:00");
    addLine(db, 2, 1, true, 7, "101", "2026-12-31 23:59:59");
    ASSERT_TRUE(funOpenRecordset("Select Sum(金额) As 合计 From 记账凭证内容 Where Month(日期) < 3 And 方向 = False"));
    EXPECT_DOUBLE_EQ(rsShared->number("合计"), 100.0);
    ASSERT_TRUE(funOpenRecordset(
        "Select Count(金额) As 记录数,Sum(金额) As 科目合计 From 记账凭证内容 Where 科目编号 Like '101' "
        "And Month(日期) Between 3 And 12 And 方向"));
    EXPECT_EQ(rsShared->integer("记录数"), 2);
    EXPECT_DOUBLE_EQ(rsShared->number("科目合计"), 47.25);
    ASSERT_TRUE(funOpenRecordset("Select * From 记账凭证内容 Where Not 方向"));
    EXPECT_EQ(rsShared->recordCount(), 1);
    // A line without a date has no month: it falls out of every month filter.
    addLine(db, 3, 1, false, 5, "101", "");
    db.exec("UPDATE 记账凭证内容 SET 日期=NULL WHERE 编号=3");
    ASSERT_TRUE(funOpenRecordset("Select Count(*) As n From 记账凭证内容 Where Month(日期) < 13"));
    EXPECT_EQ(rsShared->integer("n"), 3);
}

TEST(Adapter, LikeIsCaseSensitivePrefixAndUsesTheCodeIndex)
{
    TestDb db;
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称) VALUES "
            "('102','银行存款'),('10201','工商'),('1021','x'),('2102','y')");
    ASSERT_TRUE(funOpenRecordset("Select * From 财务科目 Where 科目编号 Like '102%' Order By 科目编号"));
    EXPECT_EQ(rsShared->recordCount(), 3);
    db.exec("INSERT INTO 部门分类 (部门编号,部门名称) VALUES ('a','abc'),('b','ABC')");
    ASSERT_TRUE(funOpenRecordset("Select * From 部门分类 Where 部门名称 Like 'a%'"));
    EXPECT_EQ(rsShared->recordCount(), 1);
    EXPECT_EQ(db.scalar("EXPLAIN QUERY PLAN SELECT * FROM 财务科目 WHERE 科目编号 LIKE '102%'").isEmpty(), false);
    // The plan must search the primary-key index, not scan the table.
    const QString plan = [&] {
        QString all;
        RecordsetPtr rs = funNewRecordset();
        rs->open(cnnDB.get(), "EXPLAIN QUERY PLAN SELECT * FROM 财务科目 WHERE 科目编号 LIKE '102%'");
        for (; !rs->eof(); rs->moveNext())
            all += rs->text("detail") + ";";
        return all;
    }();
    EXPECT_TRUE(plan.contains("SEARCH")) << plan.toStdString();
}

TEST(Adapter, NotInSubSelectLeavesVoidedVouchersOut)
{
    TestDb db;
    db.exec("INSERT INTO 记账凭证 (编号,凭证号码,类别,已作废) VALUES (1,1,'记',0),(2,2,'记',1)");
    addLine(db, 1, 1, false, 10, "101", "2026-01-05 10:00:00");
    addLine(db, 2, 1, false, 99, "101", "2026-01-05 10:00:00");
    ASSERT_TRUE(
        funOpenRecordset("Select Sum(金额) As 合计 From 记账凭证内容 Where 编号 Not In(Select 编号 From 记账凭证 Where "
                         "记账凭证.已作废) And Month(日期) < 2"));
    EXPECT_DOUBLE_EQ(rsShared->number("合计"), 10.0);
    ASSERT_TRUE(funOpenRecordset("Select * From 记账凭证内容,记账凭证 Where 记账凭证内容.编号=记账凭证.编号 And Not "
                                 "记账凭证.已作废 Order By 科目编号,记账凭证.编号"));
    EXPECT_EQ(rsShared->recordCount(), 1);
}

TEST(Adapter, StatementsReportAffectedRowsAndFailuresAreSilentZeroOrFalse)
{
    TestDb db;
    EXPECT_EQ(
        funExecuteSQL("Insert Into 记账凭证 (凭证号码,类别,附单据数,月份,记账日期,记账人,审核人,制单人,已作废) Values "
                      "(1,'记',0,1,#2026-01-01 09:00:00#,'USER','','',False)"),
        1);
    EXPECT_EQ(funExecuteSQL("Insert Into 记账凭证 (凭证号码,类别) Values (2,'记')"), 1);
    EXPECT_EQ(funExecuteSQL("Update 记账凭证 Set 附单据数 = 3 Where 类别='记'"), 2);
    // No row matched: 0, exactly as for a failure.
    EXPECT_EQ(funExecuteSQL("Update 记账凭证 Set 附单据数 = 3 Where 凭证号码=99"), 0);
    EXPECT_EQ(funExecuteSQL("Update 记账凭证 Set 附单 = 3 Where"), 0);
    EXPECT_EQ(funExecuteSQL("Delete From 记账凭证 Where 凭证号码=1; Delete From 记账凭证"), 0);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证"), "2");
    const int before = static_cast<int>(kessory::Msg::shown().size());
    EXPECT_FALSE(funOpenRecordset("Select * Form 记账凭证"));
    EXPECT_FALSE(funOpenRecordset("Select * From 没有的表"));
    EXPECT_FALSE(funOpenRecordset("Select * From 记账凭证 Where 凭证号码 =3And 类别='记'"));
    EXPECT_EQ(kessory::Msg::shown().size(), before) << "data store failures show no message";
}

TEST(Adapter, EmptyResultIsFalseWithAnOpenEmptyRecordset)
{
    TestDb db;
    RecordsetPtr rs;
    EXPECT_FALSE(funOpenRecordset("Select * From 记账凭证", rs));
    ASSERT_TRUE(rs);
    EXPECT_TRUE(rs->isOpen());
    EXPECT_TRUE(rs->eof());
    EXPECT_TRUE(rs->bof());
    EXPECT_FALSE(rs->field("编号").isValid());
}
