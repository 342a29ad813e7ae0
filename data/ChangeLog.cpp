#include "data/ChangeLog.h"

#include "data/BookExtensions.h"
#include "data/Connection.h"
#include "shell/Clock.h"
#include "shell/Operators.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>
#include <QStringList>

namespace kessory::ChangeLog {
namespace {

const char* const kTable = "操作日志";

// One value in a form that no other value shares: its type, its length and its text.
void addValue(QByteArray& out, const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        out += "N;";
        return;
    }
    QByteArray text;
    char tag = 'T';
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        tag = 'I';
        text = QByteArray::number(value.toLongLong());
        break;
    case QMetaType::Double:
        tag = 'R';
        text = QByteArray::number(value.toDouble(), 'g', 17);
        break;
    case QMetaType::QByteArray:
        tag = 'B';
        text = value.toByteArray();
        break;
    default:
        text = value.toString().toUtf8();
    }
    out += tag;
    out += QByteArray::number(text.size());
    out += ':';
    out += text;
    out += ';';
}

// The rows of a query on one bound value, every column by name, in the canonical form.
bool addRows(Connection& connection, const QString& sql, const QVariant& key, QByteArray& out, int* rowCount)
{
    Statement st = connection.prepare(sql);
    if (!st.valid())
        return false;
    if (key.isValid())
        st.bind(1, key);
    int rows = 0;
    int rc = 0;
    while ((rc = st.step()) == 1) {
        ++rows;
        out += '{';
        for (int i = 0; i < st.columnCount(); ++i) {
            out += st.columnName(i).toUtf8();
            out += '=';
            addValue(out, st.column(i));
        }
        out += '}';
    }
    if (rowCount)
        *rowCount = rows;
    return rc == 0;
}

QString sha256Hex(const QByteArray& data)
{
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
}

qint64 lastSequence(Connection& connection)
{
    qint64 last = 0;
    Statement st = connection.prepare(QStringLiteral("Select Max(序号) From 操作日志"));
    if (st.valid() && st.step() == 1)
        last = st.column(0).toLongLong();
    // Rows removed from the end leave their numbers used: the next row never takes them again. A book file keeps the
    // highest number in sqlite_sequence; a server in the column's sequence, moved on by append().
    Statement seq = connection.prepare(
        connection.engine() == Engine::Postgres
            ? QStringLiteral("Select pg_sequence_last_value(pg_get_serial_sequence('操作日志', '序号')::regclass)")
            : QStringLiteral("Select seq From sqlite_sequence Where name = ?"));
    if (seq.valid()) {
        if (connection.engine() == Engine::Sqlite)
            seq.bind(1, QString::fromUtf8(kTable));
        if (seq.step() == 1)
            last = std::max(last, seq.column(0).toLongLong());
    }
    return last;
}

QString lastHash(Connection& connection)
{
    Statement st = connection.prepare(QStringLiteral("Select 哈希 From 操作日志 Order By 序号 Desc Limit 1"));
    if (st.valid() && st.step() == 1)
        return st.column(0).toString();
    return {};
}

bool writable(Connection& connection)
{
    return !connection.isReadOnly();
}

} // namespace

QString voucherName(const QString& category, qint64 number)
{
    return category + QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'));
}

QString rowHash(const Row& row)
{
    QByteArray text;
    for (const QVariant& v :
         { QVariant(row.seq), QVariant(row.time), QVariant(row.operatorName), QVariant(row.action), QVariant(row.kind),
           QVariant(row.target), QVariant(row.note), QVariant(row.digest), QVariant(row.previousHash) })
        addValue(text, v.typeId() == QMetaType::LongLong ? v : QVariant(v.toString()));
    return sha256Hex(text);
}

