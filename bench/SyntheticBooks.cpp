#include "bench/SyntheticBooks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStringList>
#include <algorithm>
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

// The supplied rows except its vouchers (and its chart of accounts when the books bring their own): the accounts,
// categories, departments and statement templates.
QByteArray suppliedRows(bool withAccounts)
{
    QByteArray kept;
    const QByteArray voucherRows = QStringLiteral("INSERT INTO 记账凭证").toUtf8();
    const QByteArray accountRows = QStringLiteral("INSERT INTO 财务科目 (").toUtf8();
    for (const QByteArray& line : readFile(sourceDataFolder() + QStringLiteral("/sample.sql")).split('\n')) {
        if (!line.startsWith(voucherRows) && (withAccounts || !line.startsWith(accountRows)))
            kept += line + '\n';
    }
    return kept;
}

// A chart of count first-level accounts in the five categories; two of every three get sub-accounts.
bool insertChart(sqlite3* db, int count)
{
    static const char* const categories[] = { "资产类", "负债类", "权益类", "成本类", "损益类" };
    Stmt insert(
        db,
        QStringLiteral("INSERT INTO 财务科目 (科目编号,科目名称,科目类别,级次,末级账,余额方向,科目性质,账页格式,"
                       "记账方式) VALUES (?,?,?,?,?,0,1,'金额式','0')")
            .toUtf8()
            .constData());
    if (!insert.valid())
        return false;
    const int perCategory = (count + 4) / 5;
    auto add = [&](const QString& code, int level, bool leaf, int category) {
        insert.bind(1, code);
        insert.bind(2, QStringLiteral("科目") + code);
        insert.bind(3, QString::fromUtf8(categories[category]));
        insert.bind(4, qint64 { level });
        insert.bind(5, qint64 { leaf ? 1 : 0 });
        return insert.run();
    };
    for (int i = 0; i < count; ++i) {
        const int category = i / perCategory;
        const QString code = QStringLiteral("%1%2").arg(category + 1).arg(1 + i % perCategory, 2, 10, QLatin1Char('0'));
        const bool parent = i % 3 != 2;
        if (!add(code, 1, !parent, category))
            return false;
        if (parent
            && !(add(code + QStringLiteral("01"), 2, false, category)
                 && add(code + QStringLiteral("02"), 2, true, category)
                 && add(code + QStringLiteral("0101"), 3, true, category)))
            return false;
    }
    return true;
}

QStringList accountCodes(sqlite3* db, bool leavesOnly)
{
    QStringList codes;
    sqlite3_stmt* st = nullptr;
    const QByteArray sql
        = (leavesOnly ? QStringLiteral("SELECT 科目编号 FROM 财务科目 WHERE 末级账=1 ORDER BY 科目编号")
                      : QStringLiteral("SELECT 科目编号 FROM 财务科目 ORDER BY 科目编号"))
              .toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW)
            codes << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    return codes;
}

} // namespace

SyntheticOptions largeBooks()
{
    SyntheticOptions options;
    options.vouchers = 12000;
    // KESSORY_BENCH_LINES=1000000 measures a book of that many lines instead (vouchers of 25 lines, so that their
    // numbers stay within 16 bits).
    const int lines = qEnvironmentVariableIntValue("KESSORY_BENCH_LINES");
    if (lines > 0) {
        // Voucher numbers are 16 bits a category a year: a larger book has longer vouchers.
        options.linesPerVoucher = std::max(options.linesPerVoucher, lines / 40000);
        options.vouchers = std::max(1, lines / options.linesPerVoucher);
    }
    options.voidEvery = 33;
    options.firstLevelAccounts = 150;
    options.postToEveryLevel = true;
    return options;
}

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
        || !db.exec(suppliedRows(options.firstLevelAccounts == 0)))
        return false;
    if (options.firstLevelAccounts > 0 && !insertChart(db.handle(), options.firstLevelAccounts))
        return false;
    const QStringList accounts = accountCodes(db.handle(), !options.postToEveryLevel);
    if (accounts.isEmpty())
        return false;
    std::mt19937 random(options.seed);
    // Every level: a first-level code drawn evenly, then either itself or one of its sub-accounts.
    QStringList firstLevel;
    QMap<QString, QStringList> subAccounts;
    for (const QString& code : accounts) {
        if (code.size() == 3)
            firstLevel << code;
        else
            subAccounts[code.left(3)] << code;
    }
    if (options.postToEveryLevel && firstLevel.isEmpty())
        return false;
    std::uniform_int_distribution<int> pickFirstLevel(0, std::max(0, static_cast<int>(firstLevel.size()) - 1));

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

    std::uniform_int_distribution<int> pickAccount(0, static_cast<int>(accounts.size()) - 1);
    std::uniform_int_distribution<qint64> pickCents(100, 5000000);
    std::uniform_int_distribution<int> pickDay(1, 28);
    const QStringList summaries {
        QStringLiteral("采购材料"), QStringLiteral("支付货款"), QStringLiteral("销售产品"),
        QStringLiteral("提取现金"), QStringLiteral("计提折旧"), QStringLiteral("报销差旅费")
    };
    auto pickEveryLevel = [&]() -> QString {
        const QString& first = firstLevel[pickFirstLevel(random)];
        const QStringList& subs = subAccounts[first];
        if (subs.isEmpty() || random() % 2 == 0)
            return first;
        return subs[static_cast<int>(random() % static_cast<unsigned>(subs.size()))];
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
        header.bind(8, qint64 { options.voidEvery > 0 && v % options.voidEvery == 0 ? 1 : 0 });
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
            line.bind(6, options.postToEveryLevel ? pickEveryLevel() : accounts[pickAccount(random)]);
            line.bind(7, date);
            if (!line.run())
                return false;
        }
    }
    return db.exec("COMMIT");
}

} // namespace kessory::bench
