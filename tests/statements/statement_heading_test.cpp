#include "shell/Clock.h"
#include "statements/StatementHeading.h"
#include "tests/support/TestDb.h"

#include <gtest/gtest.h>

using kessory::test::TestDb;

TEST(StatementHeading, YearOfTheLatestVoucherDate)
{
    TestDb db;
    kessory::Clock::setNow(QDateTime(QDate(2031, 6, 1), QTime(9, 0)));
    // No voucher: the current year.
    EXPECT_EQ(kessory::funAccountingYear(), 2031);
    db.exec("INSERT INTO 记账凭证 (凭证号码,类别,月份,记账日期) VALUES (1,'记',12,'2025-12-31 09:30:00')");
    db.exec("INSERT INTO 记账凭证 (凭证号码,类别,月份,记账日期) VALUES (2,'记',1,'2026-01-05')");
    db.exec("INSERT INTO 记账凭证 (凭证号码,类别,月份,记账日期) VALUES (3,'转',0,NULL)");
    EXPECT_EQ(kessory::funAccountingYear(), 2026);
    // The book's own year when its settings give one.
    db.exec("INSERT INTO 账套设置 VALUES ('会计年度', '2027')");
    EXPECT_EQ(kessory::funAccountingYear(), 2027);
    // A statement's period ends at first on this month of this year's book, on December of a past year's.
    kessory::Clock::setNow(QDateTime(QDate(2027, 6, 1), QTime(9, 0)));
    EXPECT_EQ(kessory::funDefaultEndMonth(), 6);
    db.exec("UPDATE 账套设置 SET 值 = '2026' WHERE 项目 = '会计年度'");
    EXPECT_EQ(kessory::funDefaultEndMonth(), 12);
    kessory::Clock::reset();
}

TEST(StatementHeading, EnterpriseNameWhenTheDatabaseHasOne)
{
    {
        TestDb db(TestDb::Rows::Sample);
        EXPECT_EQ(kessory::funEnterpriseName(), db.scalar(QStringLiteral("SELECT 单位名称 FROM 单位信息")).trimmed());
        EXPECT_FALSE(kessory::funEnterpriseName().isEmpty());
    }
    {
        TestDb db;
        EXPECT_EQ(kessory::funEnterpriseName(), QString());
        db.exec("INSERT INTO 单位信息 VALUES ('  华北''测试''公司 ')");
        EXPECT_EQ(kessory::funEnterpriseName(), QStringLiteral("华北'测试'公司"));
        // A database made before the table existed still works: no name.
        db.exec("DROP TABLE 单位信息");
        EXPECT_EQ(kessory::funEnterpriseName(), QString());
        // The book settings name the enterprise first.
        db.exec("INSERT INTO 账套设置 VALUES ('单位名称', '东方公司')");
        EXPECT_EQ(kessory::funEnterpriseName(), QStringLiteral("东方公司"));
    }
}
