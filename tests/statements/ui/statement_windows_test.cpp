#include "shell/Clock.h"
#include "shell/ui/Twips.h"
#include "shell/ui/WindowHost.h"
#include "statements/StatementDefinition.h"
#include "tests/support/GuiTest.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using kessory::WindowHost;
using kessory::WindowKind;
using kessory::test::GuiTest;
using kessory::test::TestDb;

namespace {

struct Case {
    WindowKind kind;
    const kessory::StatementDefinition& (*statement)();
    const char* table;
};

const Case kCases[] = {
    { WindowKind::SYB, kessory::incomeStatement, "损益表" },
    { WindowKind::XJLLB, kessory::cashFlowStatement, "现金流量表" },
    { WindowKind::ZCFZB, kessory::balanceSheet, "资产负债表" },
};

QString cell(QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

class StatementWindowTest : public GuiTest {
protected:
    QTableWidget* grid(QWidget* w) { return child<QTableWidget>(w, QStringLiteral("mfgTable")); }
    QString label(QWidget* w, const char* name) { return child<QLabel>(w, QString::fromLatin1(name))->text(); }
    void refresh(QWidget* w)
    {
        QTest::mouseClick(child<QPushButton>(w, QStringLiteral("cmd_Refresh")), Qt::LeftButton);
    }
};

} // namespace

TEST_F(StatementWindowTest, EachStatementShowsItsFormAndEveryTemplateLine)
{
    TestDb db(TestDb::Rows::Sample);
    for (const Case& c : kCases) {
        const kessory::StatementDefinition& s = c.statement();
        QWidget* w = WindowHost::instance().open(c.kind);
        ASSERT_NE(w, nullptr);
        SCOPED_TRACE(s.windowName.toStdString());
        EXPECT_EQ(w->objectName(), s.windowName);
        EXPECT_EQ(w->windowTitle(), s.windowCaption);
        EXPECT_NE(w->findChild<QWidget*>(s.frameName), nullptr);
        EXPECT_NE(w->findChild<QWidget*>(s.frameName + QStringLiteral("Sheet")), nullptr);
        EXPECT_EQ(label(w, "Label5"), s.title);
        EXPECT_EQ(label(w, "Label7"), s.formNumber);
        EXPECT_EQ(label(w, "Label6"), QStringLiteral("单位：元"));
        EXPECT_EQ(label(w, "lbl_ND"), QStringLiteral("项         目"));
        EXPECT_EQ(label(w, "Label2"), s.valueHeadings.at(0));
        EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Label4")) != nullptr, s.valueHeadings.size() == 2);
        EXPECT_EQ(label(w, "lblBZDW"), db.scalar(QStringLiteral("SELECT 单位名称 FROM 单位信息")));
        EXPECT_EQ(label(w, "lblND"), db.scalar(QStringLiteral("SELECT substr(max(记账日期),1,4) FROM 记账凭证")));
        // The toolbar keeps only the commands that do something.
        EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("cmd_Search")), nullptr);
        EXPECT_NE(w->findChild<QWidget*>(QStringLiteral("cmbSelectEndMonth")), nullptr);

        QTableWidget* g = grid(w);
        ASSERT_EQ(g->columnCount(), s.columnCount());
        for (int col = 0; col < g->columnCount(); ++col)
            EXPECT_EQ(g->columnWidth(col), tw(s.columns[static_cast<std::size_t>(col)].width));
        const QString table = QString::fromUtf8(c.table);
        ASSERT_EQ(QString::number(g->rowCount()), db.scalar(QStringLiteral("SELECT count(*) FROM ") + table));
        for (int r = 0; r < g->rowCount(); ++r) {
            EXPECT_EQ(g->rowHeight(r), tw(300));
            const QString where = QStringLiteral(" FROM %1 ORDER BY ID LIMIT 1 OFFSET %2").arg(table).arg(r);
            EXPECT_EQ(cell(g, r, 0), db.scalar(QStringLiteral("SELECT 类别") + where));
            EXPECT_EQ(cell(g, r, 2), db.scalar(QStringLiteral("SELECT 行次") + where));
            EXPECT_EQ(cell(g, r, 1).trimmed(), db.scalar(QStringLiteral("SELECT trim(项目)") + where));
            for (int v = 0; v < s.valueFields.size(); ++v) {
                // Stored values show as they are: empty for null (as the scalar reads it), no number formatting.
                const QString stored = db.scalar(QStringLiteral("SELECT %1").arg(s.valueFields.at(v)) + where);
                EXPECT_EQ(cell(g, r, 3 + v).toDouble(), stored.toDouble());
                EXPECT_EQ(cell(g, r, 3 + v).isEmpty(), stored.isEmpty());
                EXPECT_FALSE(cell(g, r, 3 + v).contains(QLatin1Char(',')));
            }
            for (int col = 0; col < g->columnCount(); ++col) {
                if (const QTableWidgetItem* item = g->item(r, col)) {
                    EXPECT_EQ(Qt::Alignment(item->textAlignment()), s.columns[static_cast<std::size_t>(col)].alignment);
                }
            }
        }
    }
}

