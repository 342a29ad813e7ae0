// What every book agrees on: the period a line is filed under, the whole-cent sums, the openings of the year.
#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "ledgers/AccountSummary.h"
#include "ledgers/DetailLedger.h"
#include "ledgers/GeneralLedger.h"
#include "shell/Clock.h"
#include "tests/support/TestDb.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::TestDb;

namespace {

// Vouchers written straight into a test book: a header with its posting date and stored month, lines with the
// date they were last written.
class Books {
public:
    explicit Books(TestDb& db)
        : m_db(db)
    {
    }
    void account(const QString& code)
    {
        m_db.exec(QStringLiteral("INSERT INTO 财务科目 (科目编号,科目名称) VALUES ('%1','科目%1')").arg(code));
    }
    int voucher(const QString& postingDate, int storedMonth, bool voided = false)
    {
        ++m_id;
        m_db.exec(QStringLiteral("INSERT INTO 记账凭证 (编号,凭证号码,类别,月份,记账日期,已作废) VALUES "
                                 "(%1,%1,'记',%2,'%3',%4)")
                      .arg(m_id)
                      .arg(storedMonth)
                      .arg(postingDate)
                      .arg(voided ? 1 : 0));
        return m_id;
    }
    void line(int id, bool credit, const QString& amount, const QString& code, const QString& written)
    {
        m_db.exec(QStringLiteral("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,日期) VALUES "
                                 "(%1,%2,%3,%4,'摘要','%5','%6')")
                      .arg(id)
                      .arg(++m_record)
                      .arg(credit ? 1 : 0)
                      .arg(amount, code, written));
    }

    // count lines of one amount on one side of one account in voucher id.
    void sameLines(int id, int count, bool credit, const QString& amount, const QString& code, const QString& written)
    {
        m_db.exec(
            QStringLiteral("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,日期) WITH RECURSIVE "
                           "n(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM n WHERE x<%1) SELECT %2,%3+x,%4,%5,'摘要',"
                           "'%6','%7' FROM n")
                .arg(count)
                .arg(id)
                .arg(m_record)
                .arg(credit ? QStringLiteral("True") : QStringLiteral("False"), amount, code, written));
        m_record += count;
    }

private:
    TestDb& m_db;
    int m_id = 0;
    int m_record = 0;
};

QString cents(double yuan)
{
    return QString::number(toCents(yuan));
}

// Every figure of the three books over the ranges a user picks, as text.
QStringList figures()
{
    QStringList out;
    GeneralLedger ledger;
    for (auto [first, last] : { std::pair<qint16, qint16> { 1, 12 }, { 3, 4 } }) {
        ledger.funLoadItem(first, last);
        for (int i = 0; i < ledger.intItemCount; ++i) {
            const typZZItem& e = ledger.arrItems[static_cast<std::size_t>(i)];
            out << QStringList { e.KMBH, e.ZY, QString::number(e.KJQJ), cents(e.JFJE), cents(e.DFJE), cents(e.Diff) }
                       .join(u'|');
        }
    }
    AccountSummary summary;
    for (auto [first, last] : { std::pair<qint16, qint16> { 0, 0 }, { 3, 3 }, { 4, 12 } }) {
        summary.funLoadItem(first, last);
        for (int i = 0; i < summary.intItemCount; ++i) {
            const typKMHZItem& e = summary.arrItems[static_cast<std::size_t>(i)];
            out << QStringList { e.KMBH, e.KMMC, cents(e.JFJE), cents(e.DFJE), cents(e.Diff) }.join(u'|');
        }
    }
    DetailLedger detail;
    for (auto [code, period] : { std::pair<QString, qint16> { QString(), 0 },
                                 { QStringLiteral("101"), 3 },
                                 { QString(), 4 },
                                 { QStringLiteral("102"), 7 } }) {
        detail.funQueryLedger(0, code, period);
        out << QStringLiteral("detail %1 %2: %3 rows").arg(code).arg(period).arg(detail.intJLCount());
        for (int i = 0; i < detail.intJLCount(); ++i) {
            const typMXZJL& r = detail.arrMXZJL(i);
            out << QStringList { r.LB + QString::number(r.PZHM), r.KMBH,      r.ZY,
                                 QString::number(r.FX),          cents(r.JE), cents(r.YE) }
                       .join(u'|');
        }
    }
    return out;
}

class BookFigures : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::setNow(QDateTime(QDate(2026, 12, 15), QTime(10, 0)));
        for (const char* code : { "101", "10101", "102", "501" })
            books.account(QString::fromLatin1(code));
    }

    TestDb db;
    Books books { db };
};

