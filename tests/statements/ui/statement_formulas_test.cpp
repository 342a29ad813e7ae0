#include "shell/Clock.h"
#include "shell/ui/WindowHost.h"
#include "tests/support/GuiTest.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

using kessory::WindowHost;
using kessory::WindowKind;
using kessory::test::GuiTest;
using kessory::test::TestDb;

namespace {

class StatementFormulaTest : public GuiTest {
protected:
    void SetUp() override
    {
        kessory::Clock::setNow(QDateTime(QDate(2026, 12, 15), QTime(9, 0)));
        m_db.addSampleRows(QStringLiteral("30_formulas.sample.sql"));
    }

    static int rowOfLine(QTableWidget* g, const QString& line)
    {
        for (int r = 0; r < g->rowCount(); ++r) {
            if (g->item(r, 2) && g->item(r, 2)->text() == line)
                return r;
        }
        return -1;
    }
    static QString cell(QTableWidget* g, int row, int column)
    {
        const QTableWidgetItem* i = g->item(row, column);
        return i ? i->text() : QString();
    }
    static void choose(QComboBox* list, int month)
    {
        list->setCurrentIndex(month - 1);
        emit list->activated(month - 1);
    }
    static void doubleClick(QTableWidget* g, int row, int column)
    {
        const QRect r = g->visualRect(g->model()->index(row, column));
        // A view takes a double-click on the cell its first press went to.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
    }

    TestDb m_db { TestDb::Rows::Sample };
};

} // namespace

TEST_F(StatementFormulaTest, FiguresAsMoneyWithChecksAndAPeriod)
{
    QWidget* w = WindowHost::instance().open(WindowKind::ZCFZB);
    auto* g = child<QTableWidget>(w, QStringLiteral("mfgTable"));
    EXPECT_TRUE(child<QComboBox>(w, QStringLiteral("cmbSelectStartMonth"))->isHidden());
    auto* end = child<QComboBox>(w, QStringLiteral("cmbSelectEndMonth"));
    EXPECT_EQ(end->count(), 12);
    EXPECT_EQ(end->currentText(), QStringLiteral("12"));
    EXPECT_EQ(child<QLabel>(w, QStringLiteral("lblND"))->text(), QStringLiteral("2026"));

    const int assets = rowOfLine(g, QStringLiteral("67"));
    const QString december = cell(g, assets, 4);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,3}(,\\d{3})+\\.\\d\\d$")).match(december).hasMatch())
        << december.toStdString();
    EXPECT_EQ(cell(g, assets, 3), QStringLiteral("0.00"));
    EXPECT_EQ(cell(g, rowOfLine(g, QStringLiteral("40")), 4), QStringLiteral("9,850.00"));
    EXPECT_TRUE(g->item(assets, 4)->toolTip().contains(QStringLiteral("[31]")));
    auto* checks = child<QLabel>(w, QStringLiteral("lblCheck"));
    EXPECT_FALSE(checks->isHidden());
    EXPECT_EQ(checks->text().count(QStringLiteral("#008000")), 2) << checks->text().toStdString();

    // Another month is another balance; 刷新 reads the books as they are now.
    choose(end, 1);
    EXPECT_NE(cell(g, assets, 4), december);
    m_db.exec("UPDATE 记账凭证 SET 已作废 = 1 WHERE 编号 = 1");
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("cmd_Refresh")), Qt::LeftButton);
    EXPECT_EQ(cell(g, rowOfLine(g, QStringLiteral("115")), 4), QStringLiteral("0.00"));

    // A balance sheet that does not balance says by how much, in red; a wrong formula shows why in its tooltip.
    m_db.exec("UPDATE 报表公式 SET 公式 = '期末余额(101' WHERE 报表 = '资产负债表' AND 行次 = 1 AND 列名 = '期末数'");
    m_db.exec("UPDATE 报表公式 SET 公式 = '[67] + 100' WHERE 报表 = '资产负债表' AND 行次 = 135 AND 列名 = '年初数'");
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("cmd_Refresh")), Qt::LeftButton);
    const int cash = rowOfLine(g, QStringLiteral("1"));
    EXPECT_EQ(cell(g, cash, 4), QStringLiteral("#公式错误"));
    EXPECT_TRUE(g->item(cash, 4)->toolTip().contains(QStringLiteral("缺少右括号")));
    EXPECT_TRUE(checks->text().contains(QStringLiteral("差额 -100.00"))) << checks->text().toStdString();
    EXPECT_TRUE(checks->text().contains(QStringLiteral("#c00000")));
}

