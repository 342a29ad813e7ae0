// The voucher window on what a file written by other tools may hold, and on odd characters a user pastes.
#include "controls/ui/ctlCashFormat.h"
#include "tests/vouchers/ui/VoucherWindowHelpers.h"

#include <QClipboard>
#include <QComboBox>

using namespace kessory::test;

namespace {

class OddFileVoucher : public VoucherWindowTest { };

} // namespace

TEST_F(OddFileVoucher, AmountsBeyondTheControlShowAndNulIsDropped)
{
    TestDb db(TestDb::Rows::Sample);
    // 记4 (编号 5) gets amounts far beyond twelve digits: the totals stop at their limit instead of overflowing. A
    // server's amount column holds sixteen digits before the point at most.
    const QString huge = onServer() ? QStringLiteral("9e15") : QStringLiteral("9e17");
    db.exec(QStringLiteral("UPDATE 记账凭证内容 SET 金额=%1 WHERE 编号=5").arg(huge));
    db.exec(
        QStringLiteral("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号) VALUES (5,9,1,%1,'外来','101')")
            .arg(huge));
    frmPZ* w = openActive();
    w->findChild<QLineEdit*>(QStringLiteral("txt_Search"))->setText(QStringLiteral("4"));
    w->findChild<QComboBox*>(QStringLiteral("cmb_Search"))->setEditText(QStringLiteral("记"));
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmd_Search")), Qt::LeftButton);
    settle();
    EXPECT_EQ(text(w, QStringLiteral("lbl_ID")), QStringLiteral("5"));
    EXPECT_GT(child<ctlCashFormat>(w, QStringLiteral("csfJFHJ"))->Value(), 0.0);

    // A NUL pasted into a summary is dropped as it arrives.
    click(w, QStringLiteral("cmd_CreateNew"));
    QApplication::clipboard()->setText(QStringLiteral("提取") + QChar(u'\0') + QStringLiteral("现金"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(w, QStringLiteral("txtZY_0")), QStringLiteral("提取现金"));
}
