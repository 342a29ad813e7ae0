#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "ledgers/DetailLedger.h"
#include "ledgers/Direction.h"
#include "shell/Clock.h"
#include "tests/ledgers/detail_books.h"

#include <gtest/gtest.h>

using kessory::DetailLedger;
using kessory::typMXZJL;
using kessory::test::DetailBooks;
using kessory::test::TestDb;

namespace {

qint16 load(DetailLedger& ledger, QString code, qint16 period)
{
    return ledger.funQueryLedger(0, code, period);
}

qint64 cents(double v)
{
    return kessory::toCents(v);
}

// The rows built, blank ones left out, as "category+number|summary|side|amount|balance" in fen.
QStringList rowsOf(const DetailLedger& ledger)
{
    QStringList out;
    for (int i = 0; i < ledger.intJLCount(); ++i) {
        const typMXZJL& r = ledger.arrMXZJL(i);
        if (r.LB.isEmpty() && r.ZY != u"期初余额" && r.ZY != u"合计")
            continue;
        out << QStringLiteral("%1|%2|%3|%4|%5")
                   .arg(r.LB.isEmpty() ? QString() : r.LB + QString::number(r.PZHM), r.ZY)
                   .arg(r.FX ? 1 : 0)
                   .arg(cents(r.JE))
                   .arg(cents(r.YE));
    }
    return out;
}

// Three accounts, entered out of code order, plus a voided voucher.
class DetailRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        kessory::Clock::setNow(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        const int v1 = books.voucher(1, QStringLiteral("记"), 1, 5);
        books.line(v1, false, QStringLiteral("800"), QStringLiteral("101"), QStringLiteral("提取现金"), 1);
        books.line(v1, true, QStringLiteral("800"), QStringLiteral("10201"), QStringLiteral("提取现金"), 1);
        const int v2 = books.voucher(1, QStringLiteral("转"), 2, 9);
        books.line(v2, false, QStringLiteral("250.5"), QStringLiteral("10202"), QStringLiteral("转存"), 2);
        books.line(v2, true, QStringLiteral("250.5"), QStringLiteral("101"), QStringLiteral("转存"), 2);
        const int v3 = books.voucher(2, QStringLiteral("记"), 2, 20, true);
        books.line(v3, false, QStringLiteral("9999"), QStringLiteral("101"), QStringLiteral("作废的"), 1);
        books.line(v3, true, QStringLiteral("9999"), QStringLiteral("10201"), QStringLiteral("作废的"), 1);
        const int v4 = books.voucher(3, QStringLiteral("记"), 3, 2);
        books.line(v4, false, QStringLiteral("100"), QStringLiteral("10201"), QStringLiteral("存入"), 3);
        books.line(v4, true, QStringLiteral("100"), QStringLiteral("101"), QStringLiteral("存入"), 3);
    }
    void TearDown() override { kessory::Clock::reset(); }

    TestDb db;
    DetailBooks books { db };
    DetailLedger ledger;
};

TEST_F(DetailRows, FirstLoadListsEveryLineInCodeThenEntryOrderWithTotals)
{
    EXPECT_EQ(load(ledger, QString(), 0), 6 + 2 + 2);

    const typMXZJL& opening = ledger.arrMXZJL(0);
    EXPECT_EQ(opening.ZY, QStringLiteral("期初余额"));
    EXPECT_FALSE(opening.FX);
    EXPECT_EQ(opening.JE, 0.0);
    EXPECT_EQ(kessory::sideOf(opening.YE), kessory::Side::Even);
    EXPECT_TRUE(opening.LB.isEmpty());

    struct Expected {
        const char* code;
        const char* lb;
        int pzhm;
        bool fx;
        qint64 je;
        qint64 ye;
    };
    const Expected lines[] = { { "101", "记", 1, false, 80000, -80000 },  { "101", "转", 1, true, 25050, -54950 },
                               { "101", "记", 3, true, 10000, -44950 },   { "10201", "记", 1, true, 80000, 35050 },
                               { "10201", "记", 3, false, 10000, 25050 }, { "10202", "转", 1, false, 25050, 0 } };
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const typMXZJL& row = ledger.arrMXZJL(i + 1);
        EXPECT_EQ(row.KMBH, QString::fromUtf8(lines[i].code));
        EXPECT_EQ(row.LB, QString::fromUtf8(lines[i].lb));
        EXPECT_EQ(row.PZHM, lines[i].pzhm);
        EXPECT_EQ(row.FX, lines[i].fx);
        EXPECT_EQ(cents(row.JE), lines[i].je);
        EXPECT_EQ(cents(row.YE), lines[i].ye);
    }
    EXPECT_TRUE(ledger.arrMXZJL(1).JZRQ.startsWith(QStringLiteral("2026-01-05")));

    const typMXZJL& total = ledger.arrMXZJL(7);
    EXPECT_EQ(total.ZY, QStringLiteral("合计"));
    EXPECT_EQ(cents(total.JE), 80000 + 25050 + 10000);
    EXPECT_EQ(cents(total.YE), 80000 + 25050 + 10000);
    EXPECT_TRUE(ledger.arrMXZJL(8).ZY.isEmpty());
    EXPECT_EQ(ledger.arrMXZJL(8).JZRQ, QStringLiteral("1997-01-01"));
}

