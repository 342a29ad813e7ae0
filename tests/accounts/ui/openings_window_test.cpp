#include "accounts/Openings.h"
#include "accounts/ui/frmQCYE.h"
#include "controls/ui/ctlCashFormat.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "tests/support/GuiTest.h"
#include "vouchers/PeriodClose.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

using namespace kessory::test;

namespace {

class OpeningsWindowTest : public GuiTest { };

double shown(QWidget* w, const QString& code)
{
    return w->findChild<ctlCashFormat*>(QStringLiteral("csfQC_") + code)->Value();
}

} // namespace

TEST_F(OpeningsWindowTest, LeavesAreTypedParentsSumAndTheTrialBalanceShowsTheDifference)
{
    TestDb book(TestDb::Rows::Sample);
    frmQCYE w;
    // Balance sides from the chart: 现金 借, 实收资本 贷.
    EXPECT_EQ(child<QComboBox>(&w, QStringLiteral("cmbFX_101"))->currentText(), QStringLiteral("借"));
    EXPECT_EQ(child<QComboBox>(&w, QStringLiteral("cmbFX_301"))->currentText(), QStringLiteral("贷"));
    EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("cmbFX_102")), nullptr); // a parent is not typed

    w.findChild<ctlCashFormat*>(QStringLiteral("csfQC_10201"))->setValue(1000.0);
    w.findChild<ctlCashFormat*>(QStringLiteral("csfQC_10202"))->setValue(200.5);
    w.findChild<ctlCashFormat*>(QStringLiteral("csfQC_301"))->setValue(1000.0);
    w.refreshTotals();
    EXPECT_DOUBLE_EQ(shown(&w, QStringLiteral("102")), 1200.5);
    auto* trial = child<QLabel>(&w, QStringLiteral("lblTrial"));
    EXPECT_EQ(trial->text(), QStringLiteral("试算不平衡：借方多 200.50 元"));
    EXPECT_EQ(trial->palette().color(QPalette::WindowText), QColor(Qt::red));

    // A contra balance is typed on the other side.
    child<QComboBox>(&w, QStringLiteral("cmbFX_2210101"))->setCurrentIndex(0);
    w.findChild<ctlCashFormat*>(QStringLiteral("csfQC_2210101"))->setValue(300.0);
    w.findChild<ctlCashFormat*>(QStringLiteral("csfQC_20301"))->setValue(500.5);
    w.refreshTotals();
    EXPECT_EQ(trial->text(), QStringLiteral("试算平衡"));
    EXPECT_DOUBLE_EQ(shown(&w, QStringLiteral("221")), 300.0);
    ASSERT_TRUE(w.save());
    const std::map<QString, qint64> expected { { QStringLiteral("10201"), -100000 },
                                               { QStringLiteral("10202"), -20050 },
                                               { QStringLiteral("2210101"), -30000 },
                                               { QStringLiteral("20301"), 50050 },
                                               { QStringLiteral("301"), 100000 } };
    EXPECT_EQ(kessory::Openings::all(basDBOperate::cnnDB.get()), expected);

    // An opening a year end carried on a parent code counts in its parent and in the trial balance.
    book.exec(QStringLiteral("INSERT INTO 期初余额 VALUES ('211', -5000)"));
    frmQCYE carried;
    EXPECT_DOUBLE_EQ(shown(&carried, QStringLiteral("211")), 50.0);
    EXPECT_EQ(child<QLabel>(&carried, QStringLiteral("lblTrial"))->text(),
              QStringLiteral("试算不平衡：借方多 50.00 元"));
    book.exec(QStringLiteral("DELETE FROM 期初余额 WHERE 科目编号 = '211'"));

    // Once January is closed the window only shows them, and a save is refused with the reason.
    book.exec(QStringLiteral("UPDATE 记账凭证 SET 审核人 = 'ADMIN'"));
    ASSERT_TRUE(kessory::PeriodClose::closeNextMonth(basDBOperate::cnnDB.get()).ok);
    frmQCYE locked;
    EXPECT_DOUBLE_EQ(shown(&locked, QStringLiteral("10202")), 200.5);
    EXPECT_FALSE(child<QPushButton>(&locked, QStringLiteral("cmd_Save"))->isEnabled());
    EXPECT_FALSE(locked.findChild<ctlCashFormat*>(QStringLiteral("csfQC_101"))->Enabled());
    kessory::Msg::clearShown();
    EXPECT_FALSE(locked.save());
    ASSERT_FALSE(kessory::Msg::shown().isEmpty());
    EXPECT_TRUE(kessory::Msg::shown().last().text.startsWith(QStringLiteral("2026年1月已结账，期初余额不能再修改")));
}
