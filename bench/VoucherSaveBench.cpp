// The save of a new five-line voucher into the large books, beside the floor: the same header and lines written
// with six plain inserts in one transaction on the same connection.
#include "bench/Benchmark.h"
#include "bench/LargeBooks.h"
#include "data/Connection.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "vouchers/VoucherStore.h"

#include <QCryptographicHash>
#include <QStringList>
#include <sqlite3.h>

namespace kessory::bench {
namespace {

const char* const kCodes[] = { "101", "10201", "12301", "20101", "30202" };
const double kAmounts[] = { 100.0, 200.5, 300.25, 0.75, 601.5 };

QString summaryOf(int line)
{
    return QStringLiteral("基准测试凭证") + QString::number(line);
}

// The lines of voucher id as "code side cents summary", in entry order.
QStringList storedLines(qint64 id)
{
    QStringList lines;
    sqlite3_stmt* st = nullptr;
    const QByteArray sql
        = QStringLiteral("SELECT 科目编号,方向,金额,摘要 FROM 记账凭证内容 WHERE 编号=? ORDER BY 记录号").toUtf8();
    if (sqlite3_prepare_v2(basDBOperate::cnnDB->handle(), sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        return lines;
    sqlite3_bind_int64(st, 1, id);
    while (sqlite3_step(st) == SQLITE_ROW)
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))))
                     .arg(sqlite3_column_int(st, 1))
                     .arg(qRound64(sqlite3_column_double(st, 2) * 100))
                     .arg(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 3))));
    sqlite3_finalize(st);
    return lines;
}

qint64 productId = 0;
qint64 floorId = 0;

Duration saveByProduct()
{
    VoucherStore store;
    store.header.类别 = QStringLiteral("记");
    store.header.凭证号码 = static_cast<qint16>(VoucherStore::funNextVoucherNo(store.header.类别));
    store.header.记账日期 = Clock::generalDate();
    for (int i = 0; i < 5; ++i) {
        typVoucherLine& line = store.arrLines[static_cast<std::size_t>(i)];
        line.摘要 = summaryOf(i);
        line.科目代码 = QString::fromLatin1(kCodes[i]);
        line.科目名称 = QStringLiteral("科目");
        line.方向 = i == 4;
        line.金额 = i == 4 ? kAmounts[0] + kAmounts[1] + kAmounts[2] + kAmounts[3] : kAmounts[i];
    }
    const Duration took = timed([&] { return store.saveVoucher().ok; });
    productId = store.header.编号;
    return took;
}

// The same voucher in one transaction of six inserts and its change-log row, each prepared from SQLite's own text.
Duration saveByFloor()
{
    sqlite3* db = basDBOperate::cnnDB->handle();
    const QString date = Clock::generalDate();
    return timed([&] {
        auto run = [&](const QString& sql, const std::function<void(sqlite3_stmt*)>& bind) {
            sqlite3_stmt* st = nullptr;
            const QByteArray utf8 = sql.toUtf8();
            bool ok = sqlite3_prepare_v2(db, utf8.constData(), -1, &st, nullptr) == SQLITE_OK;
            if (ok) {
                bind(st);
                ok = sqlite3_step(st) == SQLITE_DONE;
            }
            sqlite3_finalize(st);
            return ok;
        };
        const QByteArray day = date.toUtf8();
        if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
        bool ok = run(QStringLiteral("INSERT INTO 记账凭证(凭证号码,类别,附单据数,月份,记账日期,记账人) SELECT "
                                     "IFNULL(MAX(凭证号码),0)+1,'转',0,12,?,'USER' FROM 记账凭证 WHERE 类别='转'"),
                      [&](sqlite3_stmt* st) { sqlite3_bind_text(st, 1, day.constData(), -1, SQLITE_TRANSIENT); });
        const qint64 id = sqlite3_last_insert_rowid(db);
        for (int i = 0; ok && i < 5; ++i) {
            const QByteArray summary = summaryOf(i).toUtf8();
            const double amount = i == 4 ? kAmounts[0] + kAmounts[1] + kAmounts[2] + kAmounts[3] : kAmounts[i];
            ok = run(QStringLiteral("INSERT INTO 记账凭证内容(编号,记录号,方向,金额,摘要,科目编号,备注,日期) "
                                    "VALUES(?,?,?,?,?,?,'',?)"),
                     [&](sqlite3_stmt* st) {
                         sqlite3_bind_int64(st, 1, id);
                         sqlite3_bind_int(st, 2, i + 1);
                         sqlite3_bind_int(st, 3, i == 4 ? 1 : 0);
                         sqlite3_bind_double(st, 4, amount);
                         sqlite3_bind_text(st, 5, summary.constData(), -1, SQLITE_TRANSIENT);
                         sqlite3_bind_text(st, 6, kCodes[i], -1, SQLITE_STATIC);
                         sqlite3_bind_text(st, 7, day.constData(), -1, SQLITE_TRANSIENT);
                     });
        }
        // Every write of the program leaves one row in the change log, chained to the one before by its hash.
        if (ok) {
            const QByteArray previous = QByteArray::number(id - 1);
            const QByteArray hash
                = QCryptographicHash::hash(previous + day + QByteArray::number(id), QCryptographicHash::Sha256).toHex();
            ok = run(QStringLiteral("INSERT INTO 操作日志 (时间, 操作员, 动作, 对象类型, 对象, 前哈希, 哈希) "
                                    "VALUES (?, '', '保存', '凭证', ?, ?, ?)"),
                     [&](sqlite3_stmt* st) {
                         sqlite3_bind_text(st, 1, day.constData(), -1, SQLITE_TRANSIENT);
                         sqlite3_bind_int64(st, 2, id);
                         sqlite3_bind_text(st, 3, previous.constData(), -1, SQLITE_TRANSIENT);
                         sqlite3_bind_text(st, 4, hash.constData(), -1, SQLITE_TRANSIENT);
                     });
        }
        if (!ok || sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            return false;
        }
        floorId = id;
        return true;
    });
}

QString savedAlike()
{
    const QStringList product = storedLines(productId);
    const QStringList floor = storedLines(floorId);
    if (product.size() != 5 || product != floor)
        return QStringLiteral("stored lines differ: ") + product.join(u';') + QStringLiteral(" / ") + floor.join(u';');
    return {};
}

const bool registered = addBenchmark({ 10, "voucher_save", "save of a new five-line voucher", 21, openLargeBooks,
                                       saveByProduct, saveByFloor, savedAlike });

} // namespace
} // namespace kessory::bench
