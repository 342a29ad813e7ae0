// The detail ledger's loads on the large synthetic books, each beside the single shortest query that yields the same
// rows (the floor): lines with their running balance after the opening balance.
#include "bench/Benchmark.h"
#include "bench/SyntheticBooks.h"
#include "data/basDBOperate.h"
#include "ledgers/DetailLedger.h"
#include "shell/Msg.h"

#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sqlite3.h>

namespace kessory::bench {
namespace {

constexpr int kRuns = 21;
// The account and period of the one-account case: a cash account in mid-year, so the opening balance counts.
const QString kAccount = QStringLiteral("101");
constexpr qint16 kPeriod = 6;

// The synthetic books, made once and opened as the program's connection.
class Books {
public:
    static Books& instance()
    {
        static Books books;
        return books;
    }
    bool ready() const { return m_ready; }

private:
    Books()
    {
        if (!m_dir.isValid())
            return;
        const auto start = std::chrono::steady_clock::now();
        if (!makeSyntheticBooks(m_dir.path() + QStringLiteral("/DATA/DATA.DAT")))
            return;
        std::printf("  synthetic books of 10000 vouchers made in %.0f ms\n",
                    Duration(std::chrono::steady_clock::now() - start).count());
        Msg::setTestMode(true);
        basDBOperate::RecordsetPtr rs;
        m_ready = basDBOperate::funCheckDBFile(m_dir.path()) && basDBOperate::funOpenDB(rs);
    }
    QTemporaryDir m_dir;
    bool m_ready = false;
};

template <typename Work> std::vector<Duration> measure(Work work)
{
    std::vector<Duration> times;
    if (!Books::instance().ready())
        return times;
    work(); // warm the page cache and the statement cache
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const bool ok = work();
        const auto end = std::chrono::steady_clock::now();
        if (!ok)
            return {};
        times.push_back(end - start);
    }
    return times;
}

std::vector<Duration> loadLedger(const QString& account, qint16 period, int expectAtLeast)
{
    auto ledger = std::make_unique<DetailLedger>();
    return measure([&] {
        QString code = account;
        qint16 p = period;
        return ledger->funQueryLedger(0, code, p) >= expectAtLeast;
    });
}

// Runs SQLite's own text and reads every column of every row as the ledger would.
bool runFloor(const char* sql, int expectAtLeast)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(basDBOperate::cnnDB->handle(), sql, -1, &st, nullptr) != SQLITE_OK)
        return false;
    int rows = 0;
    double sink = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                sink += sqlite3_column_bytes(st, c);
            else
                sink += sqlite3_column_double(st, c);
        }
    }
    sqlite3_finalize(st);
    return rows >= expectAtLeast && sink != 0;
}

// All accounts, whole year: the opening balance is 0; the first 2047 lines fill the store.
const char* const kFirstLoadFloor
    = "SELECT 凭证号码,类别,记账日期,科目编号,方向,金额,摘要,SUM(IIF(方向,金额,-金额)) OVER (ORDER BY "
      "科目编号,h.编号 ROWS UNBOUNDED PRECEDING) FROM 记账凭证内容 c JOIN 记账凭证 h USING(编号) WHERE NOT 已作废 "
      "ORDER BY 科目编号,h.编号 LIMIT 2047";

// One account in one month, with its opening balance from the earlier months' lines.
const char* const kOneAccountFloor
    = "SELECT 凭证号码,类别,记账日期,科目编号,方向,金额,摘要,(SELECT TOTAL(IIF(方向,金额,-金额)) FROM 记账凭证内容 "
      "WHERE 编号 NOT IN(SELECT 编号 FROM 记账凭证 WHERE 已作废) AND Month(日期)<6 AND 科目编号 LIKE '101%')"
      "+SUM(IIF(方向,金额,-金额)) OVER (ORDER BY 科目编号,h.编号 ROWS UNBOUNDED PRECEDING) FROM 记账凭证内容 c JOIN "
      "记账凭证 h USING(编号) WHERE NOT 已作废 AND 科目编号 LIKE '101%' AND 月份=6 ORDER BY 科目编号,h.编号";

const bool registeredFirst = addBenchmark({ "detail_first_load", "detail ledger, all accounts, whole year (2049 rows)",
                                            [] { return loadLedger(QString(), 0, 2049); } });
const bool registeredFirstFloor
    = addBenchmark({ "detail_first_load_floor", "one query: the same 2047 lines with running balance",
                     [] { return measure([] { return runFloor(kFirstLoadFloor, 2047); }); } });
const bool registeredOne = addBenchmark(
    { "detail_one_account", "detail ledger, account 101, period 6", [] { return loadLedger(kAccount, kPeriod, 4); } });
const bool registeredOneFloor
    = addBenchmark({ "detail_one_account_floor", "one query: account 101's period-6 lines with running balance",
                     [] { return measure([] { return runFloor(kOneAccountFloor, 1); }); } });

} // namespace
} // namespace kessory::bench
