#include "accounts/ui/AccountCommands.h"
#include "shell/Msg.h"
#include "tests/support/TestDb.h"

#include <gtest/gtest.h>

using namespace kessory::accounts;
using kessory::Msg::Answer;
using kessory::test::TestDb;

namespace {

class AccountWrite : public ::testing::Test {
protected:
    void SetUp() override { kessory::Msg::clearShown(); }

    // The account's columns, joined by separator.
    QString row(const QString& code, const char* columns, const char* separator = "|")
    {
        return db.rows(
            QStringLiteral("SELECT %1 FROM 财务科目 WHERE 科目编号='%2'").arg(QString::fromUtf8(columns), code),
            QString::fromUtf8(separator));
    }
    int count(const QString& where) { return db.scalar("SELECT count(*) FROM 财务科目 WHERE " + where).toInt(); }
    QString lastBox() const
    {
        const auto boxes = kessory::Msg::shown();
        return boxes.isEmpty() ? QString() : boxes.last().text + "|" + boxes.last().title;
    }

    TestDb db { TestDb::Rows::Sample };
};

AccountInput input(const QString& code, const QString& name)
{
    AccountInput in;
    in.code = code;
    in.name = name;
    in.category = "资产类";
    return in;
}

} // namespace

TEST_F(AccountWrite, AddWritesTheRowAndClearsTheParentsLeafFlag)
{
    // A parent whose flags all differ from the column defaults, so that inheriting is seen.
    db.exec("UPDATE 财务科目 SET 现金账=1, 银行账=1, 余额方向=1, 科目性质=0, 末级账=1 WHERE 科目编号='112'");
    AccountInput in = input(" 11201", "  银行承兑汇票 ");
    in.category = " 资产类 ";
    in.pageFormat = "外币金额式";
    in.foreignCurrency = true;
    in.currency = " 美元";
    in.unit = "吨"; // not ticked: not written
    in.bank = true;
    ASSERT_EQ(funAddAccount(in), WriteResult::Written);

    EXPECT_EQ(row("11201", "科目名称, 科目类别, 级次, 末级账"), "银行承兑汇票|资产类|2|1");
    EXPECT_EQ(row("11201", "现金账, 银行账, 余额方向, 科目性质", ""), "1110");
    EXPECT_EQ(row("11201", "账页格式, 外币币种, 记账方式"), "外币金额式|美元|2");
    EXPECT_EQ(row("11201", "数量单位 IS NULL"), "1");
    EXPECT_EQ(row("112", "末级账"), "0");
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());

    // A third-level account with no page format and a unit; a name with a quote is stored as typed.
    AccountInput deeper = input("1120101", "O'Brien 票据");
    deeper.quantity = true;
    deeper.unit = "张";
    deeper.journal = true;
    ASSERT_EQ(funAddAccount(deeper), WriteResult::Written);
    EXPECT_EQ(row("1120101", "科目名称, 级次, 数量单位, 记账方式"), "O'Brien 票据|3|张|1");
    EXPECT_EQ(row("1120101", "账页格式 IS NULL AND 外币币种 IS NULL"), "1");
    EXPECT_EQ(row("11201", "末级账"), "0");
}

