#include "ledgers/ui/frmKMHZB.h"
#include "ledgers/ui/frmZZ.h"
#include "shell/Clock.h"
#include "tests/ledgers/sheet_books.h"
#include "tests/support/GuiTest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace kessory;
using kessory::test::SheetBooks;
using kessory::test::TestDb;

namespace {

class LedgerSheetWindowTest : public kessory::test::GuiTest {
protected:
    void SetUp() override
    {
        Clock::setNow(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        books.account(QStringLiteral("101"), QStringLiteral("现金"));
        books.account(QStringLiteral("501"), QStringLiteral("产品销售收入"));
    }

    frmZZ* openLedger()
    {
        auto* w = qobject_cast<frmZZ*>(WindowHost::instance().open(WindowKind::ZZ));
        EXPECT_NE(w, nullptr);
        return w;
    }

    QString text(QWidget* w, const QString& name) const
    {
        if (auto* label = w->findChild<QLabel*>(name))
            return label->text();
        if (auto* edit = w->findChild<QLineEdit*>(name))
            return edit->text();
        if (auto* list = w->findChild<QComboBox*>(name))
            return list->currentText();
        ADD_FAILURE() << "no control " << name.toStdString();
        return {};
    }

    // The month of every loaded general ledger entry, in order.
    static QList<int> loadedMonths(const frmZZ* w)
    {
        QList<int> months;
        for (int i = 0; i < w->ledger().intItemCount - LedgerSheet::kBlankTail; ++i)
            months << w->ledger().arrItems[static_cast<std::size_t>(i)].KJQJ;
        return months;
    }

    static void pick(QComboBox* list, const QString& text)
    {
        const int i = list->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        list->setCurrentIndex(i);
        emit list->activated(i);
    }

    TestDb db;
    SheetBooks books { db };
};

TEST_F(LedgerSheetWindowTest, ReversedRangeIsPutInOrderInEitherPlace)
{
    books.credit(QStringLiteral("501"), 10, 2);
    frmZZ* w = openLedger();
    EXPECT_EQ(text(w, "lblStartMonth"), QStringLiteral("1"));
    EXPECT_EQ(text(w, "lblEndMonth"), QStringLiteral("6"));
    EXPECT_EQ(child<QComboBox>(w, "cmbSelectEndMonth")->count(), 6);

    // Toolbar lists and 查找.
    pick(child<QComboBox>(w, "cmbSelectStartMonth"), QStringLiteral("5"));
    pick(child<QComboBox>(w, "cmbSelectEndMonth"), QStringLiteral("2"));
    QTest::mouseClick(child<QPushButton>(w, "cmd_Search"), Qt::LeftButton);
    EXPECT_EQ(text(w, "lblStartMonth"), QStringLiteral("2"));
    EXPECT_EQ(text(w, "lblEndMonth"), QStringLiteral("5"));
    EXPECT_EQ(text(w, "cmbSelectStartMonth"), QStringLiteral("2"));
    EXPECT_EQ(text(w, "cmbSelectEndMonth"), QStringLiteral("5"));
    EXPECT_EQ(loadedMonths(w), QList<int>({ 2, 2, 2, 3, 3, 4, 4, 5, 5 }));

    // The heading: a click on a month shows its list, a pick reorders, hides it and reloads.
    auto* endList = child<QComboBox>(w, "cmbEndMonth");
    EXPECT_TRUE(endList->isHidden());
    QTest::mouseClick(child<QLabel>(w, "lblEndMonth"), Qt::LeftButton);
    EXPECT_FALSE(endList->isHidden());
    EXPECT_EQ(endList->currentText(), QStringLiteral("5"));
    pick(endList, QStringLiteral("1"));
    EXPECT_TRUE(endList->isHidden());
    EXPECT_EQ(text(w, "lblStartMonth"), QStringLiteral("1"));
    EXPECT_EQ(text(w, "lblEndMonth"), QStringLiteral("2"));
    EXPECT_EQ(text(w, "cmbSelectEndMonth"), QStringLiteral("2"));
    EXPECT_EQ(loadedMonths(w), QList<int>({ 1, 1, 1, 2, 2 }));
}

TEST_F(LedgerSheetWindowTest, LeavingAHeadingListAppliesIt)
{
    books.credit(QStringLiteral("501"), 10, 2);
    frmZZ* w = openLedger();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    auto* startList = child<QComboBox>(w, "cmbStartMonth");
    QTest::mouseClick(child<QLabel>(w, "lblStartMonth"), Qt::LeftButton);
    ASSERT_TRUE(startList->hasFocus());
    startList->setCurrentIndex(startList->findText(QStringLiteral("3"))); // chosen without a pick
    child<QPushButton>(w, "cmd_Search")->setFocus();
    EXPECT_TRUE(startList->isHidden());
    EXPECT_EQ(text(w, "lblStartMonth"), QStringLiteral("3"));
    EXPECT_EQ(text(w, "cmbSelectStartMonth"), QStringLiteral("3"));
    EXPECT_EQ(loadedMonths(w).first(), 3);
}

TEST_F(LedgerSheetWindowTest, RefreshReloadsTheHeadingRangeNotTheToolbars)
{
    books.credit(QStringLiteral("501"), 10, 3);
    frmZZ* w = openLedger();
    pick(child<QComboBox>(w, "cmbSelectStartMonth"), QStringLiteral("4"));
    db.exec(QStringLiteral("UPDATE 记账凭证内容 SET 金额=25"));
    QTest::mouseClick(child<QPushButton>(w, "cmd_Refresh"), Qt::LeftButton);
    EXPECT_EQ(loadedMonths(w).first(), 1);
    EXPECT_EQ(loadedMonths(w).last(), 6);
    EXPECT_DOUBLE_EQ(w->ledger().arrItems[5].DFJE, 25);
}

TEST_F(LedgerSheetWindowTest, ScrollingTenEntriesOnSevenRows)
{
    // Two accounts over two months: 2 x (1 + 2 x 2) = 10 entries.
    books.debit(QStringLiteral("101"), 1, 5);
    books.credit(QStringLiteral("501"), 2, 6);
    frmZZ* w = openLedger();
    pick(child<QComboBox>(w, "cmbSelectStartMonth"), QStringLiteral("5"));
    QTest::mouseClick(child<QPushButton>(w, "cmd_Search"), Qt::LeftButton);
    ASSERT_EQ(w->ledger().intItemCount, 13);
    ASSERT_EQ(w->funGetPageRows(), 7);

    auto* scroll = child<QScrollBar>(w, "sclZZItem");
    EXPECT_EQ(scroll->maximum(), 6);
    scroll->setValue(6);
    // Slot 0 shows entry 6 (the second account's May total), slot 3 the last loaded entry, then blank entries.
    EXPECT_EQ(text(w, "txtZY_0"), QStringLiteral("本期合计"));
    EXPECT_EQ(text(w, "lblKJQJ_0"), QStringLiteral("5"));
    EXPECT_EQ(text(w, "txtZY_3"), QStringLiteral("本年累计"));
    EXPECT_EQ(text(w, "lblFX_3"), QStringLiteral("贷"));
    EXPECT_TRUE(text(w, "txtZY_4").isEmpty());
    EXPECT_TRUE(text(w, "lblFX_5").isEmpty());
    EXPECT_TRUE(text(w, "lblFX_6").isEmpty());
    scroll->setValue(0);
    EXPECT_EQ(text(w, "lbl_KMBH_0"), QStringLiteral("101"));
    EXPECT_EQ(text(w, "txtZY_5"), QStringLiteral("期初余额"));
    // The lowest painted slot always ends blank.
    EXPECT_TRUE(text(w, "txtZY_6").isEmpty());
}

TEST_F(LedgerSheetWindowTest, SmallWindowsGrowBackAndTallerOnesPaintMoreRows)
{
    frmZZ* w = openLedger();
    w->resize(300, 200);
    QApplication::processEvents();
    EXPECT_GE(w->width(), 11425 / 15);
    EXPECT_GE(w->height(), (405 + 6355) / 15);

    for (int i = 0; i < 8; ++i) {
        books.credit(QStringLiteral("501"), 1 + i, 1 + i % 6);
        books.debit(QStringLiteral("101"), 1 + i, 1 + i % 6);
    }
    w->resize(800, 800);
    QTest::mouseClick(child<QPushButton>(w, "cmd_Refresh"), Qt::LeftButton);
    const int rows = w->funGetPageRows();
    EXPECT_GT(rows, 7);
    EXPECT_FALSE(text(w, QStringLiteral("txtZY_%1").arg(rows - 2)).isEmpty());
    EXPECT_TRUE(text(w, QStringLiteral("txtZY_%1").arg(rows - 1)).isEmpty());
}

TEST_F(LedgerSheetWindowTest, EmptyChartLeavesTheSlotsAsTheyAre)
{
    books.credit(QStringLiteral("501"), 10, 3);
    frmZZ* w = openLedger();
    EXPECT_EQ(text(w, "lbl_KMBH_0"), QStringLiteral("501"));
    db.exec(QStringLiteral("DELETE FROM 财务科目"));
    QTest::mouseClick(child<QPushButton>(w, "cmd_Refresh"), Qt::LeftButton);
    EXPECT_EQ(w->ledger().intItemCount, 0);
    EXPECT_EQ(child<QScrollBar>(w, "sclZZItem")->maximum(), 0);
    EXPECT_EQ(text(w, "lbl_KMBH_0"), QStringLiteral("501"));
}

} // namespace
