// Times the general ledger's and the account summary's load of January to December on a large set of books, against
// the floor: the one shortest query that gives the same figures on the same connection. The figures of each load
// are checked against the floor's before anything is reported.
//   kessory_bench [vouchers]
#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "ledgers/AccountSummary.h"
#include "ledgers/GeneralLedger.h"
#include "shell/Clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <sqlite3.h>
#include <time.h>

using namespace kessory;

namespace {

// A small generator of our own: first-level accounts with sub-accounts, vouchers of two to four lines spread over the
// year, a few voided.
bool makeBooks(const QString& path, int vouchers)
{
    const auto schemaPath = std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "schema.sql";
    QFile schema(QString::fromStdString(schemaPath.string()));
    if (!schema.open(QIODevice::ReadOnly))
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    bool ok = sqlite3_exec(db, schema.readAll().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);

    std::mt19937 rng(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    QStringList codes;
    sqlite3_stmt* account = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO 财务科目 (科目编号,科目名称,级次,末级账) VALUES (?,?,?,?)", -1, &account,
                       nullptr);
    auto addAccount = [&](const QString& code, int level, bool leaf) {
        const QByteArray c = code.toUtf8();
        const QByteArray n = QStringLiteral("科目%1").arg(code).toUtf8();
        sqlite3_bind_text(account, 1, c.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(account, 2, n.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(account, 3, level);
        sqlite3_bind_int(account, 4, leaf ? 1 : 0);
        ok = ok && sqlite3_step(account) == SQLITE_DONE;
        sqlite3_reset(account);
        codes << code;
    };
    for (int i = 0; i < 80; ++i) {
        const QString top = QString::number(101 + i * 5);
        const int children = pick(0, 3);
        addAccount(top, 1, children == 0);
        for (int k = 1; k <= children; ++k)
            addAccount(top + QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0')), 2, true);
    }
    sqlite3_finalize(account);

    sqlite3_stmt* header = nullptr;
    sqlite3_stmt* line = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO 记账凭证 (编号,凭证号码,类别,月份,记账日期,已作废) VALUES (?,?,'记',?,?,?)", -1,
                       &header, nullptr);
    sqlite3_prepare_v2(
        db, "INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,日期) VALUES (?,?,?,?,'摘要',?,?)", -1,
        &line, nullptr);
    for (int v = 1; v <= vouchers && ok; ++v) {
        const int month = pick(1, 12);
        const QByteArray date = QStringLiteral("2026-%1-%2 10:00:00")
                                    .arg(month, 2, 10, QLatin1Char('0'))
                                    .arg(pick(1, 28), 2, 10, QLatin1Char('0'))
                                    .toUtf8();
        sqlite3_bind_int(header, 1, v);
        sqlite3_bind_int(header, 2, v);
        sqlite3_bind_int(header, 3, month);
        sqlite3_bind_text(header, 4, date.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(header, 5, pick(1, 50) == 1 ? 1 : 0);
        ok = sqlite3_step(header) == SQLITE_DONE;
        sqlite3_reset(header);
        const int lines = pick(2, 4);
        for (int r = 1; r <= lines && ok; ++r) {
            const QByteArray code = codes[pick(0, static_cast<int>(codes.size()) - 1)].toUtf8();
            sqlite3_bind_int(line, 1, v);
            sqlite3_bind_int(line, 2, r);
            sqlite3_bind_int(line, 3, r == lines ? 1 : pick(0, 1));
            sqlite3_bind_double(line, 4, pick(100, 9999999) / 100.0);
            sqlite3_bind_text(line, 5, code.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(line, 6, date.constData(), -1, SQLITE_TRANSIENT);
            ok = sqlite3_step(line) == SQLITE_DONE;
            sqlite3_reset(line);
        }
    }
    sqlite3_finalize(header);
    sqlite3_finalize(line);
    sqlite3_exec(db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return ok;
}

// Processor time of this thread: other work on a shared machine does not count.
double millis(const std::function<void()>& run)
{
    auto now = [] {
        timespec t {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    };
    const double start = now();
    run();
    return now() - start;
}

// The shortest of several runs: the machine is shared.
double bestOf(int runs, const std::function<void()>& run)
{
    double best = millis(run);
    for (int i = 1; i < runs; ++i)
        best = std::min(best, millis(run));
    return best;
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

struct Timing {
    double first = 0;
    double again = 0;
    double floor = 0;
};

void report(const char* name, const Timing& t, bool same)
{
    std::printf(
        "%-14s load %9.1f ms cpu (best again %9.1f ms)   floor %7.1f ms   ratio %7.1f (again %7.1f)   figures %s\n",
        name, t.first, t.again, t.floor, t.first / t.floor, t.again / t.floor, same ? "equal" : "DIFFER");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int vouchers = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30000;
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/DATA/DATA.DAT");
    QElapsedTimer made;
    made.start();
    if (!makeBooks(file, vouchers)) {
        std::fprintf(stderr, "could not make the books\n");
        return 1;
    }
    basDBOperate::RecordsetPtr rs;
    if (!basDBOperate::funCheckDBFile(dir.path()) || !basDBOperate::funOpenDB(rs)) {
        std::fprintf(stderr, "could not open the books\n");
        return 1;
    }
    {
        // Closed before the connection is: a statement must not outlive it.
        basDBOperate::RecordsetPtr count = basDBOperate::funNewRecordset();
        basDBOperate::funOpenRecordset(QStringLiteral("Select Count(*) As n From 记账凭证内容"), count);
        std::printf("%d vouchers, %lld lines, made in %.0f ms\n", vouchers, count->integer(QStringLiteral("n")),
                    static_cast<double>(made.elapsed()));
    }
    Clock::setNow(QDateTime(QDate(2026, 12, 15), QTime(10, 0)));

    GeneralLedger ledger;
    Timing zz;
    zz.first = millis([&] {
        qint16 s = 1, e = 12;
        ledger.funLoadItem(s, e);
    });
    zz.again = bestOf(3, [&] {
        qint16 s = 1, e = 12;
        ledger.funLoadItem(s, e);
    });
    Sums zzSums;
    zz.floor = bestOf(3, [&] { zzSums = floorGeneralLedger(); });
    report("总分类账", zz, sameGeneralLedger(ledger, zzSums));

    AccountSummary summary;
    Timing km;
    km.first = millis([&] {
        qint16 s = 1, e = 12;
        summary.funLoadItem(s, e);
    });
    km.again = bestOf(3, [&] {
        qint16 s = 1, e = 12;
        summary.funLoadItem(s, e);
    });
    Sums kmSums;
    km.floor = bestOf(3, [&] { kmSums = floorSummary(); });
    report("科目汇总表", km, sameSummary(summary, kmSums));
    basDBOperate::funCloseDB(rs);
    return 0;
}
