#include "data/BookCopy.h"

#include "data/BookExtensions.h"
#include "data/Connection.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace kessory::generated {
extern const char* const kBookSchemaSql[];
extern const int kBookSchemaSqlCount;
} // namespace kessory::generated

namespace kessory::BookCopy {
namespace {

// The tables whose key comes from a counter that must go on where the source's stopped.
struct Counter {
    const char* table;
    const char* column;
};
constexpr Counter kCounters[] = { { "记账凭证", "编号" }, { "操作日志", "序号" } };

QStringList columnsOf(Connection& c, const QString& table)
{
    Statement st = c.prepareNative(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(c.quoteIdentifier(table)));
    QStringList names;
    if (!st.valid() || st.step() < 0)
        return names;
    for (int i = 0; i < st.columnCount(); ++i)
        names << st.columnName(i);
    return names;
}

// The columns a server keeps as boolean, as "table.column" in lower case; none on a book file.
QSet<QString> booleanColumns(Connection& c)
{
    QSet<QString> found;
    if (c.engine() != Engine::Postgres)
        return found;
    Statement st = c.prepareNative(QStringLiteral("SELECT table_name, column_name FROM information_schema.columns "
                                                  "WHERE table_schema = current_schema() AND data_type = 'boolean'"));
    while (st.step() == 1)
        found.insert((st.column(0).toString() + QLatin1Char('.') + st.column(1).toString()).toLower());
    return found;
}

qint64 counterValue(Connection& c, const Counter& counter)
{
    const QString table = QString::fromUtf8(counter.table);
    qint64 value = 0;
    Statement max
        = c.prepareNative(QStringLiteral("SELECT max(%1) FROM %2")
                              .arg(c.quoteIdentifier(QString::fromUtf8(counter.column)), c.quoteIdentifier(table)));
    if (max.step() == 1)
        value = max.columnInt64(0);
    Statement used
        = c.prepareNative(c.engine() == Engine::Postgres
                              ? QStringLiteral("SELECT pg_sequence_last_value(pg_get_serial_sequence(?, ?)::regclass)")
                              : QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ? AND ? IS NOT NULL"));
    used.bind(1, table);
    used.bind(2, QString::fromUtf8(counter.column));
    if (used.valid() && used.step() == 1)
        value = std::max(value, used.columnInt64(0));
    return value;
}

bool setCounter(Connection& c, const Counter& counter, qint64 value)
{
    const QString table = QString::fromUtf8(counter.table);
    if (c.engine() == Engine::Postgres) {
        // setval's third argument false: the next key is value itself, so that 0 (an empty book) starts at 1.
        Statement st = c.prepareNative(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, ?), ?, false)"));
        st.bind(1, table);
        st.bind(2, QString::fromUtf8(counter.column));
        st.bind(3, value + 1);
        return st.step() == 1;
    }
    Statement drop = c.prepareNative(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ?"));
    drop.bind(1, table);
    if (drop.step() < 0)
        return false;
    if (value == 0)
        return true;
    Statement put = c.prepareNative(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"));
    put.bind(1, table);
    put.bind(2, value);
    return put.step() == 0;
}

// One value as the comparison sees it: Null, a whole number, an amount to the fen, or text.
QString normalValue(const QVariant& v, bool flag)
{
    if (v.isNull() || !v.isValid())
        return QStringLiteral("\\N");
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        if (flag)
            return v.toLongLong() != 0 ? QStringLiteral("1") : QStringLiteral("0");
        return QString::number(v.toLongLong());
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (flag)
            return d != 0 ? QStringLiteral("1") : QStringLiteral("0");
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9e15)
            return QString::number(static_cast<qint64>(d));
        return QString::number(d, 'f', 2);
    }
    default:
        return QLatin1Char('\'') + v.toString();
    }
}

// The rows of a table as sorted normal texts, and their number; nullopt when it cannot be read.
std::optional<QStringList> tableRows(Connection& c, const QString& table, const QStringList& columns,
                                     const QSet<QString>& flags)
{
    QStringList quoted;
    std::vector<bool> isFlag;
    for (const QString& col : columns) {
        quoted << c.quoteIdentifier(col);
        isFlag.push_back(flags.contains((table + QLatin1Char('.') + col).toLower()));
    }
    Statement st = c.prepareNative(
        QStringLiteral("SELECT %1 FROM %2").arg(quoted.join(QLatin1Char(',')), c.quoteIdentifier(table)));
    if (!st.valid())
        return std::nullopt;
    QStringList rows;
    int rc;
    while ((rc = st.step()) == 1) {
        QString row;
        for (int i = 0; i < columns.size(); ++i)
            row += normalValue(st.column(i), isFlag[static_cast<std::size_t>(i)]) + QChar(0x1f);
        rows << row;
    }
    if (rc < 0)
        return std::nullopt;
    rows.sort();
    return rows;
}

struct Totals {
    qint64 vouchers = 0;
    qint64 debitCents = 0;
    qint64 creditCents = 0;
    qint64 openingCents = 0;
    bool operator==(const Totals&) const = default;
};

std::optional<Totals> totals(Connection& c)
{
    Totals t;
    Statement v = c.prepare(QStringLiteral("Select count(*) From 记账凭证 Where Not 已作废"));
    if (v.step() != 1)
        return std::nullopt;
    t.vouchers = v.columnInt64(0);
    Statement sides = c.prepare(QStringLiteral(
        "Select Case When l.方向 Then 1 Else 0 End, Sum(Cast(Round(l.金额 * 100) As Integer)) From 记账凭证内容 l "
        "Join 记账凭证 h On h.编号 = l.编号 Where Not h.已作废 Group By Case When l.方向 Then 1 Else 0 End"));
    int rc;
    while ((rc = sides.step()) == 1)
        (sides.columnInt64(0) != 0 ? t.creditCents : t.debitCents) = sides.columnInt64(1);
    if (rc < 0)
        return std::nullopt;
    if (hasTable(c, "期初余额")) {
        Statement o = c.prepare(QStringLiteral("Select Sum(余额) From 期初余额"));
        if (o.step() != 1)
            return std::nullopt;
        t.openingCents = o.columnInt64(0);
    }
    return t;
}

QString fen(qint64 cents)
{
    return QString::number(static_cast<double>(cents) / 100.0, 'f', 2);
}

} // namespace

