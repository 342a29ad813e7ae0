#include "controls/ui/ctlCashFormat.h"
#include "data/basDBOperate.h"
#include "tests/vouchers/ui/VoucherWindowHelpers.h"
#include "vouchers/PeriodClose.h"
#include "vouchers/ProfitTransfer.h"
#include "vouchers/ui/frmJZ.h"

#include <QComboBox>
#include <QDateEdit>
#include <QTableWidget>

using namespace kessory::test;

namespace {

kessory::Connection* db()
{
    return basDBOperate::cnnDB.get();
}

} // namespace

TEST_F(VoucherWindowTest, ProfitTransferIsShownUnsavedAndSavedAsItWasReviewed)
{
    TestDb book(TestDb::Rows::Sample);
    book.exec(QStringLiteral("UPDATE 记账凭证 SET 审核人 = 'ADMIN'"));
    const QString before = book.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证"));
    ASSERT_TRUE(kessory::draftProfitTransfer());
    frmPZ* w = open();
    // January: 52101 办公费 1,260.50 and 52103 工资 9,000.00 credited, 本年利润 debited with their sum.
    EXPECT_EQ(text(w, QStringLiteral("lbl_PZLB")), QStringLiteral("转字"));
    EXPECT_EQ(child<QDateEdit>(w, QStringLiteral("dtp_ZDRQ"))->date(), QDate(2026, 1, 31));
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_0")), QStringLiteral("321"));
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfJFJE_0"))->Value(), 10260.5);
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_1")), QStringLiteral("52101"));
    EXPECT_EQ(text(w, QStringLiteral("lbl_KMBH_2")), QStringLiteral("52103"));
    EXPECT_DOUBLE_EQ(child<ctlCashFormat>(w, QStringLiteral("csfDFHJ"))->Value(), 10260.5);
    EXPECT_FALSE(stampShown(w, 1));
    EXPECT_EQ(book.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), before);

    click(w, QStringLiteral("cmd_Save"));
    EXPECT_EQ(book.scalar(QStringLiteral("SELECT 类别 || 凭证号码 || ' ' || substr(记账日期, 1, 10) FROM 记账凭证 "
                                         "ORDER BY 编号 DESC LIMIT 1")),
              QStringLiteral("转15 2026-01-31"));
    EXPECT_EQ(kessory::ProfitTransfer::build(db(), 1).error, QStringLiteral("2026年1月损益类科目没有余额，无需结转。"));
}

TEST_F(VoucherWindowTest, AClosedMonthsVoucherIsRefusedBeforeAnyQuestion)
{
    TestDb book(TestDb::Rows::Sample);
    book.exec(QStringLiteral("UPDATE 记账凭证 SET 审核人 = 'ADMIN' WHERE 月份 = 1"));
    frmJZ dialog;
    ASSERT_TRUE(dialog.closeMonth());
    EXPECT_EQ(dialog.findChild<QTableWidget*>(QStringLiteral("tblMonths"))->item(0, 1)->text(),
              QStringLiteral("已结账"));
    kessory::Msg::clearShown();

    frmPZ* w = open(); // on 记1 of January, audited
    book.exec(QStringLiteral("UPDATE 记账凭证 SET 审核人 = '' WHERE 编号 = 1"));
    click(w, QStringLiteral("cmd_Refresh"));
    for (const QString& command :
         { QStringLiteral("cmd_SH"), QStringLiteral("cmd_Delete"), QStringLiteral("cmd_DeleteRec") }) {
        kessory::Msg::clearShown();
        click(w, command);
        ASSERT_EQ(kessory::Msg::shown().size(), 1) << command.toStdString();
        EXPECT_TRUE(kessory::Msg::shown().first().text.startsWith(QStringLiteral("2026年1月已结账")));
    }
    EXPECT_EQ(book.rows(QStringLiteral("SELECT 审核人, 已作废 FROM 记账凭证 WHERE 编号 = 1"), {}), QStringLiteral("0"));

    // 反结账 asks first; No keeps the month closed.
    EXPECT_FALSE(dialog.reopenMonth());
    EXPECT_EQ(kessory::PeriodClose::lastClosedMonth(db()), 1);
    kessory::Msg::queueAnswer(kessory::Msg::Answer::Yes);
    EXPECT_TRUE(dialog.reopenMonth());
    EXPECT_EQ(kessory::PeriodClose::lastClosedMonth(db()), 0);
}
