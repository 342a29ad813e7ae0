// The supplied sample database: complete, consistent, and balanced.
#include "data/basDBOperate.h"
#include "tests/support/TestDb.h"

#include <gtest/gtest.h>

using kessory::test::TestDb;

TEST(SampleDatabase, EveryAccountHangsUnderAnExistingParentAndCategory)
{
    TestDb db(TestDb::Rows::Sample);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 财务科目类别"), "5");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 财务科目 a WHERE length(科目编号) > 3 AND NOT EXISTS "
                        "(SELECT 1 FROM 财务科目 p WHERE p.科目编号 = substr(a.科目编号, 1, length(a.科目编号) - 2))"),
              "0");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 财务科目 a WHERE NOT EXISTS (SELECT 1 FROM 财务科目类别 c WHERE c.编号 = "
                        "substr(a.科目编号,1,1) AND c.类别名称 = a.科目类别)"),
              "0");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 财务科目 WHERE length(科目编号) NOT IN (3,5,7,9,11,13) OR 级次 <> "
                        "(length(科目编号)-1)/2"),
              "0");
    // 末级账 is true exactly for accounts without sub-accounts.
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 财务科目 a WHERE 末级账 <> NOT EXISTS (SELECT 1 FROM 财务科目 c WHERE "
                        "c.科目编号 LIKE a.科目编号 || '_%')"),
              "0");
    EXPECT_GT(db.scalar("SELECT count(*) FROM 部门分类").toInt(), 0);
}

TEST(SampleDatabase, VouchersBalanceAndUseExistingAccounts)
{
    TestDb db(TestDb::Rows::Sample);
    EXPECT_GE(db.scalar("SELECT count(*) FROM 记账凭证").toInt(), 40);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT 编号 FROM 记账凭证内容 GROUP BY 编号 HAVING "
                        "round(sum(CASE WHEN 方向 THEN 金额 ELSE -金额 END), 2) <> 0) As x"),
              "0");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证内容 l WHERE NOT EXISTS (SELECT 1 FROM 财务科目 a WHERE "
                        "a.科目编号 = l.科目编号)"),
              "0");
    EXPECT_EQ(
        db.scalar(
            "SELECT count(*) FROM 记账凭证 v WHERE NOT EXISTS (SELECT 1 FROM 记账凭证内容 l WHERE l.编号=v.编号)"),
        "0");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证 WHERE 月份 <> CAST(substr(记账日期,6,2) AS INTEGER)"), "0");
    EXPECT_EQ(db.scalar("SELECT count(DISTINCT 月份) FROM 记账凭证"), "12");
    EXPECT_EQ(db.scalar("SELECT count(DISTINCT 类别) FROM 记账凭证"), "2");
    EXPECT_GT(db.scalar("SELECT count(*) FROM 记账凭证 WHERE 已作废").toInt(), 0);
    EXPECT_GT(db.scalar("SELECT count(*) FROM 记账凭证 WHERE 审核人='ADMIN'").toInt(), 0);
    // Numbers run from 1 per category without gaps or repeats.
    EXPECT_EQ(
        db.scalar("SELECT count(*) FROM (SELECT 类别 FROM 记账凭证 GROUP BY 类别 HAVING max(凭证号码) <> count(*) OR "
                  "min(凭证号码) <> 1 OR count(DISTINCT 凭证号码) <> count(*)) As x"),
        "0");
}

TEST(SampleDatabase, StatementTotalsAddUp)
{
    TestDb db(TestDb::Rows::Sample);
    for (const char* column : { "年初数", "期末数" }) {
        const QString assets = db.scalar(QStringLiteral("SELECT %1 FROM 资产负债表 WHERE 项目='资产总计'").arg(column));
        const QString equity = db.scalar(
            QStringLiteral("SELECT %1 FROM 资产负债表 WHERE 项目 LIKE '负债和所有者权益%总计'").arg(column));
        EXPECT_FALSE(assets.isEmpty());
        EXPECT_DOUBLE_EQ(assets.toDouble(), equity.toDouble()) << column;
    }
    const double profit = db.scalar("SELECT 本年累计数 FROM 损益表 WHERE 项目='五、净利润'").toDouble();
    const double total = db.scalar("SELECT 本年累计数 FROM 损益表 WHERE 项目='四、利润总额'").toDouble();
    const double tax = db.scalar("SELECT 本年累计数 FROM 损益表 WHERE 项目='减：所得税'").toDouble();
    EXPECT_DOUBLE_EQ(profit, total - tax);
    // A few empty values show that an empty cell stays empty.
    EXPECT_GT(db.scalar("SELECT count(*) FROM 资产负债表 WHERE 年初数 IS NULL").toInt(), 0);
    EXPECT_GT(db.scalar("SELECT count(*) FROM 现金流量表 WHERE 金额 IS NULL").toInt(), 0);
}
