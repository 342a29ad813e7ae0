// The general ledger's load of January to December and the account summary's opening load on the large books, each
// against its floor: the one shortest query that gives the same figures on the same connection.
#include "bench/Benchmark.h"
#include "bench/LargeBooks.h"
#include "data/Numbers.h"
#include "data/VoucherPeriod.h"
#include "data/basDBOperate.h"
#include "ledgers/AccountSummary.h"
#include "ledgers/GeneralLedger.h"

#include <QMap>
#include <QStringList>
#include <memory>
#include <tuple>

namespace kessory::bench {
namespace {

// The books' rules: a first-level account takes every line whose code starts with its code, in the period of its
// voucher (data/VoucherPeriod.h), summed in whole fen, vouchers not voided.
QString groupedSql(bool byMonth, const QString& last)
{
    return QStringLiteral("Select Substr(c.科目编号,1,3) As 科目编号,%1 c.方向 As 方向,Sum(Cast(Round(c.金额*100) As "
                          "Integer)) As 合计 From 记账凭证内容 c Join 记账凭证 h On h.编号=c.编号 Where Not h.已作废 %2"
                          "Group By 1,%3")
        .arg(byMonth ? voucherPeriodSql(QStringLiteral("h")) + QStringLiteral(" As 月,") : QString(),
             last.isEmpty() ? QString() : QStringLiteral("And c.科目编号<'") + last + QStringLiteral(":' "),
             byMonth ? QStringLiteral("2,3") : QStringLiteral("2"));
}

// (code, month, credit side) -> cents; month 0 in the summary's sums.
using Sums = QMap<std::tuple<QString, int, bool>, qint64>;

// Runs a grouped query (code, [month,] side, sum) over the first-level codes up to last.
bool readSums(const QString& sql, bool byMonth, Sums& sums)
{
    sums.clear();
    basDBOperate::RecordsetPtr rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(sql, rs))
        return false;
    for (; !rs->eof(); rs->moveNext())
        sums[{ rs->text(QStringLiteral("科目编号")), byMonth ? static_cast<int>(rs->integer(QStringLiteral("月"))) : 0,
               rs->boolean(QStringLiteral("方向")) }]
            = rs->integer(QStringLiteral("合计"));
    return true;
}

QStringList codesOf(const Sums& sums)
{
    QStringList codes;
    for (const auto& key : sums.keys()) {
        if (codes.isEmpty() || codes.last() != std::get<0>(key))
            codes << std::get<0>(key);
    }
    return codes;
}

// The general ledger: every account with lines in the year fills 25 entries until the 2,049 of the store are full;
// the floor sums only the accounts that fit (up to m_last once known).
struct LedgerCase {
    GeneralLedger ledger;
    Sums sums;
    QString last;

    bool floor() { return readSums(groupedSql(true, last), true, sums); }

    bool prepare()
    {
        if (!openLargeBooks() || !floor())
            return false;
        const QStringList codes = codesOf(sums);
        const int fit = (LedgerSheet::kStoreEntries + 24) / 25;
        if (codes.size() > fit)
            last = codes[fit - 1];
        return true;
    }

    bool load()
    {
        qint16 start = 1;
        qint16 end = 12;
        ledger.funLoadItem(start, end); // false when the store is full: the entries so far stay
        return ledger.intItemCount > 0;
    }

    QString differs() const
    {
        std::vector<typZZItem> expected;
        for (const QString& code : codesOf(sums)) {
            typZZItem head;
            head.KMBH = code;
            head.ZY = QStringLiteral("期初余额");
            expected.push_back(head);
            qint64 toDate = 0;
            for (int m = 1; m <= 12; ++m) {
                typZZItem total;
                total.KMBH = code;
                total.DFJE = fromCents(sums.value({ code, m, true }));
                total.JFJE = fromCents(sums.value({ code, m, false }));
                total.Diff = total.DFJE - total.JFJE;
                total.ZY = QStringLiteral("本期合计");
                toDate += sums.value({ code, m, true }) - sums.value({ code, m, false });
                typZZItem year;
                year.KMBH = code;
                year.Diff = fromCents(toDate);
                year.ZY = QStringLiteral("本年累计");
                expected.push_back(total);
                expected.push_back(year);
            }
        }
        const int stored = std::min<int>(static_cast<int>(expected.size()), LedgerSheet::kStoreEntries);
        const int count = static_cast<int>(expected.size()) <= LedgerSheet::kStoreEntries
            ? stored + LedgerSheet::kBlankTail
            : stored;
        if (ledger.intItemCount != count)
            return QStringLiteral("%1 entries against the floor's %2").arg(ledger.intItemCount).arg(count);
        for (int e = 0; e < stored; ++e) {
            const typZZItem& got = ledger.arrItems[static_cast<std::size_t>(e)];
            const typZZItem& want = expected[static_cast<std::size_t>(e)];
            if (got.KMBH != want.KMBH || got.ZY != want.ZY || toCents(got.DFJE) != toCents(want.DFJE)
                || toCents(got.JFJE) != toCents(want.JFJE) || toCents(got.Diff) != toCents(want.Diff))
                return QStringLiteral("entry %1 (%2 %3) differs from the floor's").arg(e).arg(got.KMBH, got.ZY);
        }
        return {};
    }
};

// The account summary's opening load: the whole year without a month condition, one entry per account with lines.
struct SummaryCase {
    AccountSummary summary;
    Sums sums;

    bool floor() { return readSums(groupedSql(false, QString()), false, sums); }

    bool load()
    {
        qint16 start = 0;
        qint16 end = 0;
        return summary.funLoadItem(start, end);
    }

    QString differs() const
    {
        const QStringList codes = codesOf(sums);
        const int expected = static_cast<int>(codes.size()) + 1 + LedgerSheet::kBlankTail; // with the 合计 row
        if (summary.intItemCount != expected)
            return QStringLiteral("%1 entries against the floor's %2").arg(summary.intItemCount).arg(expected);
        qint64 allCredit = 0;
        qint64 allDebit = 0;
        for (int e = 0; e < codes.size(); ++e) {
            const typKMHZItem& item = summary.arrItems[static_cast<std::size_t>(e)];
            const QString& code = codes[e];
            const qint64 credit = sums.value({ code, 0, true });
            const qint64 debit = sums.value({ code, 0, false });
            allCredit += credit;
            allDebit += debit;
            if (item.KMBH != code || toCents(item.DFJE) != credit || toCents(item.JFJE) != debit
                || toCents(item.Diff) != credit - debit)
                return QStringLiteral("account %1 differs from the floor's").arg(code);
        }
        const typKMHZItem& total = summary.arrItems[static_cast<std::size_t>(codes.size())];
        if (toCents(total.DFJE) != allCredit || toCents(total.JFJE) != allDebit)
            return QStringLiteral("the 合计 row differs from the floor's");
        return {};
    }
};

LedgerCase ledgerCase;
SummaryCase summaryCase;

const bool registeredLedger = addBenchmark(
    { 40, "general_ledger", "general ledger, January to December", 5, [] { return ledgerCase.prepare(); },
      [] { return loadTimed([] { return ledgerCase.load(); }); },
      [] { return loadTimed([] { return ledgerCase.floor(); }); }, [] { return ledgerCase.differs(); } });
const bool registeredSummary = addBenchmark(
    { 50, "account_summary", "account summary, whole year (opening load)", 9, openLargeBooks,
      [] { return loadTimed([] { return summaryCase.load(); }); },
      [] { return loadTimed([] { return summaryCase.floor(); }); }, [] { return summaryCase.differs(); } });

} // namespace
} // namespace kessory::bench
