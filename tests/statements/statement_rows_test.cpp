#include "statements/StatementDefinition.h"
#include "statements/StatementRows.h"
#include "tests/support/TestDb.h"

#include <gtest/gtest.h>

using kessory::StatementRow;
using kessory::test::TestDb;

namespace {

std::vector<StatementRow> read(const kessory::StatementDefinition& statement)
{
    std::vector<StatementRow> rows;
    EXPECT_TRUE(kessory::funReadStatement(statement, rows));
    return rows;
}

} // namespace

TEST(StatementRows, IncomeRowsInIdOrderWithStoredValuesAsText)
{
    TestDb db;
    // Inserted out of order: the ID decides.
    db.exec("INSERT INTO 损益表 VALUES (7,'净利润','五、净利润',30,-1250.5,0)");
    db.exec("INSERT INTO 损益表 VALUES (2,'主营业务','一、主营业务收入',1,50000,220000.25)");
    db.exec("INSERT INTO 损益表 VALUES (5,NULL,'  补贴收入 ',NULL,NULL,NULL)");
    db.exec("INSERT INTO 损益表 VALUES (6,'利润总额',' 利润合计 ',27,0.1,12)");
    const auto rows = read(kessory::incomeStatement());
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].caption, QStringLiteral("一、主营业务收入"));
    EXPECT_EQ(rows[0].values, QStringList({ QStringLiteral("50000"), QStringLiteral("220000.25") }));
    EXPECT_EQ(rows[0].line, QStringLiteral("1"));
    // Nulls are empty cells, not 0; the caption without 计 keeps its blanks.
    EXPECT_EQ(rows[1].category, QString());
    EXPECT_EQ(rows[1].caption, QStringLiteral("  补贴收入 "));
    EXPECT_EQ(rows[1].line, QString());
    EXPECT_EQ(rows[1].values, QStringList({ QString(), QString() }));
    // The total rule applies to the income statement.
    EXPECT_EQ(rows[2].caption, QString(12, QLatin1Char(' ')) + QStringLiteral("利润合计"));
    EXPECT_EQ(rows[2].values, QStringList({ QStringLiteral("0.1"), QStringLiteral("12") }));
    // Zero shows as 0, a negative amount with its sign.
    EXPECT_EQ(rows[3].values, QStringList({ QStringLiteral("-1250.5"), QStringLiteral("0") }));
}

TEST(StatementRows, CashFlowUsesTheSectionRuleAndOneValue)
{
    TestDb db;
    db.exec("INSERT INTO 现金流量表 VALUES (1,'经营活动','一、经营活动产生的现金流量',NULL,NULL)");
    db.exec("INSERT INTO 现金流量表 VALUES (2,'经营活动','现金流入小计',9,254700)");
    db.exec("INSERT INTO 现金流量表 VALUES (3,'经营活动','支付的各项税费',13,12000)");
    const auto rows = read(kessory::cashFlowStatement());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].caption, QStringLiteral("一、经营活动产生的现金流量"));
    EXPECT_EQ(rows[0].values, QStringList({ QString() }));
    EXPECT_EQ(rows[1].caption, QString(24, QLatin1Char(' ')) + QStringLiteral("现金流入小计"));
    EXPECT_EQ(rows[2].caption, QString(4, QLatin1Char(' ')) + QStringLiteral("支付的各项税费"));
    EXPECT_EQ(rows[2].values, QStringList({ QStringLiteral("12000") }));
}

TEST(StatementRows, BalanceSheetShowsOpeningAndClosingAmounts)
{
    TestDb db;
    db.exec("INSERT INTO 资产负债表 VALUES (1,'资产','货币资金',1,320000,446004)");
    db.exec("INSERT INTO 资产负债表 VALUES (2,'资产','资产总计',67,NULL,1140694)");
    const auto rows = read(kessory::balanceSheet());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].values, QStringList({ QStringLiteral("320000"), QStringLiteral("446004") }));
    EXPECT_EQ(rows[1].caption, QString(12, QLatin1Char(' ')) + QStringLiteral("资产总计"));
    EXPECT_EQ(rows[1].values, QStringList({ QString(), QStringLiteral("1140694") }));
}

TEST(StatementRows, NoRowsWhenTheTableIsEmptyOrMissing)
{
    TestDb db;
    std::vector<StatementRow> rows { StatementRow {} };
    EXPECT_FALSE(kessory::funReadStatement(kessory::incomeStatement(), rows));
    EXPECT_TRUE(rows.empty());
    db.exec("DROP TABLE 现金流量表");
    EXPECT_FALSE(kessory::funReadStatement(kessory::cashFlowStatement(), rows));
    EXPECT_TRUE(rows.empty());
}
