#include "data/Numbers.h"
#include "ledgers/AccountSummary.h"
#include "shell/Clock.h"
#include "tests/ledgers/sheet_books.h"

#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::SheetTest;
using kessory::test::TestDb;

namespace {

class AccountSummaryTest : public SheetTest<AccountSummary> {
protected:
    void SetUp() override
    {
        Clock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
        for (const char* code : { "101", "102", "501", "502" })
            books.account(QString::fromLatin1(code), QStringLiteral("科目") + QString::fromLatin1(code));
    }

    // "code|debit|credit|balance" of the loaded entries, the 合计 row as "合计|...".
    QStringList rows() const
    {
        QStringList out;
        for (const typKMHZItem& e : loaded())
            out << QStringLiteral("%1|%2|%3|%4")
                       .arg(e.kind == EntryKind::GrandTotal ? e.KMMC : e.KMBH)
                       .arg(e.JFJE, 0, 'f', 2)
                       .arg(e.DFJE, 0, 'f', 2)
                       .arg(e.Diff, 0, 'f', 2);
        return out;
    }
};

TEST_F(AccountSummaryTest, WholeYearFirstThenTheRangeShown)
{
    books.credit(QStringLiteral("501"), 100, 2);
    books.debit(QStringLiteral("101"), 100, 2);
    books.debit(QStringLiteral("101"), 40, 4); // dated after the current month

    load(0, 0);
    EXPECT_EQ(rows(),
              QStringList({ "101|140.00|0.00|-140.00", "501|0.00|100.00|100.00", "合计|140.00|100.00|-40.00" }));
    EXPECT_EQ(store.arrItems[0].KMMC, QStringLiteral("科目101"));

    load(1, 3);
    EXPECT_EQ(rows(), QStringList({ "101|100.00|0.00|-100.00", "501|0.00|100.00|100.00", "合计|100.00|100.00|0.00" }));
    EXPECT_EQ(store.intItemCount, 3 + 3);
    EXPECT_FALSE(funSlotView(store.arrItems[2]).alarm);
}

TEST_F(AccountSummaryTest, SidesBalancesAndWhichAccountsAreListed)
{
    books.credit(QStringLiteral("501"), 0.1, 1);
    books.credit(QStringLiteral("501"), 0.2, 1); // credit only
    books.debit(QStringLiteral("102"), 0.3, 2);
    books.credit(QStringLiteral("102"), 0.1, 2);
    books.credit(QStringLiteral("102"), 0.2, 3); // equal totals, in doubles not quite
    books.debit(QStringLiteral("502"), 9, 6); // no line in the range

    load(1, 3);
    EXPECT_EQ(rows(), QStringList({ "102|0.30|0.30|0.00", "501|0.00|0.30|0.30", "合计|0.30|0.60|0.30" }));
    const LedgerSlotView even = funSlotView(store.arrItems[0]);
    EXPECT_EQ(even.side, Side::Even);
    EXPECT_EQ(sideText(even.side), QStringLiteral("平"));
    const LedgerSlotView credit = funSlotView(store.arrItems[1]);
    EXPECT_EQ(credit.side, Side::Credit);
    EXPECT_DOUBLE_EQ(credit.magnitude, 0.3);
    EXPECT_TRUE(credit.period.isEmpty());

    // Sides that differ: the 合计 row shows the difference in red.
    const LedgerSlotView total = funSlotView(store.arrItems[2]);
    EXPECT_TRUE(total.alarm);
    EXPECT_EQ(total.name, QStringLiteral("合计"));
    EXPECT_DOUBLE_EQ(total.magnitude, 0.3);
    EXPECT_FALSE(credit.alarm);

    // A blank entry still paints: zero amounts and 平.
    const LedgerSlotView blank = funSlotView(store.arrItems[3]);
    EXPECT_FALSE(blank.blank);
    EXPECT_EQ(blank.side, Side::Even);
    EXPECT_TRUE(blank.code.isEmpty());
}

TEST_F(AccountSummaryTest, SubAccountsCountVoidedVouchersDoNot)
{
    books.account(QStringLiteral("10201"), QStringLiteral("工商银行"));
    books.debit(QStringLiteral("10201"), 500, 1);
    books.line(QStringLiteral("101"), false, 70, 2, 10, true);
    books.credit(QStringLiteral("101"), 3, 2);

    load(0, 0);
    EXPECT_EQ(rows(), QStringList({ "101|0.00|3.00|3.00", "102|500.00|0.00|-500.00", "合计|500.00|3.00|-497.00" }));
}

TEST_F(AccountSummaryTest, MonthsOutsideTheYearAreTakenAsZero)
{
    books.credit(QStringLiteral("501"), 1, 1);
    books.credit(QStringLiteral("501"), 2, 5);
    books.credit(QStringLiteral("501"), 4, 11);

    load(13, 5);
    EXPECT_EQ(m_start, 0);
    EXPECT_EQ(m_end, 5);
    EXPECT_EQ(rows(), QStringList({ "501|0.00|3.00|3.00", "合计|0.00|3.00|3.00" }));

    load(13, 13);
    EXPECT_EQ(m_end, 0);
    EXPECT_EQ(rows(), QStringList({ "501|0.00|7.00|7.00", "合计|0.00|7.00|7.00" }));

    load(11, 2);
    EXPECT_EQ(m_start, 2);
    EXPECT_EQ(m_end, 11);
    EXPECT_EQ(rows(), QStringList({ "501|0.00|6.00|6.00", "合计|0.00|6.00|6.00" }));

    load(-4, 1);
    EXPECT_EQ(m_start, 0);
    EXPECT_EQ(rows(), QStringList({ "501|0.00|1.00|1.00", "合计|0.00|1.00|1.00" }));
}

TEST(AccountSummarySample, TheSuppliedBookBalancesForEveryMonthRange)
{
    TestDb db(TestDb::Rows::Sample);
    AccountSummary summary;
    for (qint16 first = 0; first <= 12; ++first) {
        for (qint16 last = first; last <= 12; ++last) {
            qint16 start = first;
            qint16 end = last;
            ASSERT_TRUE(summary.funLoadItem(start, end));
            SCOPED_TRACE(QStringLiteral("%1-%2").arg(first).arg(last).toStdString());
            qint64 debit = 0;
            qint64 credit = 0;
            int listed = 0;
            for (int i = 0; i < summary.intItemCount - LedgerSheet::kBlankTail; ++i) {
                const typKMHZItem& e = summary.arrItems[static_cast<std::size_t>(i)];
                if (e.kind == EntryKind::GrandTotal) {
                    EXPECT_EQ(toCents(e.JFJE), debit);
                    EXPECT_EQ(toCents(e.DFJE), credit);
                    EXPECT_EQ(debit, credit);
                    EXPECT_FALSE(funSlotView(e).alarm);
                } else {
                    debit += toCents(e.JFJE);
                    credit += toCents(e.DFJE);
                    ++listed;
                }
            }
            if (first <= 1 && last == 12) {
                EXPECT_GT(listed, 5);
            }
        }
    }
    qint16 start = 0;
    qint16 end = 0;
    summary.funLoadItem(start, end);
    // The bank's 102, whose lines all sit on sub-accounts, is listed.
    EXPECT_EQ(summary.arrItems[1].KMBH, QStringLiteral("102"));
}

} // namespace