TEST_F(StatementFormulaTest, PeriodListsOfTheIncomeStatementNeverRunBackwards)
{
    QWidget* w = WindowHost::instance().open(WindowKind::SYB);
    auto* g = child<QTableWidget>(w, QStringLiteral("mfgTable"));
    auto* start = child<QComboBox>(w, QStringLiteral("cmbSelectStartMonth"));
    auto* end = child<QComboBox>(w, QStringLiteral("cmbSelectEndMonth"));
    EXPECT_EQ(start->currentText(), QStringLiteral("1"));
    EXPECT_EQ(end->currentText(), QStringLiteral("12"));
    const int revenue = rowOfLine(g, QStringLiteral("1"));
    EXPECT_EQ(cell(g, revenue, 3), QStringLiteral("220,000.00"));
    EXPECT_EQ(cell(g, revenue, 4), QStringLiteral("220,000.00"));
    // Only July: the month's sales, the year's to July beside them.
    choose(start, 7);
    choose(end, 7);
    EXPECT_EQ(cell(g, revenue, 3), QStringLiteral("80,000.00"));
    EXPECT_EQ(cell(g, revenue, 4), QStringLiteral("170,000.00"));
    choose(end, 3);
    EXPECT_EQ(start->currentText(), QStringLiteral("3"));
    choose(start, 9);
    EXPECT_EQ(end->currentText(), QStringLiteral("9"));
    // A line with neither formula nor value stays empty.
    m_db.exec("DELETE FROM 报表公式 WHERE 报表 = '损益表' AND 行次 = 22");
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("cmd_Refresh")), Qt::LeftButton);
    EXPECT_EQ(cell(g, rowOfLine(g, QStringLiteral("22")), 3), QString());
}

TEST_F(StatementFormulaTest, DoubleClickShowsTheFormulaPartByPartAndOpensTheLedger)
{
    QWidget* w = WindowHost::instance().open(WindowKind::ZCFZB);
    w->show();
    auto* g = child<QTableWidget>(w, QStringLiteral("mfgTable"));
    doubleClick(g, rowOfLine(g, QStringLiteral("1")), 4);
    auto* detail = w->findChild<QDialog*>(QStringLiteral("frmFormulaDetail"));
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(child<QLabel>(detail, QStringLiteral("lblFormula"))->text(),
              QStringLiteral("公式：期末余额(101, 102, 109)"));
    auto* parts = child<QTableWidget>(detail, QStringLiteral("mfgParts"));
    ASSERT_EQ(parts->rowCount(), 3);
    EXPECT_EQ(parts->item(1, 1)->text(), QStringLiteral("102"));
    EXPECT_EQ(parts->item(1, 2)->text(), QStringLiteral("银行存款"));
    EXPECT_EQ(parts->item(0, 3)->text(), QStringLiteral("8,509.50"));

    doubleClick(parts, 1, 1);
    QWidget* ledger = WindowHost::instance().find(WindowKind::MXZ);
    ASSERT_NE(ledger, nullptr);
    EXPECT_EQ(child<QLabel>(ledger, QStringLiteral("lblSelectKMBH_1"))->text(), QStringLiteral("102"));
    EXPECT_EQ(child<QLabel>(ledger, QStringLiteral("lblKJQJ"))->text(), QStringLiteral("全部"));
    detail->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A line made of other lines lists them.
    doubleClick(g, rowOfLine(g, QStringLiteral("41")), 4);
    detail = w->findChild<QDialog*>(QStringLiteral("frmFormulaDetail"));
    ASSERT_NE(detail, nullptr);
    parts = child<QTableWidget>(detail, QStringLiteral("mfgParts"));
    ASSERT_EQ(parts->rowCount(), 2);
    EXPECT_EQ(parts->item(0, 0)->text(), QStringLiteral("行次39"));
    EXPECT_EQ(parts->item(1, 2)->text(), QStringLiteral("减：累计折旧"));
}
