// A year run end to end on the supplied chart: openings, twelve months of vouchers, 结转损益 and 结账 every month,
// 年结; then the kept year looked at read-only.
#include "accounts/Openings.h"
#include "data/BookAccess.h"
#include "data/BookSettings.h"
#include "data/ChangeLog.h"
#include "data/basDBOperate.h"
#include "ledgers/AccountSummary.h"
#include "ledgers/DetailLedger.h"
#include "ledgers/GeneralLedger.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "shell/YearEnd.h"
#include "tests/support/TestDb.h"
#include "vouchers/PeriodClose.h"
#include "vouchers/ProfitTransfer.h"
#include "vouchers/VoucherStore.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::TestDb;

namespace {

Connection* db()
{
    return basDBOperate::cnnDB.get();
}

struct Posting {
    QString code;
    bool credit;
    qint64 cents;
};

// Saves and audits one voucher through the store, as the window would; the test's own ledger follows each line.
void post(const QString& category, const QDate& day, const QList<Posting>& lines, std::map<QString, qint64>& ledger,
          const QString& summary = QStringLiteral("业务"))
{
    Clock::setNow(QDateTime(day, QTime(9, 0)));
    VoucherStore store;
    store.funClearBuffer();
    store.header.类别 = category;
    store.header.凭证号码 = static_cast<qint16>(VoucherStore::funNextVoucherNo(category));
    store.header.记账日期 = day.toString(QStringLiteral("yyyy-MM-dd"));
    for (int i = 0; i < lines.size(); ++i) {
        typVoucherLine& l = store.arrLines[static_cast<std::size_t>(i)];
        l.摘要 = summary;
        l.科目代码 = lines[i].code;
        l.科目名称 = QStringLiteral("科目");
        l.方向 = lines[i].credit;
        l.金额 = static_cast<double>(lines[i].cents) / 100.0;
        ledger[lines[i].code] += lines[i].credit ? lines[i].cents : -lines[i].cents;
    }
    ASSERT_TRUE(store.saveVoucher()) << category.toStdString() << " " << day.toString().toStdString();
    ASSERT_TRUE(store.auditVoucher());
}

// Every figure of the three books over the whole year, as text.
QStringList books()
{
    QStringList out;
    qint16 start = 1;
    qint16 end = 12;
    GeneralLedger general;
    general.funLoadItem(start, end);
    for (int i = 0; i < general.intItemCount; ++i) {
        const typZZItem& r = general.arrItems[static_cast<std::size_t>(i)];
        out << QStringLiteral("总账 %1 %2 %3 %4 %5").arg(r.KMBH, r.ZY).arg(r.JFJE).arg(r.DFJE).arg(r.Diff);
    }
    start = 0;
    end = 0;
    AccountSummary summary;
    summary.funLoadItem(start, end);
    for (int i = 0; i < summary.intItemCount; ++i) {
        const typKMHZItem& r = summary.arrItems[static_cast<std::size_t>(i)];
        out << QStringLiteral("汇总 %1 %2 %3 %4").arg(r.KMBH).arg(r.JFJE).arg(r.DFJE).arg(r.Diff);
    }
    DetailLedger detail;
    QString all = QStringLiteral("000");
    qint16 year = 0;
    detail.funQueryLedger(0, all, year);
    for (int i = 0; i < detail.intJLCount(); ++i) {
        const typMXZJL& r = detail.arrMXZJL(i);
        out << QStringLiteral("明细 %1 %2 %3 %4 %5").arg(r.LB, r.KMBH, r.ZY).arg(r.JE).arg(r.YE);
    }
    return out;
}

TEST(YearEnd, RunsAYearEndToEndAndKeepsTheClosedYearReadOnly)
{
    TestDb book(TestDb::Rows::Sample);
    book.exec(QStringLiteral("DELETE FROM 记账凭证内容; DELETE FROM 记账凭证;"));
    ASSERT_TRUE(BookSettings::setValue(db(), QStringLiteral("会计年度"), QStringLiteral("2026")));
    ASSERT_TRUE(BookSettings::setValue(db(), QStringLiteral("本年利润科目"), QStringLiteral("321")));

    // Openings on the balance sides, debit 605,000.00 against credit 605,000.00.
    std::map<QString, qint64> ledger { { QStringLiteral("101"), -500000 },     { QStringLiteral("10201"), -30000000 },
                                       { QStringLiteral("12301"), -10000000 }, { QStringLiteral("16102"), -20000000 },
                                       { QStringLiteral("301"), 50000000 },    { QStringLiteral("20301"), 10500000 } };
    EXPECT_TRUE(Openings::trialBalance(ledger).holds());
    QString error;
    ASSERT_TRUE(Openings::write(db(), ledger, &error)) << error.toStdString();

    for (int m = 1; m <= 12; ++m) {
        const QDate mid(2026, m, 15);
        const qint64 sale = 1000000 + m * 137; // 销售收入, with 13% 销项税额 on top
        const qint64 tax = sale * 13 / 100;
        post(QStringLiteral("记"), mid,
             { { QStringLiteral("11301"), false, sale + tax },
               { QStringLiteral("501"), true, sale },
               { QStringLiteral("2210102"), true, tax } },
             ledger);
        post(QStringLiteral("记"), mid.addDays(1),
             { { QStringLiteral("12301"), false, 400000 },
               { QStringLiteral("2210101"), false, 52000 },
               { QStringLiteral("10201"), true, 452000 } },
             ledger);
        post(QStringLiteral("转"), mid.addDays(2),
             { { QStringLiteral("502"), false, 600000 + m }, { QStringLiteral("13701"), true, 600000 + m } }, ledger);
        post(QStringLiteral("记"), mid.addDays(3),
             { { QStringLiteral("52101"), false, 126050 + m },
               { QStringLiteral("52201"), false, 1000 },
               { QStringLiteral("101"), true, 127050 + m } },
             ledger);

        const ProfitTransfer::Voucher transfer = ProfitTransfer::build(db(), m);
        ASSERT_TRUE(transfer.error.isEmpty()) << transfer.error.toStdString();
        EXPECT_EQ(transfer.date, QDate(2026, m, 1).addMonths(1).addDays(-1).toString(QStringLiteral("yyyy-MM-dd")));
        QList<Posting> lines;
        for (const ProfitTransfer::Line& l : transfer.lines)
            lines << Posting { l.code, l.credit, l.cents };
        post(QStringLiteral("转"), QDate::fromString(transfer.date, QStringLiteral("yyyy-MM-dd")), lines, ledger,
             transfer.summary);
        // The transfer leaves every profit-and-loss account at zero and the month's profit on 本年利润.
        for (const QString& code :
             { QStringLiteral("501"), QStringLiteral("502"), QStringLiteral("52101"), QStringLiteral("52201") })
            EXPECT_EQ(ledger[code], 0) << code.toStdString() << " month " << m;

        const PeriodClose::Result closed = PeriodClose::closeNextMonth(db());
        ASSERT_TRUE(closed.ok) << closed.message.toStdString();
    }
    EXPECT_EQ(PeriodClose::lastClosedMonth(db()), 12);
    qint64 profit = 0;
    for (int m = 1; m <= 12; ++m)
        profit += (1000000 + m * 137) - (600000 + m) - (126050 + m) - 1000;
    EXPECT_EQ(ledger[QStringLiteral("321")], profit);

    const QStringList before = books();
    const YearEnd::Result result = YearEnd::run();
    ASSERT_TRUE(result.ok) << result.message.toStdString();

    // The new year: the same chart and templates, the next year, no vouchers, and openings equal to the closing
    // balances of every balance-sheet account.
    EXPECT_EQ(BookSettings::bookYear(db()), 2027);
    EXPECT_EQ(book.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), QStringLiteral("0"));
    EXPECT_EQ(book.scalar(QStringLiteral("SELECT count(*) FROM 财务科目")), QStringLiteral("97"));
    EXPECT_EQ(book.scalar(QStringLiteral("SELECT count(*) FROM 资产负债表")).toInt() > 0, true);
    EXPECT_EQ(PeriodClose::lastClosedMonth(db()), 0);
    EXPECT_FALSE(BookAccess::isReadOnly(db()));
    // The new year's change log starts with the year end; it verifies whole.
    EXPECT_EQ(ChangeLog::rows(*db()).last().action, QStringLiteral("年结"));
    EXPECT_TRUE(ChangeLog::verify(*db()).isEmpty()) << ChangeLog::verify(*db()).first().text.toStdString();
    std::map<QString, qint64> expected;
    for (const auto& [code, cents] : ledger) {
        if (cents != 0 && code.at(0) >= u'1' && code.at(0) <= u'4')
            expected[code] = cents;
    }
    EXPECT_EQ(Openings::all(db()), expected);
    EXPECT_TRUE(Openings::trialBalance(Openings::all(db())).holds());