bool append(Connection& connection, const Entry& entry)
{
    if (!hasTable(connection, kTable))
        return true;
    Row row;
    row.seq = lastSequence(connection) + 1;
    row.time = Clock::generalDate();
    row.operatorName = Operators::keeperName();
    row.action = entry.action;
    row.kind = entry.kind;
    row.target = entry.target;
    row.note = entry.note;
    row.digest = entry.digest;
    row.previousHash = lastHash(connection);
    row.hash = rowHash(row);
    Statement st = connection.prepare(QStringLiteral(
        "Insert Into 操作日志 (序号, 时间, 操作员, 动作, 对象类型, 对象, 说明, 摘要, 前哈希, 哈希) Values (?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?)"));
    if (!st.valid())
        return false;
    const QVariant values[] = { row.seq,    row.time, row.operatorName, row.action,       row.kind,
                                row.target, row.note, row.digest,       row.previousHash, row.hash };
    for (int i = 0; i < 10; ++i)
        st.bind(i + 1, values[i]);
    if (st.step() != 0)
        return false;
    if (connection.engine() == Engine::Sqlite)
        return true;
    Statement used = connection.prepare(QStringLiteral("Select setval(pg_get_serial_sequence('操作日志', '序号'), ?)"));
    used.bind(1, row.seq);
    return used.step() == 1;
}

QString voucherDigest(Connection& connection, qint64 voucherId)
{
    QByteArray text;
    int headers = 0;
    if (!addRows(connection, QStringLiteral("Select * From 记账凭证 Where 编号 = ?"), voucherId, text, &headers)
        || headers == 0)
        return {};
    text += '|';
    if (!addRows(connection, QStringLiteral("Select * From 记账凭证内容 Where 编号 = ? Order By 记录号"), voucherId,
                 text, nullptr))
        return {};
    return sha256Hex(text);
}

QString accountDigest(Connection& connection, const QString& code)
{
    QByteArray text;
    int rows = 0;
    if (!addRows(connection, QStringLiteral("Select * From 财务科目 Where 科目编号 = ?"), code, text, &rows)
        || rows == 0)
        return {};
    return sha256Hex(text);
}

QString rowsDigest(Connection& connection, const QString& sql)
{
    QByteArray text;
    if (!addRows(connection, sql, QVariant(), text, nullptr))
        return {};
    return sha256Hex(text);
}

QString voucherLabel(Connection& connection, qint64 voucherId)
{
    Statement st = connection.prepare(QStringLiteral("Select 类别, 凭证号码 From 记账凭证 Where 编号 = ?"));
    if (!st.valid())
        return {};
    st.bind(1, voucherId);
    if (st.step() != 1)
        return {};
    return voucherName(st.column(0).toString(), st.column(1).toLongLong());
}

bool appendVoucher(Connection& connection, const QString& action, qint64 voucherId)
{
    if (!hasTable(connection, kTable))
        return true;
    return append(connection,
                  { action, kVoucher, QString::number(voucherId), voucherLabel(connection, voucherId),
                    voucherDigest(connection, voucherId) });
}

bool appendVoucherGone(Connection& connection, const QString& action, qint64 voucherId, const QString& label)
{
    return append(connection,
                  { action, kVoucher, QString::number(voucherId), label, voucherDigest(connection, voucherId) });
}

bool appendAccount(Connection& connection, const QString& action, const QString& code)
{
    if (!hasTable(connection, kTable))
        return true;
    QString name;
    Statement st = connection.prepare(QStringLiteral("Select 科目名称 From 财务科目 Where 科目编号 = ?"));
    if (st.valid()) {
        st.bind(1, code);
        if (st.step() == 1)
            name = st.column(0).toString();
    }
    return append(connection, { action, kAccount, code, name, accountDigest(connection, code) });
}

bool registerBaseline(Connection& connection)
{
    if (!writable(connection) || !hasTable(connection, kTable) || lastSequence(connection) > 0)
        return true;
    QList<qint64> vouchers;
    QStringList accounts;
    {
        Statement st = connection.prepare(QStringLiteral("Select 编号 From 记账凭证 Order By 编号"));
        while (st.valid() && st.step() == 1)
            vouchers << st.column(0).toLongLong();
        Statement acc = connection.prepare(QStringLiteral("Select 科目编号 From 财务科目 Order By 科目编号"));
        while (acc.valid() && acc.step() == 1)
            accounts << acc.column(0).toString();
    }
    Transaction tx(&connection);
    if (!tx.active())
        return false;
    const QString action = QStringLiteral("登记");
    for (qint64 id : vouchers) {
        if (!appendVoucher(connection, action, id))
            return false;
    }
    for (const QString& code : accounts) {
        if (!appendAccount(connection, action, code))
            return false;
    }
    // The row that closes the register: a book whose log holds it knew every voucher and account from then on.
    if (!append(connection, { QStringLiteral("启用日志"), kBook, QString(), QString(), QString() }))
        return false;
    return tx.commit();
}

