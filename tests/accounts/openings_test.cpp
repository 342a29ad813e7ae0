#include "accounts/AccountWrite.h"
#include "accounts/Openings.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "tests/support/TestDb.h"

#include <gtest/gtest.h>

using kessory::test::TestDb;

TEST(Openings, AnAccountHoldingAnOpeningIsNotDeleted)
{
    TestDb db(TestDb::Rows::Sample);
    kessory::Connection* c = basDBOperate::cnnDB.get();
    QString error;
    ASSERT_TRUE(kessory::Openings::write(c, { { QStringLiteral("11902"), -100 } }, &error));
    const kessory::accounts::DeleteCheck check = kessory::accounts::checkDelete(QStringLiteral("11902"));
    EXPECT_EQ(check.result, kessory::accounts::DeleteResult::Refused);
    EXPECT_EQ(check.message, QStringLiteral("该科目已有期初余额，无法删除。"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 财务科目 WHERE 科目编号 LIKE '11902%'")),
              QStringLiteral("1"));

    ASSERT_TRUE(kessory::Openings::write(c, { { QStringLiteral("11902"), 0 } }, &error));
    EXPECT_EQ(kessory::accounts::checkDelete(QStringLiteral("11902")).result,
              kessory::accounts::DeleteResult::Answered);
    EXPECT_EQ(kessory::accounts::deleteAccount(QStringLiteral("11902")).result,
              kessory::accounts::WriteResult::Written);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 财务科目 WHERE 科目编号 = '11902'")), QStringLiteral("0"));
}
