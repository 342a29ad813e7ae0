// Adding, changing and deleting accounts in a book that refuses writes: each says it failed and nothing changes.
#include "accounts/AccountWrite.h"
#include "shell/Msg.h"
#include "tests/support/RefusedWrites.h"

#include <gtest/gtest.h>

using namespace kessory::accounts;
using kessory::test::Refusal;
using kessory::test::RefusedWrites;
using kessory::test::TestDb;

namespace {

class AccountWriteFaults : public ::testing::TestWithParam<Refusal> { };

} // namespace

TEST_P(AccountWriteFaults, EveryCommandSaysItFailedAndNothingChanges)
{
    if (kessory::test::fileOnly(GetParam()))
        KESSORY_FILE_ONLY("a folder without room for a journal and a full disk are a book file's refusals");
    RefusedWrites file(GetParam(), TestDb::Rows::Sample,
                       { "SELECT 科目编号, 科目名称, 末级账, 账页格式, 记账方式 FROM 财务科目 ORDER BY 科目编号" });
    AccountInput add;
    add.code = "10203";
    add.name = "农业银行";
    add.category = "资产类";
    add.pageFormat = "金额式";
    const WriteOutcome added = addAccount(add);
    EXPECT_EQ(added.result, WriteResult::Failed);
    EXPECT_EQ(added.message, "科目添加失败。");

    AccountInput modify = add;
    modify.code = "10201";
    modify.name = "中国工商银行";
    const WriteOutcome modified = modifyAccount(modify);
    EXPECT_EQ(modified.result, WriteResult::Failed);
    EXPECT_EQ(modified.message, "科目修改失败。");

    ASSERT_EQ(checkDelete("10902").result, DeleteResult::Answered); // an account no voucher uses
    const WriteOutcome deleted = deleteAccount("10902");
    EXPECT_EQ(deleted.result, WriteResult::Failed);
    EXPECT_EQ(deleted.message, "科目删除失败。");
    EXPECT_TRUE(RefusedWrites::texts().isEmpty()) << "the core shows nothing; the account window does";

    EXPECT_EQ(file.afterRelease(), file.before());
}

INSTANTIATE_TEST_SUITE_P(Refusals, AccountWriteFaults,
                         ::testing::Values(Refusal::ReadOnlyFile, Refusal::ReadOnlyFolder, Refusal::DiskFull,
                                           Refusal::Locked),
                         [](const ::testing::TestParamInfo<Refusal>& p) {
                             return kessory::test::refusalName(p.param);
                         });
