#include "bench/SyntheticBooks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <random>
#include <sqlite3.h>
#include <vector>

namespace kessory::bench {
namespace {

class Db {
public:
    explicit Db(const QString& path) { m_ok = sqlite3_open(path.toUtf8().constData(), &m_db) == SQLITE_OK; }
    ~Db() { sqlite3_close(m_db); }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;
    bool ok() const { return m_ok; }
    sqlite3* handle() const { return m_db; }
    bool exec(const QByteArray& sql)
    {
        return sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

private:
    sqlite3* m_db = nullptr;
    bool m_ok = false;
};

class Stmt {
public:
    Stmt(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Stmt() { sqlite3_finalize(m_stmt); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    bool valid() const { return m_stmt != nullptr; }
    void bind(int i, qint64 v) { sqlite3_bind_int64(m_stmt, i, v); }
    void bind(int i, double v) { sqlite3_bind_double(m_stmt, i, v); }
    void bind(int i, const QString& v)
    {
        const QByteArray utf8 = v.toUtf8();
        sqlite3_bind_text(m_stmt, i, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
    bool run()
    {
        const bool done = sqlite3_step(m_stmt) == SQLITE_DONE;
        sqlite3_reset(m_stmt);
        return done;
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The supplied rows except its vouchers: the accounts, categories, departments and statement templates.
QByteArray suppliedRowsWithoutVouchers()
{
    QByteArray kept;
    const QByteArray voucherRows = QStringLiteral("INSERT INTO 记账凭证").toUtf8();
    for (const QByteArray& line : readFile(sourceDataFolder() + QStringLiteral("/sample.sql")).split('\n')) {
        if (!line.startsWith(voucherRows))
            kept += line + '\n';
    }
    return kept;
}

QStringList leafAccounts(sqlite3* db)
{
    QStringList codes;
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QStringLiteral("SELECT 科目编号 FROM 财务科目 WHERE 末级账=1 ORDER BY 科目编号").toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW)
            codes << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    return codes;
}

} // namespace

QString sourceDataFolder()
{
    return QStringLiteral(KESSORY_SOURCE_DIR "/data");
}

bool makeSyntheticBooks(const QString& path, const SyntheticOptions& options)
{
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    Db db(path);
    if (!db.ok())
        return false;
    db.exec("PRAGMA journal_mode=DELETE");
    if (!db.exec("BEGIN") || !db.exec(readFile(sourceDataFolder() + QStringLiteral("/schema.sql")))
        || !db.exec(suppliedRowsWithoutVouchers()))
        return false;
    const QStringList accounts = leafAccounts(db.handle());
    if (accounts.isEmpty())
        return false;

    Stmt header(
        db.handle(),
        QStringLiteral("INSERT INTO 记账凭证 (编号,凭证号码,类别,附单据数,月份,记账日期,记账人,审核人,制单人,已作废) "
                       "VALUES (?,?,?,?,?,?,'USER',?,'张会计',?)")
            .toUtf8()
            .constData());
    Stmt line(db.handle(),
              QStringLiteral(
                  "INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,备注,日期) VALUES (?,?,?,?,?,?,'',?)")
                  .toUtf8()
                  .constData());
    if (!header.valid() || !line.valid())
        return false;

    std::mt19937 random(options.seed);
    std::uniform_int_distribution<int> pickAccount(0, static_cast<int>(accounts.size()) - 1);
    std::uniform_int_distribution<qint64> pickCents(100, 5000000);
    std::uniform_int_distribution<int> pickDay(1, 28);
    const QStringList summaries {
        QStringLiteral("采购材料"), QStringLiteral("支付货款"), QStringLiteral("销售产品"),
        QStringLiteral("提取现金"), QStringLiteral("计提折旧"), QStringLiteral("报销差旅费")
    };
    qint64 numberJi = 0;
    qint64 numberZhuan = 0;
    for (int v = 0; v < options.vouchers; ++v) {
        const int month = 1 + v * 12 / options.vouchers;
        const QString date = QStringLiteral("%1-%2-%3 09:30:00")
                                 .arg(options.year)
                                 .arg(month, 2, 10, QLatin1Char('0'))
                                 .arg(pickDay(random), 2, 10, QLatin1Char('0'));
        const bool transfer = v % 4 == 3;
        const qint64 id = v + 1;
        header.bind(1, id);
        header.bind(2, transfer ? ++numberZhuan : ++numberJi);
        header.bind(3, transfer ? QStringLiteral("转") : QStringLiteral("记"));
        header.bind(4, qint64 { 1 });
        header.bind(5, qint64 { month });
        header.bind(6, date);
        header.bind(7, v % 3 == 0 ? QStringLiteral("ADMIN") : QString());
        header.bind(8, qint64 { v % 97 == 0 ? 1 : 0 });
        if (!header.run())
            return false;
        // Debit lines first, then one credit line carrying their sum: every voucher balances.
        qint64 debitCents = 0;
        const QString summary = summaries[v % summaries.size()];
        for (int n = 1; n <= options.linesPerVoucher; ++n) {
            const bool credit = n == options.linesPerVoucher;
            const qint64 cents = credit ? debitCents : pickCents(random);
            debitCents += credit ? 0 : cents;
            line.bind(1, id);
            line.bind(2, qint64 { n });
            line.bind(3, qint64 { credit ? 1 : 0 });
            line.bind(4, static_cast<double>(cents) / 100.0);
            line.bind(5, summary);
            line.bind(6, accounts[pickAccount(random)]);
            line.bind(7, date);
            if (!line.run())
                return false;
        }
    }
    return db.exec("COMMIT");
}

} // namespace kessory::bench
