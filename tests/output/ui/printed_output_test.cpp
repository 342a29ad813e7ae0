#include "output/ui/BookJobs.h"
#include "output/ui/ExportCommand.h"
#include "output/ui/OutputActions.h"
#include "output/ui/WindowOutput.h"
#include "shell/Msg.h"
#include "shell/ui/mdiKessory.h"
#include "tests/support/GuiTest.h"

#include <QAction>
#include <QFile>
#include <QLocale>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace kessory;
using kessory::test::GuiTest;
using kessory::test::TestDb;

namespace {

// The text of a PDF as poppler's pdftotext reads it, page by page in layout.
QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), path, QStringLiteral("-") });
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Text without its blanks: pdftotext spaces spaced-out titles as it measures them.
QString squeezed(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

bool holds(const QString& page, const QString& expected)
{
    return squeezed(page).contains(squeezed(expected));
}

QString written(const OutputJob& job, const QString& path)
{
    QString error;
    EXPECT_TRUE(writeJob(job, path, &error)) << error.toStdString();
    return pdfText(path);
}

class PrintedOutput : public GuiTest { };

} // namespace

// The detail ledger of every account runs over pages: each full page ends with 过次页 and the next begins with
// 承前页, both carrying the running debit total; the last page holds the year's totals.
TEST_F(PrintedOutput, DetailLedgerPagesCarryTheirTotals)
{
    TestDb db(TestDb::Rows::Sample);
    const QString text = written(detailLedgerJob(QStringLiteral("000"), 0), db.folder() + QStringLiteral("/mxz.pdf"));
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(holds(pages.first(), QStringLiteral("明细分类账")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("过次页")));
    EXPECT_FALSE(pages.first().contains(QStringLiteral("承前页")));
    EXPECT_TRUE(pages.at(1).contains(QStringLiteral("承前页")));
    EXPECT_TRUE(holds(pages.at(1), QStringLiteral("第2页")));

    // The 过次页 debit total of page 1 is the 承前页 debit total of page 2.
    const auto carried = [](const QString& page, const QString& caption) {
        for (const QString& line : page.split(QLatin1Char('\n')))
            if (line.contains(caption))
                return line.section(caption, 1).simplified().section(QLatin1Char(' '), 0, 0);
        return QString();
    };
    EXPECT_FALSE(carried(pages.first(), QStringLiteral("过次页")).isEmpty());
    EXPECT_EQ(carried(pages.first(), QStringLiteral("过次页")), carried(pages.at(1), QStringLiteral("承前页")));

    const QString sum = db.scalar(QStringLiteral("Select Sum(金额) From 记账凭证内容 Where Not 方向 "
                                                 "And 编号 Not In (Select 编号 From 记账凭证 Where 已作废)"));
    const QString total = QLocale(QLocale::English).toString(sum.toDouble(), 'f', 2);
    EXPECT_TRUE(pages.last().contains(QStringLiteral("本期合计")));
    EXPECT_TRUE(pages.last().contains(total)) << total.toStdString();
}

// A voucher prints with its lines, totals, capital figures and names; a voided one carries 作废 or stays out.
TEST_F(PrintedOutput, VoucherFormWithCapitalFiguresAndVoidStamp)
{
    TestDb db(TestDb::Rows::Sample);
    db.exec(QStringLiteral("Update 记账凭证 Set 已作废 = 1 Where 类别 = '记' And 凭证号码 = 2"));
    VoucherRange range { QStringLiteral("记"), 1, 2, 0, true };
    const QString text = written(voucherJob(range, VoucherPaperKind::Voucher), db.folder() + QStringLiteral("/v.pdf"));
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2);
    for (const char* expected :
         { "记 账 凭 证", "记 字 第 0001 号", "2026年01月02日", "附单据 1 张", "收到投资款", "10201", "50000000",
           "¥50000000", "伍拾万元整", "记账：USER", "审核：ADMIN", "制单：张会计" })
        EXPECT_TRUE(holds(pages.at(0), QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(holds(pages.at(0), QStringLiteral("作废")));
    EXPECT_TRUE(holds(pages.at(1), QStringLiteral("作废")));

    range.includeVoided = false;
    const OutputJob without = voucherJob(range, VoucherPaperKind::A4Twice);
    ASSERT_EQ(without.voucherList.size(), 1U);
    EXPECT_EQ(without.voucherList.front().header.凭证号码, 1);
}

// Bad options of the command line end with a Chinese message and exit code 2, writing nothing; good ones write.
TEST_F(PrintedOutput, ExportCommandRefusesBadOptions)
{
    TestDb db(TestDb::Rows::Sample);
    const QString file = db.folder() + QStringLiteral("/out.csv");
    const QList<QStringList> bad {
        {},
        { QStringLiteral("ledger"), file },
        { QStringLiteral("voucher") },
        { QStringLiteral("voucher"), QStringLiteral("--category"), QStringLiteral("收"), file },
        { QStringLiteral("voucher"), QStringLiteral("--from"), QStringLiteral("9"), QStringLiteral("--to"),
          QStringLiteral("3"), file },
        { QStringLiteral("voucher"), QStringLiteral("--from"), QStringLiteral("x"), file },
        { QStringLiteral("detail"), QStringLiteral("--account"), QStringLiteral("999"), file },
        { QStringLiteral("detail"), QStringLiteral("--months"), QStringLiteral("1-6"), file },
        { QStringLiteral("general"), QStringLiteral("--months"), QStringLiteral("7-13"), file },
        { QStringLiteral("summary"), QStringLiteral("--months"), file },
        { QStringLiteral("balance"), db.folder() + QStringLiteral("/out.doc") },
        { QStringLiteral("balance"), file, QStringLiteral("extra.csv") },
    };
    for (const QStringList& args : bad) {
        QString message;
        EXPECT_EQ(exportWithArguments(args, &message), 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(message.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))));
    }
    EXPECT_FALSE(QFile::exists(file));

    QString message;
    EXPECT_EQ(exportWithArguments(
                  { QStringLiteral("general"), QStringLiteral("--months"), QStringLiteral("1-6"), file }, &message),
              0)
        << message.toStdString();
    QFile csv(file);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(csv.readAll()).contains(QStringLiteral("1月至6月")));

    const QString detail = db.folder() + QStringLiteral("/detail.csv");
    EXPECT_EQ(exportWithArguments({ QStringLiteral("detail"), QStringLiteral("--account=102"),
                                    QStringLiteral("--month"), QStringLiteral("3"), detail },
                                  &message),
              0)
        << message.toStdString();
    QFile detailCsv(detail);
    ASSERT_TRUE(detailCsv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(detailCsv.readAll()).contains(QStringLiteral("科目：102 银行存款")));
}