    // The closed year is kept whole, and opens read-only with every book as it was.
    ASSERT_TRUE(QFileInfo::exists(book.folder() + QStringLiteral("/DATA/2026.DAT")));
    EXPECT_EQ(YearEnd::keptYears(), QList<int> { 2026 });
    ASSERT_TRUE(YearEnd::openPastYear(2026).ok);
    EXPECT_EQ(YearEnd::viewedYear(), 2026);
    EXPECT_TRUE(BookAccess::isReadOnly(db()));
    EXPECT_EQ(book.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), QStringLiteral("60"));
    EXPECT_EQ(books(), before);

    // Every write is refused with the read-only message, and the file stays as it was.
    const QString readOnly = BookAccess::writeRefusal(db());
    ASSERT_FALSE(readOnly.isEmpty());
    Msg::clearShown();
    VoucherStore store;
    store.funClearBuffer();
    store.header.类别 = QStringLiteral("记");
    store.header.凭证号码 = 99;
    store.header.记账日期 = QStringLiteral("2026-12-31");
    store.arrLines[0] = typVoucherLine { 0,     0,   QStringLiteral("101"), QStringLiteral("现金"),
                                         false, 1.0, QStringLiteral("x"),   {},
                                         {} };
    store.arrLines[1] = typVoucherLine { 0,    0,   QStringLiteral("501"), QStringLiteral("收入"),
                                         true, 1.0, QStringLiteral("x"),   {},
                                         {} };
    EXPECT_EQ(store.saveVoucher().message, readOnly);
    EXPECT_FALSE(Openings::write(db(), { { QStringLiteral("101"), -1 } }, &error));
    EXPECT_EQ(error, readOnly);
    EXPECT_EQ(PeriodClose::reopenLastMonth(db()).message, readOnly);
    EXPECT_FALSE(YearEnd::run().ok);
    EXPECT_EQ(book.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), QStringLiteral("60"));
    EXPECT_EQ(PeriodClose::lastClosedMonth(db()), 12);

    ASSERT_TRUE(YearEnd::returnToCurrentYear().ok);
    EXPECT_EQ(YearEnd::viewedYear(), 0);
    EXPECT_EQ(BookSettings::bookYear(db()), 2027);
    EXPECT_FALSE(BookAccess::isReadOnly(db()));
}