TEST_F(DetailRows, AllAccountsCodeAndOutOfRangePeriodsMeanEverythingAndTheWholeYear)
{
    const qint16 all = load(ledger, QString(), 0);
    const QStringList allRows = rowsOf(ledger);

    QString code = QStringLiteral("000");
    qint16 period = 0;
    EXPECT_EQ(ledger.funQueryLedger(0, code, period), all);
    EXPECT_TRUE(code.isEmpty());
    EXPECT_EQ(rowsOf(ledger), allRows);

    for (qint16 p : { qint16(13), qint16(-1) }) {
        QString c;
        qint16 q = p;
        EXPECT_EQ(ledger.funQueryLedger(0, c, q), all);
        EXPECT_EQ(q, 0);
        EXPECT_EQ(rowsOf(ledger), allRows);
    }

    // One account in one period: its lines of that month's vouchers after the balance of the months before.
    code = QStringLiteral("101");
    period = 2;
    EXPECT_EQ(ledger.funQueryLedger(0, code, period), 1 + 1 + 1 + 2);
    EXPECT_EQ(rowsOf(ledger),
              QStringList({ "|期初余额|0|80000|-80000", "转1|转存|1|25050|-54950", "|合计|1|80000|25050" }));
}

TEST_F(DetailRows, OpeningBalanceOfEarlierDebitsStandsOnTheDebitSide)
{
    // 101 before March: debit 800 (January), credit 250.50 (February); the voided 9999 counts nowhere.
    EXPECT_EQ(load(ledger, QStringLiteral("101"), 3), 1 + 1 + 1 + 2);
    const typMXZJL& opening = ledger.arrMXZJL(0);
    EXPECT_FALSE(opening.FX);
    EXPECT_EQ(cents(opening.JE), 54950);
    EXPECT_EQ(cents(opening.YE), -54950);
    EXPECT_EQ(kessory::sideOf(opening.YE), kessory::Side::Debit);

    const typMXZJL& line = ledger.arrMXZJL(1);
    EXPECT_EQ(line.PZHM, 3);
    EXPECT_EQ(cents(line.YE), -44950);
    // Both totals carry the opening amount on its side.
    const typMXZJL& total = ledger.arrMXZJL(2);
    EXPECT_EQ(cents(total.JE), 54950);
    EXPECT_EQ(cents(total.YE), 10000);
    EXPECT_EQ(cents(total.YE) - cents(total.JE), cents(line.YE));

    EXPECT_EQ(cents(ledger.funGetOpeningBalance(3, QString())), 0);
    EXPECT_EQ(cents(ledger.funGetOpeningBalance(3, QStringLiteral("102"))), 80000 - 25050);
    EXPECT_EQ(ledger.funGetOpeningBalance(0, QStringLiteral("101")), 0.0);
}

TEST_F(DetailRows, FirstLevelCodeRunsOneBalanceAcrossItsSubAccounts)
{
    EXPECT_EQ(load(ledger, QStringLiteral("102"), 0), 3 + 2 + 2);
    EXPECT_EQ(ledger.arrMXZJL(1).KMBH, QStringLiteral("10201"));
    EXPECT_EQ(ledger.arrMXZJL(2).KMBH, QStringLiteral("10201"));
    EXPECT_EQ(ledger.arrMXZJL(3).KMBH, QStringLiteral("10202"));
    EXPECT_EQ(cents(ledger.arrMXZJL(1).YE), 80000);
    EXPECT_EQ(cents(ledger.arrMXZJL(2).YE), 70000);
    EXPECT_EQ(cents(ledger.arrMXZJL(3).YE), 44950);
}

TEST_F(DetailRows, PeriodWithOnlyEarlierLinesLeavesTheSheetEmpty)
{
    int cleared = 0;
    ledger.setClearSheet([&] {
        ++cleared;
        ledger.funResetRows();
    });
    load(ledger, QString(), 0);
    EXPECT_EQ(load(ledger, QStringLiteral("10202"), 3), 0);
    EXPECT_EQ(cleared, 2);
    EXPECT_EQ(ledger.intJLCount(), 0);
    EXPECT_TRUE(ledger.arrMXZJL(0).ZY.isEmpty());

    // Asking only for the query builds nothing either.
    QString code;
    qint16 period = 0;
    EXPECT_EQ(ledger.funQueryLedger(1, code, period), 0);
    EXPECT_EQ(ledger.intJLCount(), 0);
}

