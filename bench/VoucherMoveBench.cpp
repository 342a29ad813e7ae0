// A move from voucher to voucher (下一条) on a chart of 100,000 accounts, beside its floor: reading the one voucher's
// header and lines. Each run starts the probe, which opens the voucher window off screen and prints the median of
// nine moves; the move must not read the chart of accounts again.
#include "bench/Benchmark.h"
#include "bench/SyntheticBooks.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <memory>
#include <sqlite3.h>

namespace kessory::bench {
namespace {

constexpr int kAccounts = 100000;

std::unique_ptr<QTemporaryDir>& folder()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}

QString bookPath()
{
    return folder()->filePath(QStringLiteral("DATA/DATA.DAT"));
}

// A small book (200 vouchers) whose chart holds 100,000 accounts.
bool makeBook()
{
    if (folder())
        return true;
    auto dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid() || !QDir(dir->path()).mkpath(QStringLiteral("DATA")))
        return false;
    const QString path = dir->filePath(QStringLiteral("DATA/DATA.DAT"));
    SyntheticOptions options;
    options.vouchers = 200;
    if (!makeSyntheticBooks(path, options))
        return false;
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_stmt* st = nullptr;
    ok = ok
        && sqlite3_prepare_v2(db,
                              "INSERT INTO 财务科目 (科目编号,科目名称,科目类别,级次,末级账) VALUES (?,?,'资产类',4,1)",
                              -1, &st, nullptr)
            == SQLITE_OK;
    for (int i = 0; ok && i < kAccounts; ++i) {
        const QByteArray code = QStringLiteral("199%1").arg(i, 6, 10, QLatin1Char('0')).toUtf8();
        const QByteArray name = QStringLiteral("基准科目%1").arg(i).toUtf8();
        sqlite3_bind_text(st, 1, code.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, name.constData(), -1, SQLITE_TRANSIENT);
        ok = sqlite3_step(st) == SQLITE_DONE;
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (ok)
        folder() = std::move(dir);
    return ok;
}

Duration moveByProduct()
{
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(KESSORY_MOVE_PROBE), { folder()->path() });
    if (!probe.waitForFinished(120000) || probe.exitCode() != 0) {
        probe.kill();
        probe.waitForFinished();
        return Duration(-1);
    }
    bool ok = false;
    const double ms = probe.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? Duration(ms) : Duration(-1);
}

// The floor: the second voucher's header and its lines with their account names, on a connection of its own.
Duration moveFloor()
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(bookPath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return Duration(-1);
    }
    const Duration took = timed([db] {
        sqlite3_stmt* st = nullptr;
        bool ok
            = sqlite3_prepare_v2(db,
                                 "SELECT h.*, l.*, a.科目名称 FROM 记账凭证 h JOIN 记账凭证内容 l ON l.编号 = h.编号 "
                                 "JOIN 财务科目 a ON a.科目编号 = l.科目编号 WHERE h.编号 = "
                                 "(SELECT 编号 FROM 记账凭证 WHERE 凭证号码 > 0 ORDER BY 编号 LIMIT 1 OFFSET 1)",
                                 -1, &st, nullptr)
            == SQLITE_OK;
        int rows = 0;
        while (ok && sqlite3_step(st) == SQLITE_ROW)
            ++rows;
        sqlite3_finalize(st);
        return ok && rows > 0;
    });
    sqlite3_close(db);
    return took;
}

const bool registered
    = addBenchmark({ 70, "voucher_move", "voucher window 下一条, 100,000 accounts (floor: the voucher's rows)", 5,
                     makeBook, moveByProduct, moveFloor, [] { return QString(); } },
                   "its 100,000-account book is a file of its own, not the large books");

} // namespace
} // namespace kessory::bench