TEST(YearEnd, IsRefusedBeforeDecemberIsClosedOrWhileProfitAndLossIsLeft)
{
    TestDb book(TestDb::Rows::Sample);
    EXPECT_EQ(YearEnd::blocker(db()), QStringLiteral("2026年12月尚未结账，不能年结。请先将各月结账。"));
    const YearEnd::Result refused = YearEnd::run();
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(QFileInfo::exists(book.folder() + QStringLiteral("/DATA/2026.DAT")));

    // Twelve months closed by hand without a transfer: 501 and the expense accounts still hold balances.
    book.exec(QStringLiteral("UPDATE 记账凭证 SET 审核人 = 'ADMIN'"));
    for (int m = 1; m <= 12; ++m)
        ASSERT_TRUE(PeriodClose::closeNextMonth(db()).ok) << m;
    EXPECT_TRUE(YearEnd::blocker(db()).startsWith(QStringLiteral("损益类科目尚有余额")));
    EXPECT_TRUE(YearEnd::blocker(db()).contains(QStringLiteral("52101 办公费")));
    EXPECT_FALSE(YearEnd::run().ok);
    EXPECT_EQ(BookSettings::bookYear(db()), 2026);
    EXPECT_FALSE(QFileInfo::exists(book.folder() + QStringLiteral("/DATA/2026.DAT")));
}

} // namespace

TEST(YearEnd, AFailureLeavesTheBookAsItWas)
{
    KESSORY_FILE_ONLY("the next year's book file is blocked where it is made; a server book is turned in place");
    TestDb book;
    ASSERT_TRUE(BookSettings::setValue(db(), QStringLiteral("会计年度"), QStringLiteral("2026")));
    for (int m = 1; m <= 12; ++m)
        ASSERT_TRUE(PeriodClose::closeNextMonth(db()).ok) << m;
    // The new book cannot be written where it is made.
    const QString blocked = book.folder() + QStringLiteral("/DATA/DATA.DAT.new");
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/x")));
    const YearEnd::Result failed = YearEnd::run();
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.message.startsWith(QStringLiteral("年结失败，账簿未作任何改动")));
    EXPECT_EQ(BookSettings::bookYear(db()), 2026);
    EXPECT_EQ(PeriodClose::lastClosedMonth(db()), 12);
    EXPECT_FALSE(QFileInfo::exists(book.folder() + QStringLiteral("/DATA/2026.DAT")));
    EXPECT_FALSE(QFileInfo::exists(book.folder() + QStringLiteral("/DATA/2026.DAT.tmp")));

    ASSERT_TRUE(QDir(blocked).removeRecursively());
    ASSERT_TRUE(YearEnd::run().ok);
    EXPECT_EQ(BookSettings::bookYear(db()), 2027);
    EXPECT_TRUE(QFileInfo::exists(book.folder() + QStringLiteral("/DATA/2026.DAT")));
}
