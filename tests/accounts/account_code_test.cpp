#include "accounts/AccountCode.h"

#include "accounts/AccountCheck.h"
#include "shell/Msg.h"
#include "tests/support/TestDb.h"

#include <gtest/gtest.h>

using namespace kessory::accounts;
using kessory::test::TestDb;

TEST(AccountCode, NormalisesToThePlainLeadingNumber)
{
    EXPECT_EQ(normalizeCode("0100"), "100");
    EXPECT_EQ(normalizeCode("  10201 "), "10201");
    EXPECT_EQ(normalizeCode("10201abc"), "10201");
    EXPECT_EQ(normalizeCode(""), "0");
    EXPECT_EQ(normalizeCode("资产"), "0");
    EXPECT_EQ(normalizeCode("1000101010101"), "1000101010101");
    EXPECT_EQ(normalizeCode("100.5"), "100.5");
}

TEST(AccountCode, CategoryAndCodeFieldFollowTheFirstDigit)
{
    TestDb db(TestDb::Rows::Sample);
    EXPECT_EQ(funCategoryOfCode("2210101"), "负债类");
    EXPECT_EQ(funCategoryOfCode("601"), "");
    EXPECT_EQ(funCategoryOfCode("0"), "");

    EXPECT_EQ(funCodeFieldChange("10201").category, "资产类");
    EXPECT_EQ(funCodeFieldChange("10201").code, "10201");
    const CodeField longOne = funCodeFieldChange("40101010101019");
    EXPECT_EQ(longOne.code, "4010101010101");
    EXPECT_EQ(longOne.category, "成本类");
    for (const char* gone : { "0", "", "-101", "601", "abc" }) {
        const CodeField f = funCodeFieldChange(QString::fromUtf8(gone));
        EXPECT_TRUE(f.code.isEmpty()) << gone;
        EXPECT_TRUE(f.category.isEmpty()) << gone;
    }
}

TEST(CheckCode, GivesTheFirstReasonOrOk)
{
    TestDb db(TestDb::Rows::Sample);
    EXPECT_EQ(funCheckCode("   "), "缺少参数");
    EXPECT_EQ(funCheckCode("1001"), "无效的编号长度");
    EXPECT_EQ(funCheckCode("100.5"), "无效的编号长度");
    EXPECT_EQ(funCheckCode("10101010101010"), "无效的编号长度");
    EXPECT_EQ(funCheckCode("0101"), "科目已存在"); // normalises to 101
    EXPECT_EQ(funCheckCode("601"), "科目类别不存在");
    EXPECT_EQ(funCheckCode("60101"), "科目类别不存在");
    EXPECT_EQ(funCheckCode("10201"), "科目已存在");
    EXPECT_EQ(funCheckCode("10101"), "OK");
    EXPECT_EQ(funCheckCode(" 10203 "), "OK");
    EXPECT_EQ(funCheckCode("1010101"), "上级科目不存在");
    EXPECT_EQ(funCheckCode("2210103"), "OK");
    // No level-1 code is ever accepted: it exists, or its own level-1 account is missing.
    for (const char* code : { "101", "102", "199", "551", "600" })
        EXPECT_NE(funCheckCode(code), "OK") << code;
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
}

namespace {

class NextChild : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec("INSERT INTO 财务科目类别 VALUES ('1','资产类')");
        kessory::Msg::clearShown();
    }
    void account(const QString& code)
    {
        db.exec(QStringLiteral("INSERT INTO 财务科目 (科目编号,科目名称,科目类别,级次) VALUES ('%1','x','资产类',%2)")
                    .arg(code)
                    .arg(levelOfLength(code.size())));
    }
    TestDb db;
};

// The next child code as the add command asks for it; nothing when the key or the level refuses one.
std::optional<QString> next(const QString& key, const QString& code)
{
    if (!childKeyRefusal(key).isEmpty())
        return std::nullopt;
    return proposeChildCode(code);
}

} // namespace

TEST_F(NextChild, ProposesOneAboveTheHighestChild)
{
    account("100");
    EXPECT_EQ(next("B100", "100").value_or("-"), "10001");
    account("10001");
    account("10002");
    account("10003");
    EXPECT_EQ(next("B100", "100").value_or("-"), "10004");
    EXPECT_EQ(next("B10002", "10002").value_or("-"), "1000201");
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
}

TEST_F(NextChild, SkipsPastADeeperHighestCode)
{
    account("100");
    account("10001");
    account("10002");
    account("1000201");
    account("100020101");
    EXPECT_EQ(next("B100", "100").value_or("-"), "10003");
    EXPECT_EQ(next("B10002", "10002").value_or("-"), "1000202");
}

TEST_F(NextChild, StopsAtTheLimitOfALevel)
{
    account("199");
    account("19998");
    EXPECT_EQ(next("B199", "199").value_or("-"), "19999");
    account("19999");
    account("1999901"); // deeper codes under the last child change nothing
    EXPECT_FALSE(next("B199", "199").has_value());

    account("100");
    account("10099");
    EXPECT_FALSE(next("B100", "100").has_value()); // never 10100
}

TEST_F(NextChild, DeepestLevelsAndNoAccount)
{
    account("100");
    account("10001");
    account("1000101");
    account("100010101");
    account("10001010101");
    EXPECT_EQ(next("B10001010101", "10001010101").value_or("-"), "1000101010101");
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());

    EXPECT_FALSE(next("B1000101010101", "1000101010101").has_value());
    EXPECT_FALSE(next("", "").has_value());
    EXPECT_EQ(childKeyRefusal("B1000101010101"), "已达到科目级长极限,无法建立子科目");
    EXPECT_EQ(childKeyRefusal(""), "无法建立一级科目");
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
}
