#include "controls/ui/ctlCashFormat.h"
#include "ledgers/ui/frmZZ.h"
#include "shell/Clock.h"
#include "tests/ledgers/sheet_books.h"
#include "tests/support/GuiTest.h"

#include <QLabel>
#include <QLineEdit>

using namespace kessory;
using kessory::test::SheetBooks;
using kessory::test::TestDb;

namespace {

class GeneralLedgerWindowTest : public kessory::test::GuiTest {
protected:
    TestDb db;
    SheetBooks books { db };

    static double value(QWidget* w, const QString& name)
    {
        auto* csf = w->findChild<ctlCashFormat*>(name);
        EXPECT_NE(csf, nullptr) << name.toStdString();
        return csf ? csf->property("Value").toDouble() : -1;
    }
    static QColor color(QWidget* w, const QString& name)
    {
        return child<QLabel>(w, name)->palette().color(QPalette::WindowText);
    }
};

TEST_F(GeneralLedgerWindowTest, OpensOnJanuaryToTheCurrentMonth)
{
    Clock::setNow(QDateTime(QDate(2026, 2, 10), QTime(9, 0)));
    books.account(QStringLiteral("101"), QStringLiteral("现金"));
    books.debit(QStringLiteral("101"), 8000, 1);
    books.credit(QStringLiteral("101"), 1260.5, 1);
    books.credit(QStringLiteral("101"), 9000, 2);

    QWidget* w = WindowHost::instance().open(WindowKind::ZZ);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), QStringLiteral("frmZZ"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("账薄管理器 - 总分类账"));
    EXPECT_EQ(child<QLabel>(w, "lblND")->text(), QStringLiteral("2026"));
    EXPECT_EQ(child<QLabel>(w, "lblEndMonth")->text(), QStringLiteral("2"));

    // 期初余额 of January: the account, 0 and 平 in black.
    EXPECT_EQ(child<QLabel>(w, "lbl_KMBH_0")->text(), QStringLiteral("101"));
    EXPECT_EQ(child<QLineEdit>(w, "txtKMMC_0")->text(), QStringLiteral("现金"));
    EXPECT_EQ(child<QLabel>(w, "lblFX_0")->text(), QStringLiteral("平"));
    EXPECT_EQ(color(w, "lblFX_0"), QColor(0, 0, 0));
    // January's totals: a debit excess, 借 in dark red with the magnitude; the month in red and bold.
    EXPECT_TRUE(child<QLabel>(w, "lbl_KMBH_1")->text().isEmpty());
    EXPECT_EQ(child<QLabel>(w, "lblKJQJ_1")->text(), QStringLiteral("1"));
    EXPECT_EQ(color(w, "lblKJQJ_1"), QColor(255, 0, 0));
    EXPECT_TRUE(child<QLabel>(w, "lblKJQJ_1")->font().bold());
    EXPECT_DOUBLE_EQ(value(w, "csfJFJE_1"), 8000);
    EXPECT_DOUBLE_EQ(value(w, "csfDFJE_1"), 1260.5);
    EXPECT_EQ(child<QLabel>(w, "lblFX_1")->text(), QStringLiteral("借"));
    EXPECT_EQ(color(w, "lblFX_1"), QColor(192, 0, 0));
    EXPECT_DOUBLE_EQ(value(w, "csfDiff_1"), 6739.5);
    // 本年累计 rows carry no movement, only the balance.
    EXPECT_DOUBLE_EQ(value(w, "csfJFJE_2"), 0);
    EXPECT_DOUBLE_EQ(value(w, "csfDiff_2"), 6739.5);
    // February in green; its year-to-date balance turns to the credit side.
    EXPECT_EQ(color(w, "lblKJQJ_3"), QColor(0, 128, 0));
    EXPECT_EQ(child<QLabel>(w, "lblFX_4")->text(), QStringLiteral("贷"));
    EXPECT_EQ(color(w, "lblFX_4"), QColor(0, 128, 0));
    EXPECT_DOUBLE_EQ(value(w, "csfDiff_4"), 2260.5);
    // Blank entries and the lowest slot are blanked: black, empty, zero.
    EXPECT_TRUE(child<QLabel>(w, "lblKJQJ_5")->text().isEmpty());
    EXPECT_TRUE(child<QLabel>(w, "lblFX_6")->text().isEmpty());
    EXPECT_DOUBLE_EQ(value(w, "csfDiff_6"), 0);
}

} // namespace
