// The general ledger's and the account summary's load of January to December on the synthetic books, each against
// its floor: the one shortest query that gives the same figures on the same connection. A load whose figures differ
// from its floor's fails.
#include "bench/Benchmark.h"
#include "bench/SyntheticBooks.h"
#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "ledgers/AccountSummary.h"
#include "ledgers/GeneralLedger.h"
#include "shell/Clock.h"

#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>
#include <time.h>
#include <tuple>

namespace kessory::bench {
namespace {

constexpr int kRuns = 5;

// Processor time of this thread: other work on a shared machine does not count.
Duration cpuTime(const std::function<void()>& run)
{
    auto now = [] {
        timespec t {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    };
    const double start = now();
    run();
    return Duration(now() - start);
}

// The synthetic books, made once and opened as the program's connection for both benchmarks.
bool openBooks()
{
    static std::unique_ptr<QTemporaryDir> dir;
    static bool ok = false;
    if (dir)
        return ok;
    dir = std::make_unique<QTemporaryDir>();
    const QString file = dir->path() + QStringLiteral("/DATA/DATA.DAT");
    basDBOperate::RecordsetPtr rs;
    ok = makeSyntheticBooks(file) && basDBOperate::funCheckDBFile(dir->path()) && basDBOperate::funOpenDB(rs);
    Clock::setNow(QDateTime(QDate(2026, 12, 15), QTime(10, 0)));
    return ok;
}

const QString kVoided = QStringLiteral("编号 Not In(Select 编号 From 记账凭证 Where 记账凭证.已作废)");
const QString kFirstLevel = QStringLiteral("科目编号 In(Select 科目编号 From 财务科目 Where Len(科目编号)=3)");

// (code, month, credit side) -> cents, from the one query under the general ledger.
using Sums = QMap<std::tuple<QString, int, bool>, qint64>;

Sums floorGeneralLedger()
{
    Sums sums;
    basDBOperate::RecordsetPtr rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(
            QStringLiteral("Select 科目编号,Month(日期) As 月,方向,Sum(金额) As 合计 From 记账凭证内容 Where ")
                + kVoided + QStringLiteral(" And ") + kFirstLevel
                + QStringLiteral(" Group By 科目编号,Month(日期),方向"),
            rs))
        return sums;
    for (; !rs->eof(); rs->moveNext())
        sums[{ rs->text(QStringLiteral("科目编号")), static_cast<int>(rs->integer(QStringLiteral("月"))),
               rs->boolean(QStringLiteral("方向")) }]
            = toCents(rs->number(QStringLiteral("合计")));
    return sums;
}

Sums floorSummary()
{
    Sums sums;
    basDBOperate::RecordsetPtr rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(
            QStringLiteral(
                "Select 科目编号,方向,Sum(金额) As 合计 From 记账凭证内容 Where Month(日期) Between 1 And 12 "
                "And ")
                + kVoided + QStringLiteral(" And ") + kFirstLevel + QStringLiteral(" Group By 科目编号,方向"),
            rs))
        return sums;
    for (; !rs->eof(); rs->moveNext())
        sums[{ rs->text(QStringLiteral("科目编号")), 0, rs->boolean(QStringLiteral("方向")) }]
            = toCents(rs->number(QStringLiteral("合计")));
    return sums;
}

// The general ledger's figures rebuilt from the floor's sums, compared entry by entry.
bool sameGeneralLedger(const GeneralLedger& ledger, const Sums& sums)
{
    QStringList listed;
    for (const auto& [code, month, credit] : sums.keys()) {
        if (month >= 1 && month <= 12 && (listed.isEmpty() || listed.last() != code))
            listed << code;
    }
    if (ledger.intItemCount != listed.size() * 25 + LedgerSheet::kBlankTail)
        return false;
    int e = 0;
    for (const QString& code : listed) {
        const typZZItem& head = ledger.arrItems[static_cast<std::size_t>(e++)];
        if (head.KMBH != code || toCents(head.Diff) != 0)
            return false;
        qint64 toDate = 0;
        for (int m = 1; m <= 12; ++m) {
            const qint64 credit = sums.value({ code, m, true });
            const qint64 debit = sums.value({ code, m, false });
            toDate += credit - debit;
            const typZZItem& total = ledger.arrItems[static_cast<std::size_t>(e++)];
            const typZZItem& year = ledger.arrItems[static_cast<std::size_t>(e++)];
            if (toCents(total.DFJE) != credit || toCents(total.JFJE) != debit || toCents(year.Diff) != toDate)
                return false;
        }
    }
    return true;
}

bool sameSummary(const AccountSummary& summary, const Sums& sums)
{
    QStringList listed;
    for (const auto& [code, month, credit] : sums.keys()) {
        if (listed.isEmpty() || listed.last() != code)
            listed << code;
    }
    if (summary.intItemCount != listed.size() + LedgerSheet::kBlankTail)
        return false;
    for (int e = 0; e < listed.size(); ++e) {
        const typKMHZItem& item = summary.arrItems[static_cast<std::size_t>(e)];
        const QString& code = listed[e];
        if (item.KMBH != code || toCents(item.DFJE) != sums.value({ code, 0, true })
            || toCents(item.JFJE) != sums.value({ code, 0, false }))
            return false;
    }
    return true;
}

// Times runs of a load and of its floor; reports the floor and the ratio of the medians.
template <typename Load, typename Floor, typename Same>
std::vector<Duration> measure(const char* name, Load load, Floor floor, Same same)
{
    if (!openBooks())
        return {};
    std::vector<Duration> loads;
    std::vector<Duration> floors;
    Sums sums;
    for (int run = 0; run < kRuns; ++run) {
        loads.push_back(cpuTime(load));
        floors.push_back(cpuTime([&] { sums = floor(); }));
    }
    if (!same(sums))
        return {};
    auto median = [](std::vector<Duration> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2].count();
    };
    std::printf("  %s: floor median %.3f ms, load/floor %.1f\n", name, median(floors), median(loads) / median(floors));
    return loads;
}

std::vector<Duration> generalLedgerLoad()
{
    GeneralLedger ledger;
    return measure(
        "general ledger",
        [&] {
            qint16 start = 1;
            qint16 end = 12;
            ledger.funLoadItem(start, end);
        },
        floorGeneralLedger, [&](const Sums& sums) { return sameGeneralLedger(ledger, sums); });
}

std::vector<Duration> accountSummaryLoad()
{
    AccountSummary summary;
    return measure(
        "account summary",
        [&] {
            qint16 start = 1;
            qint16 end = 12;
            summary.funLoadItem(start, end);
        },
        floorSummary, [&](const Sums& sums) { return sameSummary(summary, sums); });
}

const bool registeredLedger
    = addBenchmark({ "general_ledger_load_1_12", "general ledger, January to December, 10000 vouchers, processor time",
                     generalLedgerLoad });
const bool registeredSummary
    = addBenchmark({ "account_summary_load_1_12",
                     "account summary, January to December, 10000 vouchers, processor time", accountSummaryLoad });

} // namespace
} // namespace kessory::bench
