#include "ledgers/AccountSummary.h"
#include "shell/Clock.h"
#include "tests/ledgers/sheet_books.h"

#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::SheetBooks;
using kessory::test::TestDb;

namespace {

class AccountSummaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
        for (const char* code : { "101", "102", "501", "502" })
            books.account(QString::fromLatin1(code), QStringLiteral("科目") + QString::fromLatin1(code));
    }

    void load(qint16 start, qint16 end)
    {
        m_start = start;
        m_end = end;
        summary.funLoadItem(m_start, m_end);
    }

    // "code|debit|credit|balance" of the loaded entries.
    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < summary.intItemCount - LedgerSheet::kBlankTail; ++i) {
            const typKMHZItem& e = summary.arrItems[static_cast<std::size_t>(i)];
            out << QStringLiteral("%1|%2|%3|%4")
                       .arg(e.KMBH)
                       .arg(e.JFJE, 0, 'f', 2)
                       .arg(e.DFJE, 0, 'f', 2)
                       .arg(e.Diff, 0, 'f', 2);
        }
        return out;
    }

    TestDb db;
    SheetBooks books { db };
    AccountSummary summary;
    qint16 m_start = 0;
    qint16 m_end = 0;
};

TEST_F(AccountSummaryTest, WholeYearFirstThenTheRangeShown)
{
    books.credit(QStringLiteral("501"), 100, 2);
    books.debit(QStringLiteral("101"), 100, 2);
    books.debit(QStringLiteral("101"), 40, 4); // dated after the current month

    load(0, 0);
    EXPECT_EQ(rows(), QStringList({ "101|140.00|0.00|-140.00", "501|0.00|100.00|100.00" }));
    EXPECT_EQ(summary.arrItems[0].KMMC, QStringLiteral("科目101"));

    load(1, 3);
    EXPECT_EQ(rows(), QStringList({ "101|100.00|0.00|-100.00", "501|0.00|100.00|100.00" }));
    EXPECT_EQ(summary.intItemCount, 2 + 3);
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
    EXPECT_EQ(rows(), QStringList({ "102|0.30|0.30|0.00", "501|0.00|0.30|0.30" }));
    const LedgerSlotView even = funSlotView(summary.arrItems[0]);
    EXPECT_EQ(even.side, Side::Even);
    EXPECT_EQ(sideText(even.side), QStringLiteral("平"));
    const LedgerSlotView credit = funSlotView(summary.arrItems[1]);
    EXPECT_EQ(credit.side, Side::Credit);
    EXPECT_DOUBLE_EQ(credit.magnitude, 0.3);
    EXPECT_TRUE(credit.period.isEmpty());

    // A blank entry still paints: zero amounts and 平.
    const LedgerSlotView blank = funSlotView(summary.arrItems[2]);
    EXPECT_FALSE(blank.blank);
    EXPECT_EQ(blank.side, Side::Even);
    EXPECT_TRUE(blank.code.isEmpty());
}

TEST_F(AccountSummaryTest, LowerLevelCodesAndVoidedVouchersDoNotCount)
{
    books.account(QStringLiteral("10201"), QStringLiteral("工商银行"));
    books.debit(QStringLiteral("10201"), 500, 1);
    books.line(QStringLiteral("101"), false, 70, 2, 10, true);
    books.credit(QStringLiteral("101"), 3, 2);

    load(0, 0);
    EXPECT_EQ(rows(), QStringList({ "101|0.00|3.00|3.00" }));
}

TEST_F(AccountSummaryTest, MonthsOutsideTheYearAreTakenAsZero)
{
    books.credit(QStringLiteral("501"), 1, 1);
    books.credit(QStringLiteral("501"), 2, 5);
    books.credit(QStringLiteral("501"), 4, 11);

    load(13, 5);
    EXPECT_EQ(m_start, 0);
    EXPECT_EQ(m_end, 5);
    EXPECT_EQ(rows(), QStringList({ "501|0.00|3.00|3.00" }));

    load(13, 13);
    EXPECT_EQ(m_end, 0);
    EXPECT_EQ(rows(), QStringList({ "501|0.00|7.00|7.00" }));

    load(11, 2);
    EXPECT_EQ(m_start, 2);
    EXPECT_EQ(m_end, 11);
    EXPECT_EQ(rows(), QStringList({ "501|0.00|6.00|6.00" }));

    load(-4, 1);
    EXPECT_EQ(m_start, 0);
    EXPECT_EQ(rows(), QStringList({ "501|0.00|1.00|1.00" }));
}

} // namespace
