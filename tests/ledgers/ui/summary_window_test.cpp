#include "controls/ui/ctlCashFormat.h"
#include "ledgers/ui/frmKMHZB.h"
#include "shell/Clock.h"
#include "tests/ledgers/sheet_books.h"
#include "tests/support/GuiTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kessory;
using kessory::test::SheetBooks;
using kessory::test::TestDb;

namespace {

class SummaryWindowTest : public kessory::test::GuiTest {
protected:
    void SetUp() override
    {
        Clock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
        books.account(QStringLiteral("101"), QStringLiteral("现金"));
        books.account(QStringLiteral("501"), QStringLiteral("产品销售收入"));
    }

    static double value(QWidget* w, const QString& name)
    {
        auto* csf = w->findChild<ctlCashFormat*>(name);
        EXPECT_NE(csf, nullptr) << name.toStdString();
        return csf ? csf->property("Value").toDouble() : -1;
    }

    TestDb db;
    SheetBooks books { db };
};

TEST_F(SummaryWindowTest, OpensOnTheWholeYearAndRefreshLoadsTheHeading)
{
    books.credit(QStringLiteral("501"), 300, 2);
    books.credit(QStringLiteral("501"), 50, 4); // dated after the current month
    QWidget* w = WindowHost::instance().open(WindowKind::KMHZB);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), QStringLiteral("frmKMHZB"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("账薄管理器 - 科目汇总表"));
    EXPECT_NE(w->findChild<QWidget*>(QStringLiteral("picKMHZJL_0")), nullptr);
    EXPECT_EQ(child<QLabel>(w, "lblStartMonth")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLabel>(w, "lblEndMonth")->text(), QStringLiteral("3"));

    EXPECT_EQ(child<QLabel>(w, "lbl_KMBH_0")->text(), QStringLiteral("501"));
    EXPECT_EQ(child<QLineEdit>(w, "txtKMMC_0")->text(), QStringLiteral("产品销售收入"));
    EXPECT_DOUBLE_EQ(value(w, "csfDFJE_0"), 350);
    EXPECT_DOUBLE_EQ(value(w, "csfJFJE_0"), 0);
    EXPECT_EQ(child<QLabel>(w, "lblFX_0")->text(), QStringLiteral("贷"));
    EXPECT_EQ(child<QLabel>(w, "lblFX_0")->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_TRUE(child<QLabel>(w, "lblKJQJ_0")->text().isEmpty());
    // The 合计 row closes the list; its sides differ here (a one-sided book), so it is red.
    EXPECT_EQ(child<QLineEdit>(w, "txtKMMC_1")->text(), QStringLiteral("合计"));
    EXPECT_DOUBLE_EQ(value(w, "csfDiff_1"), 350);
    EXPECT_EQ(child<QLabel>(w, "lblFX_1")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(child<QLineEdit>(w, "txtKMMC_1")->palette().color(QPalette::Text), QColor(255, 0, 0));

    QTest::mouseClick(child<QPushButton>(w, "cmd_Refresh"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(value(w, "csfDFJE_0"), 300);
    EXPECT_DOUBLE_EQ(value(w, "csfDiff_0"), 300);
}

TEST_F(SummaryWindowTest, SlotsBelowTheListShowEvenButTheLowestIsBlank)
{
    books.debit(QStringLiteral("101"), 20, 1);
    books.credit(QStringLiteral("101"), 20, 2);
    QWidget* w = WindowHost::instance().open(WindowKind::KMHZB);
    ASSERT_NE(w, nullptr);
    // The equal totals give 平; the blank entries paint 平 with zeros; the lowest painted slot (6) is empty.
    EXPECT_EQ(child<QLabel>(w, "lbl_KMBH_0")->text(), QStringLiteral("101"));
    EXPECT_DOUBLE_EQ(value(w, "csfJFJE_0"), 20);
    EXPECT_EQ(child<QLabel>(w, "lblFX_0")->text(), QStringLiteral("平"));
    EXPECT_EQ(child<QLineEdit>(w, "txtKMMC_1")->text(), QStringLiteral("合计"));
    EXPECT_EQ(child<QLabel>(w, "lblFX_1")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    for (int s = 1; s <= 5; ++s) {
        EXPECT_EQ(child<QLabel>(w, QStringLiteral("lblFX_%1").arg(s))->text(), QStringLiteral("平")) << s;
        EXPECT_TRUE(child<QLabel>(w, QStringLiteral("lbl_KMBH_%1").arg(s))->text().isEmpty()) << s;
    }
    EXPECT_TRUE(child<QLabel>(w, "lblFX_6")->text().isEmpty());
}

} // namespace