TEST_F(DetailRows, UnreadableLineEndsTheBuildWithoutTotal)
{
    // A voucher number beyond 16 bits cannot be held by the row.
    const int bad = books.voucher(40000, QStringLiteral("记"), 4, 1);
    books.line(bad, false, QStringLiteral("1"), QStringLiteral("10201"), QStringLiteral("坏"), 4);
    const int later = books.voucher(5, QStringLiteral("记"), 4, 2);
    books.line(later, false, QStringLiteral("2"), QStringLiteral("10201"), QStringLiteral("后"), 4);
    EXPECT_EQ(load(ledger, QStringLiteral("10201"), 0), 3);
    EXPECT_EQ(ledger.arrMXZJL(2).PZHM, 3);
    EXPECT_TRUE(ledger.arrMXZJL(3).ZY.isEmpty());
}

TEST(DetailRowsCents, BalanceThatIsZeroToTheCentReadsEven)
{
    TestDb db;
    DetailBooks books(db);
    const int v = books.voucher(1, QStringLiteral("记"), 1, 1);
    books.line(v, true, QStringLiteral("0.1"), QStringLiteral("101"), QStringLiteral("a"), 1);
    books.line(v, true, QStringLiteral("0.2"), QStringLiteral("101"), QStringLiteral("b"), 1);
    books.line(v, false, QStringLiteral("0.3"), QStringLiteral("101"), QStringLiteral("c"), 1);
    DetailLedger ledger;
    EXPECT_EQ(load(ledger, QString(), 0), 7);
    EXPECT_EQ(ledger.arrMXZJL(3).YE, 0.0);
    EXPECT_EQ(kessory::sideOf(ledger.arrMXZJL(3).YE), kessory::Side::Even);
    EXPECT_EQ(ledger.arrMXZJL(4).JE, ledger.arrMXZJL(4).YE);

    // An opening balance that sums to zero only in doubles is still zero.
    const int w = books.voucher(2, QStringLiteral("记"), 2, 1);
    books.line(w, true, QStringLiteral("5"), QStringLiteral("101"), QStringLiteral("d"), 2);
    EXPECT_EQ(load(ledger, QStringLiteral("101"), 2), 5);
    EXPECT_EQ(ledger.arrMXZJL(0).YE, 0.0);
    EXPECT_FALSE(ledger.arrMXZJL(0).FX);
}

TEST(DetailRowsCapacity, FullStoreKeepsTheLinesThatFitAndDropsTheTotal)
{
    {
        TestDb db;
        DetailBooks(db).manyLines(2047, QStringLiteral("101"));
        DetailLedger ledger;
        EXPECT_EQ(load(ledger, QString(), 0), 2049 + 2);
        EXPECT_EQ(ledger.arrMXZJL(2047).ZY, QStringLiteral("行2047"));
        EXPECT_EQ(ledger.arrMXZJL(2048).ZY, QStringLiteral("合计"));
        EXPECT_EQ(cents(ledger.arrMXZJL(2048).JE), 204700);
        // Past the store reads as blank rather than out of bounds.
        EXPECT_TRUE(ledger.arrMXZJL(2050).ZY.isEmpty());
    }
    {
        TestDb db;
        DetailBooks(db).manyLines(2048, QStringLiteral("101"));
        DetailLedger ledger;
        EXPECT_EQ(load(ledger, QString(), 0), 2049);
        EXPECT_EQ(ledger.arrMXZJL(2048).ZY, QStringLiteral("行2048"));
        EXPECT_EQ(cents(ledger.arrMXZJL(2048).YE), -204800);
    }
}

TEST(DetailRowsQuery, QuoteInAccountCodeCannotBreakTheQuery)
{
    TestDb db;
    DetailBooks books(db);
    const int v = books.voucher(1, QStringLiteral("记"), 1, 1);
    books.line(v, true, QStringLiteral("5"), QStringLiteral("101"), QStringLiteral("a"), 1);
    DetailLedger ledger;
    EXPECT_EQ(load(ledger, QStringLiteral("1' Or '1'='1"), 0), 0);
    EXPECT_EQ(load(ledger, QStringLiteral("101"), 0), 3 + 2);
    EXPECT_EQ(ledger.funGetOpeningBalance(3, QStringLiteral("1' Or '1'='1")), 0.0);
}

} // namespace
