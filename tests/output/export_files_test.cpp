#include "ledgers/AccountSummary.h"
#include "output/BookDocuments.h"
#include "output/CsvWriter.h"
#include "output/XlsxWriter.h"
#include "tests/support/TestDb.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kessory;

namespace {

QString unzipped(const QString& archive, const QString& member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), { QStringLiteral("-p"), archive, member });
    unzip.waitForFinished(30000);
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

TableDocument yearSummary()
{
    AccountSummary summary;
    qint16 start = 0;
    qint16 end = 0;
    summary.funLoadItem(start, end);
    return accountSummaryDocument(summary, { {}, {}, monthRangeText(0, 0) });
}

// The summary's debit total as the window's store holds it, added up here from its entries.
QString summaryDebitTotal()
{
    AccountSummary summary;
    qint16 start = 0;
    qint16 end = 0;
    summary.funLoadItem(start, end);
    double sum = 0;
    for (int i = 0; i < summary.intItemCount; ++i)
        if (!summary.entry(i).KMBH.isEmpty())
            sum += summary.entry(i).JFJE;
    return QString::number(sum, 'f', 2);
}

} // namespace

// The spreadsheet holds the amounts as numbers in the money format and the codes as text, one sheet per table.
TEST(ExportFiles, XlsxKeepsNumbersAsNumbersAndCodesAsText)
{
    test::TestDb db(test::TestDb::Rows::Sample);
    const QString total = summaryDebitTotal();
    ASSERT_NE(total, QStringLiteral("0.00"));
    const QString path = db.folder() + QStringLiteral("/books.xlsx");
    QString error;
    ASSERT_TRUE(writeXlsx({ yearSummary(), accountsDocument() }, path, &error)) << error.toStdString();

    const QString book = unzipped(path, QStringLiteral("xl/workbook.xml"));
    EXPECT_TRUE(book.contains(QStringLiteral("name=\"科目汇总表\""))) << book.toStdString();
    EXPECT_TRUE(book.contains(QStringLiteral("name=\"会计科目表\"")));
    EXPECT_TRUE(unzipped(path, QStringLiteral("xl/styles.xml")).contains(QStringLiteral("#,##0.00")));

    const QString strings = unzipped(path, QStringLiteral("xl/sharedStrings.xml"));
    for (const QString& text : { QStringLiteral("科 目 汇 总 表"), QStringLiteral("借方金额"), QStringLiteral("合计"),
                                 QStringLiteral("101"), QStringLiteral("现金") })
        EXPECT_TRUE(strings.contains(text)) << text.toStdString();

    // The 合计 row's debit total is a number cell (no t="s"), the sum of the store's entries.
    const QString sheet = unzipped(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QRegularExpression number(QStringLiteral("<c r=\"C\\d+\" s=\"\\d+\"><v>([0-9.]+)</v></c>"));
    QStringList debits;
    for (auto it = number.globalMatch(sheet); it.hasNext();)
        debits << it.next().captured(1);
    ASSERT_FALSE(debits.isEmpty());
    EXPECT_EQ(QString::number(debits.last().toDouble(), 'f', 2), total);
    // Column A (the codes) never holds a number cell, in either sheet.
    const QRegularExpression numberInA(QStringLiteral("<c r=\"A\\d+\" s=\"\\d+\"><v>"));
    EXPECT_FALSE(sheet.contains(numberInA));
    EXPECT_FALSE(unzipped(path, QStringLiteral("xl/worksheets/sheet2.xml")).contains(numberInA));
}

// CSV: a byte-order mark, then UTF-8; amounts plain with two decimals; a field with a comma or a quote is quoted.
TEST(ExportFiles, CsvIsUtf8WithMarkAndQuotes)
{
    test::TestDb db(test::TestDb::Rows::Sample);
    const QString total = summaryDebitTotal();
    const QString path = db.folder() + QStringLiteral("/summary.csv");
    ASSERT_TRUE(writeCsv(yearSummary(), path, nullptr));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes.mid(3));
    EXPECT_TRUE(text.startsWith(QStringLiteral("科目汇总表\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("科目编号,科目名称,借方金额,贷方金额,方向,余额\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral(",合计,") + total + QLatin1Char(','))) << text.toStdString();

    EXPECT_EQ(csvField(QStringLiteral("现金")), QStringLiteral("现金"));
    EXPECT_EQ(csvField(QStringLiteral("甲,乙")), QStringLiteral("\"甲,乙\""));
    EXPECT_EQ(csvField(QStringLiteral("说\"明\"")), QStringLiteral("\"说\"\"明\"\"\""));
}
