#include "accounts/AccountTree.h"

#include "accounts/AccountDetail.h"
#include "tests/support/TestDb.h"

#include <QHash>
#include <gtest/gtest.h>

using namespace kessory::accounts;
using kessory::test::TestDb;

namespace {

QHash<QString, AccountNode> byKey(const std::vector<AccountNode>& nodes)
{
    QHash<QString, AccountNode> map;
    for (const AccountNode& n : nodes)
        map.insert(n.key, n);
    return map;
}

QString childrenOf(const std::vector<AccountNode>& nodes, const QString& parent)
{
    QStringList keys;
    for (const AccountNode& n : nodes) {
        if (n.parentKey == parent)
            keys << n.key;
    }
    return keys.join(' ');
}

} // namespace

TEST(AccountTree, SampleChartHangsUnderItsFiveCategories)
{
    TestDb db(TestDb::Rows::Sample);
    const auto nodes = funReadTree();
    ASSERT_EQ(nodes.size(), 5u + db.scalar("SELECT count(*) FROM 财务科目").toUInt());
    EXPECT_EQ(childrenOf(nodes, ""), "资产类 负债类 权益类 成本类 损益类");
    EXPECT_EQ(childrenOf(nodes, "B221"), "B22101 B22102 B22103");
    EXPECT_EQ(childrenOf(nodes, "B22101"), "B2210101 B2210102");
    EXPECT_EQ(childrenOf(nodes, "权益类"), "B301 B311 B313 B321 B322");

    const auto map = byKey(nodes);
    EXPECT_EQ(map["资产类"].image, "i_BM");
    EXPECT_EQ(map["B101"].image, "i_GW"); // level-1 leaf
    EXPECT_EQ(map["B101"].text, "101 现金");
    EXPECT_EQ(map["B101"].parentKey, "资产类");
    EXPECT_EQ(map["B10201"].image, "i_MJ");
    EXPECT_EQ(map["B22101"].image, "i_GW");
    EXPECT_EQ(map["B2210101"].text, "2210101 进项税额");
}

TEST(AccountTree, LeavesOutAccountsWithoutCategoryOrParent)
{
    TestDb db(TestDb::Rows::Sample);
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称,科目类别,级次) VALUES ('601','其他','其他类',1),"
            "('60101','其他明细','其他类',2),('6010101','更细','其他类',3),"
            "('1019901','孤儿','资产类',3),('101990101','孤儿之子','资产类',4)");
    // A child filed under another category still hangs under its parent, in code order.
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称,科目类别,级次,末级账) VALUES ('10203','农业银行','负债类',2,1)");
    const auto nodes = funReadTree();
    const auto map = byKey(nodes);
    for (const char* gone : { "B601", "B60101", "B6010101", "B1019901", "B101990101" })
        EXPECT_FALSE(map.contains(gone)) << gone;
    EXPECT_EQ(childrenOf(nodes, "B102"), "B10201 B10202 B10203");
}

TEST(AccountTree, EmptyBooksGiveAnEmptyTree)
{
    TestDb db;
    EXPECT_TRUE(funReadTree().empty());
}

TEST(AccountDetail, ReadsOneAccountAndItsNatureLine)
{
    TestDb db(TestDb::Rows::Sample);
    const auto bank = funReadAccount("10202");
    ASSERT_TRUE(bank.has_value());
    EXPECT_EQ(bank->科目名称, "建设银行");
    EXPECT_EQ(bank->账页格式, "外币金额式");
    EXPECT_EQ(bank->外币币种, "美元");
    EXPECT_TRUE(bank->数量单位.isEmpty());
    EXPECT_TRUE(bank->银行账);
    EXPECT_EQ(natureLine(*bank), "科目性质:占用类,末级科目.");

    EXPECT_EQ(natureLine(*funReadAccount("201")), "科目性质:来源类,1 级科目."); // level-1 leaf
    EXPECT_EQ(natureLine(*funReadAccount("22101")), "科目性质:来源类,2 级科目.");
    EXPECT_FALSE(funReadAccount("10").has_value());
}