const QStringList& tables()
{
    static const QStringList names {
        QStringLiteral("财务科目类别"), QStringLiteral("财务科目"),     QStringLiteral("部门分类"),
        QStringLiteral("记账凭证"),     QStringLiteral("记账凭证内容"), QStringLiteral("损益表"),
        QStringLiteral("现金流量表"),   QStringLiteral("资产负债表"),   QStringLiteral("单位信息"),
        QStringLiteral("账套设置"),     QStringLiteral("期初余额"),     QStringLiteral("已结账月份"),
        QStringLiteral("报表公式"),     QStringLiteral("操作员"),       QStringLiteral("操作日志"),
    };
    return names;
}

Outcome copy(Connection& from, Connection& to)
{
    Outcome out;
    const QSet<QString> flags = booleanColumns(to);
    {
        Transaction tx(&to);
        if (!tx.active()) {
            out.error = QStringLiteral("目标账簿无法写入：") + to.lastError().message;
            return out;
        }
        for (const QString& table : tables()) {
            const QByteArray name = table.toUtf8();
            const bool inSource = hasTable(from, name.constData());
            if (!hasTable(to, name.constData())) {
                if (inSource) {
                    out.error = QStringLiteral("目标账簿缺少表 %1。").arg(table);
                    return out;
                }
                continue;
            }
            if (to.execute(SqlCommand { QStringLiteral("Delete From ") + table, {} }) < 0) {
                out.error = QStringLiteral("无法清空目标账簿的表 %1：%2").arg(table, to.lastError().message);
                return out;
            }
            if (!inSource)
                continue;
            const QStringList columns = columnsOf(from, table);
            const QStringList target = columnsOf(to, table);
            QStringList quoted;
            QStringList marks;
            std::vector<bool> isFlag;
            for (const QString& col : columns) {
                if (!target.contains(col, Qt::CaseInsensitive)) {
                    out.error = QStringLiteral("目标账簿的表 %1 缺少列 %2。").arg(table, col);
                    return out;
                }
                quoted << to.quoteIdentifier(col);
                marks << QStringLiteral("?");
                isFlag.push_back(flags.contains((table + QLatin1Char('.') + col).toLower()));
            }
            QStringList sourceQuoted;
            for (const QString& col : columns)
                sourceQuoted << from.quoteIdentifier(col);
            Statement read
                = from.prepareNative(QStringLiteral("SELECT %1 FROM %2")
                                         .arg(sourceQuoted.join(QLatin1Char(',')), from.quoteIdentifier(table)));
            Statement write = to.prepareNative(
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(to.quoteIdentifier(table), quoted.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
            if (!read.valid() || !write.valid()) {
                out.error
                    = QStringLiteral("无法复制表 %1：%2").arg(table, (read.valid() ? to : from).lastError().message);
                return out;
            }
            int rc;
            while ((rc = read.step()) == 1) {
                write.reset();
                for (int i = 0; i < columns.size(); ++i) {
                    QVariant v = read.column(i);
                    // A file's flag may be any number; a server's boolean takes it as true or false.
                    if (isFlag[static_cast<std::size_t>(i)] && !v.isNull())
                        v = QVariant(v.toDouble() != 0);
                    write.bind(i + 1, v);
                }
                if (write.step() < 0) {
                    out.error = QStringLiteral("无法复制表 %1：%2").arg(table, to.lastError().message);
                    return out;
                }
                ++out.rows;
            }
            if (rc < 0) {
                out.error = QStringLiteral("无法读取表 %1：%2").arg(table, from.lastError().message);
                return out;
            }
        }
        for (const Counter& counter : kCounters) {
            const qint64 used = hasTable(from, counter.table) ? counterValue(from, counter) : 0;
            if (hasTable(to, counter.table) && !setCounter(to, counter, used)) {
                out.error = QStringLiteral("无法设置表 %1 的编号：%2")
                                .arg(QString::fromUtf8(counter.table), to.lastError().message);
                return out;
            }
        }
        if (!tx.commit()) {
            out.error = QStringLiteral("目标账簿无法写入：") + to.lastError().message;
            return out;
        }
    }
    out.differences = compare(from, to);
    out.ok = out.differences.isEmpty();
    return out;
}

QStringList compare(Connection& a, Connection& b)
{
    QStringList differences;
    QSet<QString> flags = booleanColumns(a);
    flags.unite(booleanColumns(b));
    for (const QString& table : tables()) {
        const QByteArray name = table.toUtf8();
        const bool inA = hasTable(a, name.constData());
        const bool inB = hasTable(b, name.constData());
        if (!inA && !inB)
            continue;
        const QStringList columns = columnsOf(inA ? a : b, table);
        const auto rowsA = inA ? tableRows(a, table, columns, flags) : std::optional<QStringList>(QStringList());
        const auto rowsB = inB ? tableRows(b, table, columns, flags) : std::optional<QStringList>(QStringList());
        if (!rowsA || !rowsB) {
            differences << QStringLiteral("表 %1 无法读取。").arg(table);
            continue;
        }
        if (rowsA->size() != rowsB->size()) {
            differences
                << QStringLiteral("表 %1 的行数不同：%2 与 %3。").arg(table).arg(rowsA->size()).arg(rowsB->size());
            continue;
        }
        if (*rowsA != *rowsB)
            differences << QStringLiteral("表 %1 的内容不同。").arg(table);
    }
    const auto ta = totals(a);
    const auto tb = totals(b);
    if (!ta || !tb) {
        differences << QStringLiteral("账簿合计无法计算。");
    } else if (!(*ta == *tb)) {
        differences << QStringLiteral("账簿合计不同：凭证 %1 与 %2 张，借方 %3 与 %4，贷方 %5 与 %6，期初 %7 与 %8。")
                           .arg(ta->vouchers)
                           .arg(tb->vouchers)
                           .arg(fen(ta->debitCents), fen(tb->debitCents), fen(ta->creditCents), fen(tb->creditCents),
                                fen(ta->openingCents), fen(tb->openingCents));
    }
    for (const Counter& counter : kCounters) {
        if (hasTable(a, counter.table) && hasTable(b, counter.table)
            && counterValue(a, counter) != counterValue(b, counter))
            differences << QStringLiteral("表 %1 的下一个编号不同。").arg(QString::fromUtf8(counter.table));
    }
    return differences;
}

bool createBookFile(const QString& path, QString* why)
{
    if (QFileInfo::exists(path)) {
        if (why)
            *why = QStringLiteral("文件 %1 已存在，不会覆盖。").arg(path);
        return false;
    }
    sqlite3* db = nullptr;
    const bool opened
        = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        == SQLITE_OK;
    bool ok = opened && sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    for (int i = 0; ok && i < generated::kBookSchemaSqlCount; ++i)
        ok = sqlite3_exec(db, generated::kBookSchemaSql[i], nullptr, nullptr, nullptr) == SQLITE_OK;
    const QString error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (ok) {
        // The later features' tables, as the program's writable open adds them.
        std::unique_ptr<Connection> c = Connection::open(path);
        ok = c && ensureExtensionTables(*c);
    }
    if (!ok) {
        QFile::remove(path);
        if (why)
            *why = QStringLiteral("无法建立账簿文件 %1：%2").arg(path, error);
    }
    return ok;
}

} // namespace kessory::BookCopy