TEST_F(AccountWrite, AddRefusesInTheOrderOfItsChecks)
{
    const int before = count("1=1");
    struct Case {
        AccountInput in;
        const char* box;
    };
    AccountInput currency = input("10101", "x");
    currency.foreignCurrency = true;
    currency.currency = "  ";
    currency.quantity = true; // its missing unit is reported only after the currency
    AccountInput unit = input("10101", "x");
    unit.quantity = true;
    const Case cases[] = {
        { input("", ""), "缺少参数|编号错误" },
        { input("1001", "x"), "无效的编号长度|编号错误" },
        { input("601", "x"), "科目类别不存在|编号错误" },
        { input("10201", "x"), "科目已存在|编号错误" },
        { input("1010101", "x"), "上级科目不存在|编号错误" },
        { input("10101", " "), "科目名称不能为空|缺少参数" },
        { currency, "请指定外币币种|缺少参数" },
        { unit, "请指定计量单位|缺少参数" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(funAddAccount(c.in), WriteResult::Refused) << c.box;
        EXPECT_EQ(lastBox(), QString::fromUtf8(c.box));
    }
    EXPECT_EQ(count("1=1"), before);
    EXPECT_EQ(row("101", "末级账"), "1");
}

TEST_F(AccountWrite, AddWritesNothingWhenTheParentCannotBeChanged)
{
    db.refuse("UPDATE", "财务科目");
    EXPECT_EQ(funAddAccount(input("10101", "备用金")), WriteResult::Failed);
    EXPECT_EQ(lastBox(), "科目添加失败。|" + kessory::Msg::programTitle())
        << "a refused write is said, never passed over";
    EXPECT_EQ(count("科目编号='10101'"), 0);
    EXPECT_EQ(row("101", "末级账"), "1");
    db.allow("UPDATE", "财务科目");
    EXPECT_EQ(funAddAccount(input("10101", "备用金")), WriteResult::Written);
    EXPECT_EQ(row("101", "末级账"), "0");
}

TEST_F(AccountWrite, ModifyStoresExactlyTheEditedFields)
{
    const QString untouched = "科目编号, 科目类别, 级次, 末级账, 现金账, 银行账, 余额方向, 科目性质";
    const QString before = row("10202", untouched.toUtf8().constData());
    AccountInput in = input("10202", " 建行'新区'支行 ");
    in.category = "负债类"; // never stored
    in.pageFormat = "数量金额式";
    in.quantity = true;
    in.unit = "吨";
    in.currency = "美元"; // not ticked: cleared
    in.journal = true;
    ASSERT_EQ(funModifyAccount(in), WriteResult::Written);
    EXPECT_EQ(row("10202", "科目名称, 账页格式, 数量单位, 记账方式"), "建行'新区'支行|数量金额式|吨|1");
    EXPECT_EQ(row("10202", "外币币种 IS NULL"), "1");
    EXPECT_EQ(row("10202", untouched.toUtf8().constData()), before);
    EXPECT_EQ(row("10201", "科目名称"), "工商银行");

    EXPECT_EQ(funModifyAccount(input("10202", "  ")), WriteResult::Refused);
    EXPECT_EQ(lastBox(), "科目名称不能为空|缺少参数");
    EXPECT_EQ(row("10202", "科目名称"), "建行'新区'支行");
}

TEST_F(AccountWrite, DeleteRemovesTheSubTreeAfterTheChildrenQuestion)
{
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称,科目类别,级次) VALUES ('1090101','a','资产类',3),"
            "('1090102','b','资产类',3)");
    kessory::Msg::queueAnswer(Answer::Yes);
    EXPECT_EQ(funDeleteAccount("10901"), DeleteResult::Answered);
    const auto boxes = kessory::Msg::shown();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[0].text, "该科目内包含子科目,是否真的删除?");
    EXPECT_EQ(boxes[0].title, "要求确认");
    EXPECT_EQ(boxes[0].buttons, kessory::Msg::Buttons::YesNo);
    EXPECT_EQ(boxes[1].text, "科目删除成功。");
    EXPECT_EQ(boxes[1].title, kessory::Msg::programTitle());
    EXPECT_EQ(count("科目编号 LIKE '10901%'"), 0);
    EXPECT_EQ(count("科目编号 IN ('109','10902')"), 2);
    EXPECT_EQ(row("109", "末级账"), "0"); // never set back
}

TEST_F(AccountWrite, DeleteOfALeafAsksTheSingleQuestionAndNoKeepsIt)
{
    EXPECT_EQ(funDeleteAccount("10902"), DeleteResult::Answered); // unanswered question: No
    EXPECT_EQ(lastBox(), "是否真的删除该科目?|要求确认");
    EXPECT_EQ(count("科目编号='10902'"), 1);

    kessory::Msg::queueAnswer(Answer::Yes);
    EXPECT_EQ(funDeleteAccount("010902"), DeleteResult::Answered);
    EXPECT_EQ(count("科目编号='10902'"), 0);
    EXPECT_EQ(count("科目编号='109'"), 1);
}