// The statement window's 导出 writes the statement with its form number; its 打印 paints the same pages.
TEST_F(PrintedOutput, StatementWindowExportsAndPrints)
{
    TestDb db(TestDb::Rows::Sample);
    QWidget* window = WindowHost::instance().open(WindowKind::ZCFZB);
    ASSERT_NE(window, nullptr);
    const QString path = db.folder() + QStringLiteral("/zcfzb.pdf");
    setSaveFileAsker([&path](const QString&) { return path; });
    const QString printed = db.folder() + QStringLiteral("/printed.pdf");
    setPreviewRunner([&printed](QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        paint(&printer);
    });
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmd_Export")), Qt::LeftButton);
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("会企01表")));
    EXPECT_TRUE(text.contains(QStringLiteral("货币资金")));
    EXPECT_TRUE(text.contains(QStringLiteral("446,004.00")));
    EXPECT_TRUE(Msg::shown().last().text.contains(path));

    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmd_Print")), Qt::LeftButton);
    EXPECT_TRUE(holds(pdfText(printed), QStringLiteral("资产负债表")));
    setSaveFileAsker({});
    setPreviewRunner({});
}

// Ctrl+E exports the detail ledger window even while its account box has the focus.
TEST_F(PrintedOutput, CtrlEExportsFromTheFocusedWindow)
{
    TestDb db(TestDb::Rows::Sample);
    QWidget* window = WindowHost::instance().open(WindowKind::MXZ);
    ASSERT_NE(window, nullptr);
    window->show();
    window->activateWindow();
    QWidget* box = child<QWidget>(window, QStringLiteral("txtKMMC_0"));
    box->setFocus();
    QApplication::processEvents();
    const QString path = db.folder() + QStringLiteral("/mxz.xlsx");
    setSaveFileAsker([&path](const QString& proposed) {
        EXPECT_TRUE(proposed.endsWith(QStringLiteral("明细分类账.xlsx")));
        return path;
    });
    QTest::keyClick(box, Qt::Key_E, Qt::ControlModifier);
    setSaveFileAsker({});
    EXPECT_TRUE(QFile::exists(path));
}

// The menu's 导出 acts on the active function window, and says so when there is none.
TEST_F(PrintedOutput, MenuExportActsOnTheActiveWindow)
{
    TestDb db(TestDb::Rows::Sample, false);
    mdiKessory frame;
    ASSERT_TRUE(frame.funLoad(db.folder()));
    frame.show();
    const QString path = db.folder() + QStringLiteral("/summary.csv");
    setSaveFileAsker([&path](const QString&) { return path; });

    Msg::clearShown();
    child<QAction>(&frame, QStringLiteral("act_Export"))->trigger();
    ASSERT_EQ(Msg::shown().size(), 1);
    EXPECT_FALSE(QFile::exists(path));

    child<QAction>(&frame, QStringLiteral("act_frmKMHZB"))->trigger();
    child<QAction>(&frame, QStringLiteral("act_Export"))->trigger();
    setSaveFileAsker({});
    QFile csv(path);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(csv.readAll()).contains(QStringLiteral("科目汇总表")));
}

// Ctrl+P in each window prints what it shows, under its title; the voucher window asks for its range first.
TEST_F(PrintedOutput, EveryWindowPrintsOnCtrlP)
{
    TestDb db(TestDb::Rows::Sample);
    const QString printed = db.folder() + QStringLiteral("/printed.pdf");
    setPreviewRunner([&printed](QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        paint(&printer);
    });
    int asked = 0;
    setVoucherRangeAsker([&asked](VoucherRange& range, VoucherPaperKind&) {
        ++asked;
        // The window proposes the voucher it shows.
        EXPECT_EQ(range.fromNumber, range.toNumber);
        return true;
    });
    const std::pair<WindowKind, const char*> cases[] = {
        { WindowKind::PZ, "记账凭证" },      { WindowKind::MXZ, "明细分类账" }, { WindowKind::ZZ, "总分类账" },
        { WindowKind::KMHZB, "科目汇总表" }, { WindowKind::SYB, "损益表" },     { WindowKind::XJLLB, "现金流量表" },
        { WindowKind::ZCFZB, "资产负债表" }, { WindowKind::KM, "会计科目表" },
    };
    for (const auto& [kind, title] : cases) {
        QFile::remove(printed);
        QWidget* window = WindowHost::instance().open(kind);
        ASSERT_NE(window, nullptr);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        window->setFocus();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, Qt::Key_P,
                        Qt::ControlModifier);
        EXPECT_TRUE(holds(pdfText(printed), QString::fromUtf8(title))) << title;
    }
    EXPECT_EQ(asked, 1);
    setPreviewRunner({});
    setVoucherRangeAsker({});
}
