#include "data/BookSettings.h"
#include "data/basDBOperate.h"
#include "shell/BookSetup.h"
#include "tests/support/TestDb.h"
#include "vouchers/PeriodClose.h"

#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::TestDb;

TEST(BookSetup, SavesTheSettingsOrSaysWhyNot)
{
    TestDb book(TestDb::Rows::Sample);
    Connection* c = basDBOperate::cnnDB.get();
    BookSetup::Values v = BookSetup::current(c);
    EXPECT_EQ(v.year, 2026);
    EXPECT_EQ(v.enterprise, QStringLiteral("宏达机电制造有限公司"));
    EXPECT_EQ(v.profitAccount, QStringLiteral("321"));

    v.year = 2027;
    EXPECT_EQ(BookSetup::save(c, v), QStringLiteral("账簿中已有2026年的凭证，会计年度不能改为2027年。"));
    v.year = 2026;
    v.profitAccount = QStringLiteral("399");
    EXPECT_EQ(BookSetup::save(c, v), QStringLiteral("本年利润科目 399 不在科目表中。"));
    v.profitAccount = QStringLiteral("322");
    v.enterprise = QStringLiteral("  新名称 ");
    EXPECT_EQ(BookSetup::save(c, v), QString());
    EXPECT_EQ(BookSettings::value(c, QStringLiteral("本年利润科目")), QStringLiteral("322"));
    // The statements head with the same name.
    EXPECT_EQ(book.scalar(QStringLiteral("SELECT 单位名称 FROM 单位信息")), QStringLiteral("新名称"));

    book.exec(QStringLiteral("DELETE FROM 记账凭证"));
    book.exec(QStringLiteral("INSERT INTO 已结账月份 VALUES (1, '2026-02-01')"));
    v.year = 2027;
    EXPECT_EQ(BookSetup::save(c, v), QStringLiteral("已有月份结账，会计年度不能再修改。"));
}