QList<Row> rows(Connection& connection, const Filter& filter)
{
    QList<Row> out;
    if (!hasTable(connection, kTable))
        return out;
    QString sql
        = QStringLiteral("Select 序号, 时间, 操作员, 动作, 对象类型, 对象, 说明, 摘要, 前哈希, 哈希 From 操作日志 "
                         "Where 1 = 1");
    QVariantList binds;
    if (filter.from.isValid()) {
        sql += QStringLiteral(" And 时间 >= ?");
        binds << filter.from.toString(QStringLiteral("yyyy-MM-dd"));
    }
    if (filter.to.isValid()) {
        sql += QStringLiteral(" And 时间 < ?");
        binds << filter.to.addDays(1).toString(QStringLiteral("yyyy-MM-dd"));
    }
    if (!filter.operatorName.isEmpty()) {
        sql += QStringLiteral(" And 操作员 = ?");
        binds << filter.operatorName;
    }
    if (!filter.voucher.trimmed().isEmpty()) {
        // 记7, 记0007 or a bare 7 (either category); a leading category letter narrows it.
        QString text = filter.voucher.trimmed();
        QString category;
        if (!text.isEmpty() && !text.at(0).isDigit()) {
            category = text.left(1);
            text = text.mid(1).trimmed();
        }
        bool ok = false;
        const qint64 number = text.toLongLong(&ok);
        sql += QStringLiteral(" And 对象类型 = ?");
        binds << kVoucher;
        if (ok) {
            if (category.isEmpty()) {
                sql += QStringLiteral(" And (说明 = ? Or 说明 = ?)");
                binds << voucherName(QStringLiteral("记"), number) << voucherName(QStringLiteral("转"), number);
            } else {
                sql += QStringLiteral(" And 说明 = ?");
                binds << voucherName(category, number);
            }
        } else {
            sql += QStringLiteral(" And 说明 = ?");
            binds << filter.voucher.trimmed();
        }
    }
    sql += QStringLiteral(" Order By 序号");
    Statement st = connection.prepare(sql);
    if (!st.valid())
        return out;
    for (int i = 0; i < binds.size(); ++i)
        st.bind(i + 1, binds[i]);
    while (st.step() == 1) {
        Row r;
        r.seq = st.column(0).toLongLong();
        r.time = st.column(1).toString();
        r.operatorName = st.column(2).toString();
        r.action = st.column(3).toString();
        r.kind = st.column(4).toString();
        r.target = st.column(5).toString();
        r.note = st.column(6).toString();
        r.digest = st.column(7).toString();
        r.previousHash = st.column(8).toString();
        r.hash = st.column(9).toString();
        out << r;
    }
    return out;
}

QStringList operatorNames(Connection& connection)
{
    QStringList names;
    if (!hasTable(connection, kTable))
        return names;
    Statement st = connection.prepare(QStringLiteral("Select Distinct 操作员 From 操作日志 Order By 操作员"));
    while (st.valid() && st.step() == 1)
        names << st.column(0).toString();
    return names;
}