TEST_F(BookFigures, AVoucherIsFiledUnderTheMonthOfItsPostingDateWhateverItsLinesSay)
{
    const int january = books.voucher(QStringLiteral("2026-01-05 09:00:00"), 1);
    books.line(january, false, QStringLiteral("100"), QStringLiteral("101"), QStringLiteral("2026-01-05 09:00:00"));
    books.line(january, true, QStringLiteral("100"), QStringLiteral("501"), QStringLiteral("2026-01-05 09:00:00"));
    // Stored month 0: the posting date's month (March) wins.
    const int march = books.voucher(QStringLiteral("2026-03-10 09:00:00"), 0);
    books.line(march, false, QStringLiteral("30"), QStringLiteral("10101"), QStringLiteral("2026-03-10 09:00:00"));
    books.line(march, true, QStringLiteral("30"), QStringLiteral("501"), QStringLiteral("2026-03-10 09:00:00"));
    // Stored month 7 disagrees with an April posting date: April wins.
    const int april = books.voucher(QStringLiteral("2026-04-02"), 7);
    books.line(april, false, QStringLiteral("20.5"), QStringLiteral("102"), QStringLiteral("2026-04-02 09:00:00"));
    books.line(april, true, QStringLiteral("20.5"), QStringLiteral("501"), QStringLiteral("2026-04-02 09:00:00"));
    // A posting date that cannot be read: the stored month (5) decides.
    const int may = books.voucher(QStringLiteral("五月"), 5);
    books.line(may, false, QStringLiteral("7"), QStringLiteral("101"), QStringLiteral("2026-05-02 09:00:00"));
    books.line(may, true, QStringLiteral("7"), QStringLiteral("501"), QStringLiteral("2026-05-02 09:00:00"));

    const QStringList before = figures();
    EXPECT_TRUE(before.contains(QStringLiteral("101|本期合计|3|3000|0|-3000"))) << before.join(u'\n').toStdString();
    EXPECT_TRUE(before.contains(QStringLiteral("102|本期合计|4|2050|0|-2050")));
    EXPECT_TRUE(before.contains(QStringLiteral("101|本期合计|5|700|0|-700")));
    EXPECT_TRUE(before.contains(QStringLiteral("101|科目101|3000|0|-3000"))); // the summary of March
    EXPECT_TRUE(before.contains(QStringLiteral("记2|10101|摘要|0|3000|-13000"))); // detail 101, March
    EXPECT_TRUE(before.contains(QStringLiteral("detail 102 7: 0 rows")));

    // Auditing or voiding rewrites every line's date to today; re-saving a voucher writes its lines again.
    db.exec(QStringLiteral("UPDATE 记账凭证内容 SET 日期='2026-12-07 16:00:00'"));
    EXPECT_EQ(figures(), before);
    db.exec(QStringLiteral("UPDATE 记账凭证内容 SET 日期=NULL"));
    EXPECT_EQ(figures(), before);
}

TEST_F(BookFigures, SumsAreExactToTheCentOnHugeBooks)
{
    // 9,999,999,999.99 then 10,000 lines of 0.29, all credit on 101 in January: added as doubles in that order the
    // total is a cent out.
    const int big = books.voucher(QStringLiteral("2026-01-01 09:00:00"), 1);
    books.line(big, true, QStringLiteral("9999999999.99"), QStringLiteral("101"),
               QStringLiteral("2026-01-01 09:00:00"));
    const int many = books.voucher(QStringLiteral("2026-01-02 09:00:00"), 1);
    books.sameLines(many, 10000, true, QStringLiteral("0.29"), QStringLiteral("10101"),
                    QStringLiteral("2026-01-02 09:00:00"));
    const int debit = books.voucher(QStringLiteral("2026-01-03 09:00:00"), 1);
    books.line(debit, false, QStringLiteral("10000002899.99"), QStringLiteral("501"),
               QStringLiteral("2026-01-03 09:00:00"));
    // 2,000 lines of 9,999,999,999.99 in February: a balance of about 2e13, beyond 15 significant digits.
    const int huge = books.voucher(QStringLiteral("2026-02-01 09:00:00"), 2);
    books.sameLines(huge, 2000, false, QStringLiteral("9999999999.99"), QStringLiteral("102"),
                    QStringLiteral("2026-02-01 09:00:00"));
    const int march = books.voucher(QStringLiteral("2026-03-01 09:00:00"), 3);
    books.line(march, true, QStringLiteral("1"), QStringLiteral("101"), QStringLiteral("2026-03-01 09:00:00"));

    const qint64 credit101 = 999999999999 + 10000 * 29;
    const qint64 debit102 = qint64 { 999999999999 } * 2000;
    EXPECT_EQ(toCents(GeneralLedger::funGetBalance(2, QStringLiteral("101"))), credit101);
    EXPECT_EQ(toCents(GeneralLedger::funGetBalance(3, QStringLiteral("102"))), -debit102);
    DetailLedger detail;
    EXPECT_EQ(toCents(detail.funGetOpeningBalance(3, QStringLiteral("101"))), credit101);
    EXPECT_EQ(toCents(detail.funGetOpeningBalance(3, QStringLiteral("102"))), -debit102);

    GeneralLedger ledger;
    qint16 first = 1;
    qint16 last = 3;
    ledger.funLoadItem(first, last);
    ASSERT_EQ(ledger.arrItems[1].ZY, QStringLiteral("本期合计"));
    EXPECT_EQ(toCents(ledger.arrItems[1].DFJE), credit101);
    EXPECT_EQ(toCents(ledger.arrItems[2].Diff), credit101);

    AccountSummary summary;
    first = 0;
    last = 0;
    summary.funLoadItem(first, last);
    ASSERT_EQ(summary.arrItems[0].KMBH, QStringLiteral("101"));
    EXPECT_EQ(toCents(summary.arrItems[0].DFJE), credit101 + 100);
    EXPECT_EQ(toCents(summary.arrItems[1].JFJE), debit102);
}