TEST_F(StatementWindowTest, EqualNeighbouringCategoriesShareOneCell)
{
    TestDb db;
    db.exec("INSERT INTO 损益表 VALUES (1,'甲','a',1,1,1)");
    db.exec("INSERT INTO 损益表 VALUES (2,'甲','b',2,1,1)");
    db.exec("INSERT INTO 损益表 VALUES (3,'甲','c',3,1,1)");
    db.exec("INSERT INTO 损益表 VALUES (4,'乙','d',4,1,1)");
    db.exec("INSERT INTO 损益表 VALUES (5,'甲','e',5,1,1)");
    db.exec("INSERT INTO 损益表 VALUES (6,'甲','f',6,1,1)");
    QWidget* w = WindowHost::instance().open(WindowKind::SYB);
    QTableWidget* g = grid(w);
    ASSERT_EQ(g->rowCount(), 6);
    EXPECT_EQ(g->rowSpan(0, 0), 3);
    EXPECT_EQ(g->rowSpan(3, 0), 1);
    // Equal but not neighbouring: a group of its own.
    EXPECT_EQ(g->rowSpan(4, 0), 2);
    // Only the category column merges.
    EXPECT_EQ(g->rowSpan(0, 1), 1);
    // Every row still holds its own category.
    EXPECT_EQ(cell(g, 5, 0), QStringLiteral("甲"));

    // After a refresh the groups follow the new rows.
    db.exec("UPDATE 损益表 SET 类别='乙' WHERE ID=2");
    refresh(w);
    EXPECT_EQ(g->rowSpan(0, 0), 1);
    EXPECT_EQ(g->rowSpan(1, 0), 1);
    EXPECT_EQ(g->rowSpan(2, 0), 1);
}

TEST_F(StatementWindowTest, RefreshShowsChangedFiguresAndDropsLostRows)
{
    TestDb db(TestDb::Rows::Sample);
    QWidget* w = WindowHost::instance().open(WindowKind::ZCFZB);
    QTableWidget* g = grid(w);
    const int before = g->rowCount();
    ASSERT_GT(before, 5);

    db.exec("UPDATE 资产负债表 SET 期末数=123.45, 年初数=NULL WHERE ID=(SELECT min(ID) FROM 资产负债表)");
    db.exec("DELETE FROM 资产负债表 WHERE ID > (SELECT min(ID) + 2 FROM 资产负债表)");
    // The window reads the table again only on 刷新.
    EXPECT_EQ(g->rowCount(), before);
    refresh(w);
    ASSERT_EQ(g->rowCount(), 3);
    EXPECT_EQ(cell(g, 0, 3), QString());
    EXPECT_EQ(cell(g, 0, 4), QStringLiteral("123.45"));
    for (int r = 0; r < g->rowCount(); ++r)
        EXPECT_EQ(g->rowHeight(r), tw(300));

    // More rows again: the grid grows with them.
    db.exec("INSERT INTO 资产负债表 VALUES (900,'资产','新增项目',99,1,2)");
    refresh(w);
    ASSERT_EQ(g->rowCount(), 4);
    EXPECT_EQ(cell(g, 3, 1), QStringLiteral("新增项目"));
    EXPECT_EQ(cell(g, 3, 4), QStringLiteral("2"));
}

