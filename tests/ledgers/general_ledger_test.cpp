#include "ledgers/GeneralLedger.h"
#include "shell/Clock.h"
#include "tests/ledgers/sheet_books.h"

#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::SheetTest;

namespace {

class GeneralLedgerTest : public SheetTest<GeneralLedger> {
protected:
    void SetUp() override
    {
        Clock::setNow(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        books.account(QStringLiteral("501"), QStringLiteral("产品销售收入"));
        books.account(QStringLiteral("502"), QStringLiteral("产品销售成本"));
    }

    // The loaded entries as "code|summary|month|debit|credit|balance".
    QStringList rows() const
    {
        QStringList out;
        for (const typZZItem& e : loaded())
            out << QStringLiteral("%1|%2|%3|%4|%5|%6")
                       .arg(e.KMBH, e.ZY)
                       .arg(e.KJQJ)
                       .arg(e.JFJE, 0, 'f', 2)
                       .arg(e.DFJE, 0, 'f', 2)
                       .arg(e.Diff, 0, 'f', 2);
        return out;
    }
};

TEST_F(GeneralLedgerTest, MarchToMayWithLinesInFebruaryAndApril)
{
    books.credit(QStringLiteral("501"), 1000.10, 2);
    books.debit(QStringLiteral("501"), 300, 2);
    books.credit(QStringLiteral("501"), 50.25, 4);
    books.debit(QStringLiteral("501"), 200, 4);
    books.debit(QStringLiteral("501"), 77, 6); // after the range: no effect on any row shown

    load(3, 5);
    EXPECT_EQ(store.intItemCount, 7 + 3);
    EXPECT_EQ(rows(),
              QStringList({
                  "501|期初余额|3|0.00|0.00|700.10",
                  "501|本期合计|3|0.00|0.00|0.00",
                  "501|本年累计|3|0.00|0.00|700.10",
                  "501|本期合计|4|200.00|50.25|-149.75",
                  "501|本年累计|4|0.00|0.00|550.35",
                  "501|本期合计|5|0.00|0.00|0.00",
                  "501|本年累计|5|0.00|0.00|550.35",
              }));
    EXPECT_EQ(store.arrItems[1].KMMC, QStringLiteral("产品销售收入"));
    // The three closing entries are blank.
    EXPECT_TRUE(store.arrItems[7].ZY.isEmpty());
    EXPECT_TRUE(store.arrItems[9].KMBH.isEmpty());
}

TEST_F(GeneralLedgerTest, WhichAccountsAreListed)
{
    books.account(QStringLiteral("503"), QStringLiteral("营业费用"));
    books.account(QStringLiteral("504"), QStringLiteral("其他业务收入"));
    books.credit(QStringLiteral("501"), 10, 5); // only after the end month
    books.debit(QStringLiteral("502"), 40, 1); // an opening balance, no line in the range
    // Earlier lines netting to exactly zero, which plain doubles would miss (0.1 + 0.2 != 0.3).
    books.credit(QStringLiteral("503"), 0.1, 1);
    books.credit(QStringLiteral("503"), 0.2, 1);
    books.debit(QStringLiteral("503"), 0.3, 2);
    books.credit(QStringLiteral("504"), 5, 3); // a line in the range

    load(3, 4);
    EXPECT_EQ(rows(),
              QStringList({
                  "502|期初余额|3|0.00|0.00|-40.00",
                  "502|本期合计|3|0.00|0.00|0.00",
                  "502|本年累计|3|0.00|0.00|-40.00",
                  "502|本期合计|4|0.00|0.00|0.00",
                  "502|本年累计|4|0.00|0.00|-40.00",
                  "504|期初余额|3|0.00|0.00|0.00",
                  "504|本期合计|3|0.00|5.00|5.00",
                  "504|本年累计|3|0.00|0.00|5.00",
                  "504|本期合计|4|0.00|0.00|0.00",
                  "504|本年累计|4|0.00|0.00|5.00",
              }));
    EXPECT_EQ(funSlotView(store.arrItems[0]).side, Side::Debit);
    EXPECT_EQ(funSlotView(store.arrItems[5]).side, Side::Even);
}

TEST_F(GeneralLedgerTest, SubAccountsCountVoidedVouchersDoNot)
{
    books.account(QStringLiteral("50101"), QStringLiteral("甲产品"));
    books.credit(QStringLiteral("50101"), 900, 1);
    books.credit(QStringLiteral("50101"), 900, 3);
    books.line(QStringLiteral("501"), true, 500, 1, 10, true);
    books.line(QStringLiteral("501"), false, 60, 3, 10, true);
    books.credit(QStringLiteral("501"), 8, 3);

    load(2, 3);
    EXPECT_EQ(rows(),
              QStringList({
                  "501|期初余额|2|0.00|0.00|900.00",
                  "501|本期合计|2|0.00|0.00|0.00",
                  "501|本年累计|2|0.00|0.00|900.00",
                  "501|本期合计|3|0.00|908.00|908.00",
                  "501|本年累计|3|0.00|0.00|1808.00",
              }));
    EXPECT_DOUBLE_EQ(GeneralLedger::funGetBalance(13, QStringLiteral("50101")), 1800);
    EXPECT_DOUBLE_EQ(GeneralLedger::funGetBalance(13, QStringLiteral("501")), 1808);
}

TEST_F(GeneralLedgerTest, RangeIsCutToTheCurrentMonthAndPutInOrder)
{
    Clock::setNow(QDateTime(QDate(2026, 3, 20), QTime(9, 0)));
    books.credit(QStringLiteral("501"), 1, 3);
    books.credit(QStringLiteral("501"), 2, 4); // dated after "now": outside any range the window can load

    load(1, 12);
    EXPECT_EQ(m_start, 1);
    EXPECT_EQ(m_end, 3);
    EXPECT_EQ(store.intItemCount, 1 + 2 * 3 + 3);
    EXPECT_EQ(store.arrItems[6].KJQJ, 3);
    EXPECT_DOUBLE_EQ(store.arrItems[6].Diff, 1);

    load(3, 2); // swapped
    EXPECT_EQ(m_start, 2);
    EXPECT_EQ(m_end, 3);
    load(5, -1); // both out of range
    EXPECT_EQ(m_start, 1);
    EXPECT_EQ(m_end, 3);
    load(0, 0); // 0 passes: nothing is dated in month 0
    EXPECT_EQ(m_start, 0);
    EXPECT_EQ(m_end, 0);
    EXPECT_EQ(store.intItemCount, 3);
}

TEST_F(GeneralLedgerTest, BalanceBeforeAMonth)
{
    books.credit(QStringLiteral("501"), 100, 1);
    books.debit(QStringLiteral("502"), 30.5, 2);
    books.debit(QStringLiteral("501"), 20, 12);
    EXPECT_DOUBLE_EQ(GeneralLedger::funGetBalance(1, QStringLiteral("501")), 0);
    EXPECT_DOUBLE_EQ(GeneralLedger::funGetBalance(2, QStringLiteral("501")), 100);
    EXPECT_DOUBLE_EQ(GeneralLedger::funGetBalance(12, QString()), 69.5);
    EXPECT_DOUBLE_EQ(GeneralLedger::funGetBalance(13, QStringLiteral("501")), 80);
    EXPECT_DOUBLE_EQ(GeneralLedger::funGetBalance(14, QString()), 0);
    EXPECT_DOUBLE_EQ(GeneralLedger::funGetBalance(-1, QString()), 0);
}

TEST_F(GeneralLedgerTest, ClearsTheSheetOnlyWhenTheChartHasAccounts)
{
    int clears = 0;
    store.setClearSheetHook([&] { ++clears; });
    books.credit(QStringLiteral("501"), 1, 1);
    load(1, 1);
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(store.intItemCount, 3 + 3);

    db.exec(QStringLiteral("DELETE FROM 财务科目"));
    load(1, 1);
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(store.intItemCount, 0);
    // The store keeps its entries: the sheet keeps showing them until a load succeeds.
    EXPECT_EQ(store.arrItems[0].ZY, QStringLiteral("期初余额"));
}

TEST_F(GeneralLedgerTest, AFullStoreEndsTheLoadWithoutTheBlankTail)
{
    Clock::setNow(QDateTime(QDate(2026, 12, 15), QTime(10, 0)));
    // 82 accounts of 25 entries each need 2,050 entries: one more than the store holds.
    for (int i = 0; i < 82; ++i) {
        const QString code = QString::number(600 + i);
        books.account(code, QStringLiteral("科目"));
        books.credit(code, 1, 1);
    }
    load(1, 12);
    EXPECT_EQ(store.intItemCount, LedgerSheet::kStoreEntries);
    EXPECT_EQ(store.arrItems[2048].KMBH, QStringLiteral("681"));
    EXPECT_EQ(store.arrItems[2048].ZY, QStringLiteral("本期合计"));
}

TEST(GeneralLedgerView, OnlyTheOpeningRowNamesTheAccountAndBelowACentIsEven)
{
    const typZZItem opening { QStringLiteral("101"),      QStringLiteral("现金"), 0, 0, -12.5, 3,
                              QStringLiteral("期初余额"), EntryKind::Opening };
    EXPECT_EQ(funSlotView(opening).code, QStringLiteral("101"));
    EXPECT_DOUBLE_EQ(funSlotView(opening).magnitude, 12.5);
    const typZZItem toDate { QStringLiteral("101"),      QStringLiteral("现金"), 30, 10, 0.001, 4,
                             QStringLiteral("本年累计"), EntryKind::YearToDate };
    const LedgerSlotView v = funSlotView(toDate);
    EXPECT_TRUE(v.code.isEmpty());
    EXPECT_DOUBLE_EQ(v.debit, 0);
    EXPECT_EQ(v.side, Side::Even);
    EXPECT_TRUE(funSlotView(typZZItem {}).blank);
}

} // namespace