TEST_F(AccountWrite, DeleteRefusesLevelOneAndAccountsInUse)
{
    const int before = count("1=1");
    EXPECT_EQ(funDeleteAccount("109"), DeleteResult::Refused);
    EXPECT_EQ(lastBox(), "无法删除一级科目|无效操作");
    // 10201 has voucher lines; 22101 only through its child 2210101.
    for (const char* used : { "10201", "22101", "2210102" }) {
        kessory::Msg::clearShown();
        kessory::Msg::queueAnswer(Answer::Yes);
        EXPECT_EQ(funDeleteAccount(used), DeleteResult::Refused) << used;
        ASSERT_EQ(kessory::Msg::shown().size(), 1) << "no question is asked";
        EXPECT_EQ(lastBox(), "该科目已有凭证记录，无法删除。|无效操作");
    }
    EXPECT_EQ(count("1=1"), before);

    kessory::Msg::clearShown();
    EXPECT_EQ(funDeleteAccount("10999"), DeleteResult::NoAccount);
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
}

TEST_F(AccountWrite, DeleteChecksAgainForAVoucherSavedWhileTheQuestionWasOpen)
{
    // The other copy saves a voucher on the account while this one asks its question.
    kessory::Msg::setTestMode(false);
    kessory::Msg::setPresenter([this](const QString&, const QString&, kessory::Msg::Buttons buttons) {
        if (buttons == kessory::Msg::Buttons::YesNo)
            db.exec("INSERT INTO 记账凭证内容 (编号,记录号,金额,摘要,科目编号) VALUES (1,99,5,'另一个程序','10201')");
        return buttons == kessory::Msg::Buttons::YesNo ? Answer::Yes : Answer::Ok;
    });
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称,级次) VALUES ('1020101','新户',3)");
    db.exec("DELETE FROM 记账凭证内容 WHERE 科目编号 LIKE '10201%'");
    const DeleteResult result = funDeleteAccount("10201");
    kessory::Msg::setPresenter({});
    kessory::Msg::setTestMode(true);
    EXPECT_EQ(result, DeleteResult::Refused);
    EXPECT_EQ(count("科目编号 LIKE '10201%'"), 2);
}

TEST_F(AccountWrite, DeleteOfAnAccountAnotherCopyDeletedWhileTheQuestionWasOpenSaysSo)
{
    QString said;
    kessory::Msg::setTestMode(false);
    kessory::Msg::setPresenter([this, &said](const QString& text, const QString& title, kessory::Msg::Buttons buttons) {
        if (buttons == kessory::Msg::Buttons::YesNo) {
            db.exec("DELETE FROM 财务科目 WHERE 科目编号 = '1020101'");
            return Answer::Yes;
        }
        said = text + "|" + title;
        return Answer::Ok;
    });
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称,级次) VALUES ('1020101','新户',3)");
    const DeleteResult result = funDeleteAccount("1020101");
    kessory::Msg::setPresenter({});
    kessory::Msg::setTestMode(true);
    EXPECT_EQ(result, DeleteResult::Refused);
    EXPECT_EQ(said, QStringLiteral("该科目已被删除，请刷新后再操作。|提示"));
}

TEST_F(AccountWrite, NulIsDroppedAndOverlongNamesAreRefusedWhole)
{
    const QString withNul = QStringLiteral("应收") + QChar(u'\0') + QStringLiteral("票据");
    ASSERT_EQ(funAddAccount(input("11201", withNul)), WriteResult::Written);
    EXPECT_EQ(row("11201", "科目名称"), "应收票据");
    ASSERT_EQ(funModifyAccount(input("11201", withNul + "二")), WriteResult::Written);
    EXPECT_EQ(row("11201", "科目名称"), "应收票据二");
    EXPECT_EQ(funModifyAccount(input("11201", QString(kMaxAccountText + 1, u'长'))), WriteResult::Refused);
    EXPECT_EQ(lastBox(), "科目名称超过 32767 个字符，请缩短后再试。|提示");
    EXPECT_EQ(row("11201", "科目名称"), "应收票据二");
}