TEST_F(StatementWindowTest, AnEmptyTemplateLeavesTheGridAsItWas)
{
    TestDb db;
    // First open on an empty table: one empty row, 400 twips high.
    QWidget* w = WindowHost::instance().open(WindowKind::XJLLB);
    QTableWidget* g = grid(w);
    ASSERT_EQ(g->rowCount(), 1);
    EXPECT_EQ(g->rowHeight(0), tw(400));
    for (int col = 0; col < g->columnCount(); ++col)
        EXPECT_EQ(cell(g, 0, col), QString());

    db.exec("INSERT INTO 现金流量表 VALUES (1,'其他','四、汇率变动对现金的影响',55,10)");
    db.exec("INSERT INTO 现金流量表 VALUES (2,'其他','五、现金净增加额',56,NULL)");
    refresh(w);
    ASSERT_EQ(g->rowCount(), 2);

    // The table emptied: the last rows stay with their texts, only taller.
    db.exec("DELETE FROM 现金流量表");
    refresh(w);
    ASSERT_EQ(g->rowCount(), 2);
    EXPECT_EQ(cell(g, 0, 1), QStringLiteral("四、汇率变动对现金的影响"));
    EXPECT_EQ(cell(g, 0, 3), QStringLiteral("10"));
    EXPECT_EQ(g->rowHeight(0), tw(400));
    EXPECT_EQ(g->rowHeight(1), tw(400));
    EXPECT_EQ(g->columnWidth(1), tw(6090));

    // So does a table that cannot be read at all.
    db.exec("DROP TABLE 现金流量表");
    refresh(w);
    EXPECT_EQ(g->rowCount(), 2);
}

TEST_F(StatementWindowTest, WindowKeepsItsMinimumSizeAndCentresTheSheet)
{
    TestDb db(TestDb::Rows::Sample);
    for (const Case& c : kCases) {
        QWidget* w = WindowHost::instance().open(c.kind);
        SCOPED_TRACE(w->objectName().toStdString());
        QWidget* frame = child<QWidget>(w, c.statement().frameName);
        QWidget* toolBar = child<QWidget>(w, QStringLiteral("picToolBar"));
        QWidget* quit = child<QWidget>(w, QStringLiteral("cmd_Quit"));
        QWidget* sheet = child<QWidget>(w, c.statement().frameName + QStringLiteral("Sheet"));
        QTableWidget* g = grid(w);

        const int leastHeight = toolBar->height() + tw(5955);
        w->resize(100, 100);
        QApplication::processEvents();
        EXPECT_GE(w->height(), leastHeight);
        EXPECT_GE(w->width(), frame->width());

        for (const QSize size :
             { QSize(frame->width() + 301, leastHeight + 250), QSize(frame->width(), leastHeight) }) {
            w->resize(size);
            QApplication::processEvents();
            ASSERT_EQ(w->size(), size);
            EXPECT_LE(std::abs(frame->x() - (w->width() - frame->width() - frame->x())), 1);
            const int below = w->height() - frame->geometry().bottom() - 1;
            EXPECT_LE(std::abs(frame->y() - toolBar->height() - below), 1);
            EXPECT_EQ(frame->height(), w->height() - toolBar->height() - tw(400));
            EXPECT_EQ(sheet->height(), frame->height() - tw(1350));
            // The grid stays inside the sheet, its columns all in view.
            EXPECT_LE(g->geometry().bottom(), sheet->height());
            EXPECT_GE(g->viewport()->width(), g->horizontalHeader()->length());
            EXPECT_EQ(toolBar->width(), w->width());
            EXPECT_LE(w->width() - quit->geometry().right(), tw(150));
        }
    }
}

TEST_F(StatementWindowTest, CloseAndYearWithoutVouchers)
{
    TestDb db;
    kessory::Clock::setNow(QDateTime(QDate(2030, 2, 3), QTime(8, 0)));
    QWidget* w = WindowHost::instance().open(WindowKind::SYB);
    EXPECT_EQ(label(w, "lblND"), QStringLiteral("2030"));
    EXPECT_EQ(label(w, "lblBZDW"), QString());
    kessory::Clock::reset();

    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("cmd_Quit")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(WindowHost::instance().find(WindowKind::SYB), nullptr);
}

TEST_F(StatementWindowTest, InsideTheMainFrameTheWindowCannotShrinkEither)
{
    TestDb db(TestDb::Rows::Sample);
    QMdiArea area;
    area.resize(1200, 900);
    area.show();
    WindowHost::instance().setArea(&area);
    QWidget* w = WindowHost::instance().open(WindowKind::ZCFZB);
    auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    ASSERT_NE(sub, nullptr);
    const QSize least = w->minimumSize();
    sub->resize(50, 50);
    QApplication::processEvents();
    EXPECT_GE(w->width(), least.width());
    EXPECT_GE(w->height(), least.height());
    WindowHost::instance().closeAll();
    WindowHost::instance().setArea(nullptr);
}