TEST_F(BookFigures, EveryBookStartsFromTheOpeningsOfTheYear)
{
    Clock::setNow(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
    const int january = books.voucher(QStringLiteral("2026-01-05 09:00:00"), 1);
    books.line(january, false, QStringLiteral("100"), QStringLiteral("101"), QStringLiteral("2026-01-05"));
    const int march = books.voucher(QStringLiteral("2026-03-05 09:00:00"), 3);
    books.line(march, true, QStringLiteral("30"), QStringLiteral("10101"), QStringLiteral("2026-03-05"));
    const QStringList without = figures();

    // A debit opening of 500.00 on 10101 (a sub-account of 101) and a credit opening of 200.00 on 102.
    db.exec(QStringLiteral("INSERT INTO 期初余额 (科目编号,余额) VALUES ('10101',-50000),('102',20000)"));
    GeneralLedger ledger;
    qint16 first = 1;
    qint16 last = 3;
    ledger.funLoadItem(first, last);
    EXPECT_EQ(ledger.arrItems[0].KMBH, QStringLiteral("101"));
    EXPECT_EQ(toCents(ledger.arrItems[0].Diff), -50000); // a range from January shows the year's opening
    EXPECT_EQ(toCents(ledger.arrItems[2].Diff), -60000); // 本年累计 January
    EXPECT_EQ(toCents(ledger.arrItems[6].Diff), -57000); // 本年累计 March
    EXPECT_EQ(ledger.arrItems[7].KMBH, QStringLiteral("102")); // listed for its opening alone
    EXPECT_EQ(toCents(ledger.arrItems[7].Diff), 20000);
    first = 2;
    ledger.funLoadItem(first, last);
    EXPECT_EQ(toCents(ledger.arrItems[0].Diff), -60000); // later ranges add the earlier months
    EXPECT_EQ(toCents(GeneralLedger::funGetBalance(1, QStringLiteral("101"))), -50000);

    DetailLedger detail;
    EXPECT_EQ(toCents(detail.funGetOpeningBalance(0, QStringLiteral("101"))), -50000);
    EXPECT_EQ(toCents(detail.funGetOpeningBalance(3, QStringLiteral("101"))), -60000);
    EXPECT_EQ(toCents(detail.funGetOpeningBalance(3, QStringLiteral("10101"))), -50000);
    EXPECT_EQ(toCents(detail.funGetOpeningBalance(0, QString())), -30000);
    QString code = QStringLiteral("101");
    qint16 period = 0;
    detail.funQueryLedger(0, code, period);
    EXPECT_EQ(toCents(detail.arrMXZJL(2).YE), -60000 + 3000);

    // Without openings, or without their table, every book shows what it showed before.
    db.exec(QStringLiteral("DELETE FROM 期初余额"));
    EXPECT_EQ(figures(), without);
    db.exec(QStringLiteral("DROP TABLE 期初余额"));
    EXPECT_EQ(figures(), without);
}

TEST(BookIndexes, AFileMadeBeforeTheIndexesGetsThemWhenOpenedWritable)
{
    KESSORY_FILE_ONLY("an older book file's indexes, read from SQLite's sqlite_master");
    TestDb db;
    db.exec(QStringLiteral("DROP INDEX 记账凭证内容_科目编号"));
    db.exec(QStringLiteral("DROP INDEX 记账凭证_已作废"));
    basDBOperate::RecordsetPtr rs;
    basDBOperate::funCloseDB(rs);
    db.open();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='index' AND name IN "
                                       "('记账凭证内容_科目编号','记账凭证_已作废')")),
              QStringLiteral("2"));
}

} // namespace