QList<Break> verify(Connection& connection)
{
    QList<Break> breaks;
    if (!hasTable(connection, kTable))
        return breaks;
    const QList<Row> all = rows(connection);

    // The chain: every row's hash over its own content, each naming the one before it, numbers without gaps.
    QString previous;
    qint64 expectedSeq = 1;
    struct Last {
        qint64 seq;
        QString digest;
        QString note;
    };
    QHash<QString, Last> lastOf; // kind + '\n' + target
    bool registered = false;
    for (const Row& r : all) {
        if (r.seq > expectedSeq) {
            breaks << Break { r.seq,
                              r.seq == expectedSeq + 1
                                  ? QStringLiteral("日志第 %1 条已被删除。").arg(expectedSeq)
                                  : QStringLiteral("日志第 %1 至 %2 条已被删除。").arg(expectedSeq).arg(r.seq - 1) };
        }
        // After a removal the row names a hash that is gone; that break is already listed.
        if (r.previousHash != previous && r.seq <= expectedSeq)
            breaks << Break { r.seq, QStringLiteral("日志第 %1 条与前一条接不上：前一条已被修改。").arg(r.seq) };
        if (rowHash(r) != r.hash)
            breaks << Break { r.seq,
                              QStringLiteral("日志第 %1 条已被修改（%2 %3 %4）。")
                                  .arg(r.seq)
                                  .arg(r.action, r.kind, r.note.isEmpty() ? r.target : r.note) };
        previous = r.hash;
        expectedSeq = r.seq + 1;
        lastOf.insert(r.kind + QLatin1Char('\n') + r.target, Last { r.seq, r.digest, r.note });
        if (r.kind == kBook && r.action == QStringLiteral("启用日志"))
            registered = true;
    }
    const qint64 used = lastSequence(connection);
    if (used >= expectedSeq)
        breaks << Break { used,
                          used == expectedSeq
                              ? QStringLiteral("日志最后一条（第 %1 条）已被删除。").arg(used)
                              : QStringLiteral("日志最后的第 %1 至 %2 条已被删除。").arg(expectedSeq).arg(used) };

    // The objects: each voucher and account as stored now against its last logged digest.
    const auto compare = [&](const QString& kind, const QString& target, const QString& label, const QString& now) {
        const auto it = lastOf.constFind(kind + QLatin1Char('\n') + target);
        if (it == lastOf.constEnd()) {
            if (registered)
                breaks << Break { 0, QStringLiteral("%1 %2：不在日志中，是在程序之外添加的。").arg(kind, label) };
            return;
        }
        if (it->digest != now)
            breaks << Break { it->seq,
                              QStringLiteral("%1 %2：在程序之外被修改（日志最后记录于第 %3 条）。")
                                  .arg(kind, label, QString::number(it->seq)) };
    };
    QSet<QString> seen;
    {
        Statement st = connection.prepare(QStringLiteral("Select 编号, 类别, 凭证号码 From 记账凭证 Order By 编号"));
        QList<std::pair<qint64, QString>> vouchers;
        while (st.valid() && st.step() == 1)
            vouchers.append(
                { st.column(0).toLongLong(), voucherName(st.column(1).toString(), st.column(2).toLongLong()) });
        st.release();
        for (const auto& [id, label] : vouchers) {
            seen.insert(kVoucher + QLatin1Char('\n') + QString::number(id));
            compare(kVoucher, QString::number(id), QStringLiteral("%1（编号 %2）").arg(label, QString::number(id)),
                    voucherDigest(connection, id));
        }
    }
    {
        Statement st = connection.prepare(QStringLiteral("Select 科目编号, 科目名称 From 财务科目 Order By 科目编号"));
        QList<std::pair<QString, QString>> accounts;
        while (st.valid() && st.step() == 1)
            accounts.append({ st.column(0).toString(), st.column(1).toString() });
        st.release();
        for (const auto& [code, name] : accounts) {
            seen.insert(kAccount + QLatin1Char('\n') + code);
            compare(kAccount, code, code + QLatin1Char(' ') + name, accountDigest(connection, code));
        }
    }
    // What the log last saw stored and is gone now was removed outside the program.
    for (auto it = lastOf.constBegin(); it != lastOf.constEnd(); ++it) {
        const QString kind = it.key().section(QLatin1Char('\n'), 0, 0);
        if ((kind != kVoucher && kind != kAccount) || it->digest.isEmpty() || seen.contains(it.key()))
            continue;
        const QString target = it.key().section(QLatin1Char('\n'), 1);
        const QString label = kind == kVoucher ? QStringLiteral("%1（编号 %2）").arg(it->note, target)
                                               : target + QLatin1Char(' ') + it->note;
        breaks << Break { it->seq,
                          QStringLiteral("%1 %2：在程序之外被删除（日志最后记录于第 %3 条）。")
                              .arg(kind, label, QString::number(it->seq)) };
    }
    std::stable_sort(breaks.begin(), breaks.end(), [](const Break& a, const Break& b) { return a.seq < b.seq; });
    return breaks;
}

} // namespace kessory::ChangeLog
