#include "ledgers/DetailLedger.h"
#include "ledgers/DetailLedgerPage.h"
#include "ledgers/DetailLedgerPick.h"
#include "shell/Clock.h"
#include "tests/ledgers/detail_books.h"

#include <gtest/gtest.h>

using kessory::DetailLedger;
using kessory::MXZPageView;
using kessory::MXZSlotView;
using kessory::Side;
using kessory::test::DetailBooks;
using kessory::test::TestDb;

namespace {

using Mark = MXZSlotView::Mark;

int drawnRows(const MXZPageView& page)
{
    int n = 0;
    while (n < static_cast<int>(page.rows.size()) && page.rows[static_cast<std::size_t>(n)].mark != Mark::Empty)
        ++n;
    return n;
}

TEST(DetailPage, PageRowsFollowTheSheetHeightUpToTwentySlots)
{
    EXPECT_EQ(kessory::detailPageRows(4605, 855, 100, 620), 7);
    EXPECT_EQ(kessory::detailPageRows(4205, 855, 100, 620), 6);
    // (4915 - 1005) / 620 + 1 = 7.306 and (5225 - 1005) / 620 + 1 = 7.806: to the nearest.
    EXPECT_EQ(kessory::detailPageRows(4915, 855, 100, 620), 7);
    EXPECT_EQ(kessory::detailPageRows(5225, 855, 100, 620), 8);
    EXPECT_EQ(kessory::detailPageRows(40000, 855, 100, 620), kessory::kDetailSlots);
}

TEST(DetailPage, ShortLedgerFillsFourSlotsWithTheirColumns)
{
    kessory::Clock::setNow(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    TestDb db;
    DetailBooks books(db);
    const int v = books.voucher(7, QStringLiteral("转"), 3, 9);
    books.line(v, true, QStringLiteral("120.5"), QStringLiteral("10201"), QStringLiteral("收款"), 3);
    books.line(v, false, QStringLiteral("20.5"), QStringLiteral("10201"), QStringLiteral("付款"), 3);
    const int before = books.voucher(1, QStringLiteral("记"), 1, 2);
    books.line(before, false, QStringLiteral("500"), QStringLiteral("10201"), QStringLiteral("早"), 1);
    DetailLedger ledger;
    QString code = QStringLiteral("10201");
    qint16 period = 3;
    ASSERT_EQ(ledger.funQueryLedger(0, code, period), 6);

    const MXZPageView page = kessory::layoutDetailPage(ledger, 0, 7);
    EXPECT_EQ(page.scrollMax, 0);
    ASSERT_EQ(drawnRows(page), 4);

    const MXZSlotView& opening = page.rows[0];
    EXPECT_EQ(opening.number, QStringLiteral("期初"));
    EXPECT_EQ(opening.debit, 500.0);
    EXPECT_EQ(opening.credit, 0.0);
    EXPECT_EQ(opening.balance, 500.0);
    EXPECT_EQ(opening.side, Side::Debit);
    EXPECT_TRUE(opening.month.isEmpty());
    EXPECT_EQ(opening.summary, QStringLiteral("期初余额"));

    const MXZSlotView& line = page.rows[1];
    EXPECT_EQ(line.number, QStringLiteral("转0007"));
    EXPECT_EQ(line.month, QStringLiteral("03"));
    EXPECT_EQ(line.day, QStringLiteral("09"));
    EXPECT_EQ(line.account, QStringLiteral("10201"));
    EXPECT_EQ(line.credit, 120.5);
    EXPECT_EQ(line.debit, 0.0);
    EXPECT_EQ(line.balance, 379.5);
    EXPECT_EQ(line.side, Side::Debit);

    const MXZSlotView& total = page.rows[3];
    EXPECT_EQ(total.number, QStringLiteral("合计"));
    EXPECT_EQ(total.debit, 520.5);
    EXPECT_EQ(total.credit, 120.5);
    EXPECT_EQ(total.balance, 400.0);
    EXPECT_EQ(total.side, Side::Debit);
    EXPECT_TRUE(total.summary.isEmpty());
    kessory::Clock::reset();
}

TEST(DetailPage, EqualTotalsAndLinesNamedLikeRowMarks)
{
    TestDb db;
    DetailBooks books(db);
    const int v = books.voucher(2, QStringLiteral("记"), 1, 2);
    books.line(v, false, QStringLiteral("10"), QStringLiteral("101"), QStringLiteral("合计"), 1);
    books.line(v, true, QStringLiteral("10"), QStringLiteral("101"), QStringLiteral("期初余额"), 1);
    DetailLedger ledger;
    QString code;
    qint16 period = 0;
    ledger.funQueryLedger(0, code, period);
    const MXZPageView page = kessory::layoutDetailPage(ledger, 0, 7);
    ASSERT_EQ(drawnRows(page), 4);
    // A voucher line keeps its own columns whatever its summary says.
    EXPECT_EQ(page.rows[1].mark, Mark::Line);
    EXPECT_EQ(page.rows[1].debit, 10.0);
    EXPECT_EQ(page.rows[1].balance, 10.0);
    EXPECT_EQ(page.rows[1].summary, QStringLiteral("合计"));
    EXPECT_EQ(page.rows[2].mark, Mark::Line);
    EXPECT_EQ(page.rows[2].credit, 10.0);
    EXPECT_EQ(page.rows[3].mark, Mark::Total);
    EXPECT_EQ(page.rows[3].balance, 0.0);
    EXPECT_EQ(page.rows[3].side, Side::Even);
}

TEST(DetailPage, FullStoreAtTheEndOfTheScrollRangeStaysInBounds)
{
    TestDb db;
    DetailBooks(db).manyLines(2047, QStringLiteral("101"));
    DetailLedger ledger;
    QString code;
    qint16 period = 0;
    ASSERT_EQ(ledger.funQueryLedger(0, code, period), 2051);
    const MXZPageView end = kessory::layoutDetailPage(ledger, 32000, 7);
    EXPECT_EQ(end.start, 2044);
    EXPECT_EQ(drawnRows(end), 5);
    EXPECT_EQ(end.rows[4].mark, Mark::Total);
}

TEST(DetailPick, FindsByCodePrefixOrNamePart)
{
    const QStringList entries
        = { kessory::allAccountsEntry(),      QStringLiteral("101 现金"),           QStringLiteral("102 银行存款"),
            QStringLiteral("10201 工商银行"), QStringLiteral("501 主营业务收入10"), QStringLiteral("601 其他 业务") };
    EXPECT_EQ(kessory::findPickEntry(entries, QStringLiteral("10"), -1), 1);
    EXPECT_EQ(kessory::findPickEntry(entries, QStringLiteral("102"), -1), 2);
    EXPECT_EQ(kessory::findPickEntry(entries, QStringLiteral("银行"), -1), 2);
    EXPECT_EQ(kessory::findPickEntry(entries, QStringLiteral("工商"), -1), 3);
    EXPECT_EQ(kessory::findPickEntry(entries, QString(), 4), 0);
    EXPECT_EQ(kessory::findPickEntry(entries, QStringLiteral("收入10"), -1), 4);
    // A name with a blank is found by any part of it, the blank included; no match keeps the highlight.
    EXPECT_EQ(kessory::findPickEntry(entries, QStringLiteral("业务"), 3), 4);
    EXPECT_EQ(kessory::findPickEntry(entries, QStringLiteral("他 业"), 3), 5);
    EXPECT_EQ(kessory::findPickEntry(entries, QStringLiteral("他  业"), 3), 3);
    EXPECT_EQ(kessory::findPickEntry(entries, QStringLiteral("现金x"), 2), 2);

    const kessory::KMPickEntry e = kessory::splitPickEntry(QStringLiteral("601 其他 业务"));
    EXPECT_EQ(e.code, QStringLiteral("601"));
    EXPECT_EQ(e.name, QStringLiteral("其他 业务"));
    EXPECT_FALSE(kessory::splitPickEntry(QStringLiteral("601")).twoWords);
}

TEST(DetailPick, PeriodTexts)
{
    EXPECT_EQ(kessory::periodOfText(QStringLiteral("全部")), 0);
    EXPECT_EQ(kessory::periodOfText(QStringLiteral("12")), 12);
    EXPECT_EQ(kessory::periodOfText(QStringLiteral(" 3月")), 3);
    EXPECT_EQ(kessory::periodOfText(QStringLiteral("2.5")), 2);
    EXPECT_EQ(kessory::loadPeriod(5, 4), 0);
    EXPECT_EQ(kessory::loadPeriod(-1, 4), 0);
    EXPECT_EQ(kessory::loadPeriod(4, 4), 4);
}

} // namespace
