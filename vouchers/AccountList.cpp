#include "vouchers/AccountList.h"

#include "data/basDBOperate.h"
#include "vouchers/VoucherSql.h"

#include <sqlite3.h>

namespace kessory::AccountList {

std::optional<QStringList> load()
{
    RecordsetPtr rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(VoucherSql::accounts(), rs))
        return std::nullopt;
    QStringList entries;
    while (!rs->eof()) {
        entries << rs->text(QStringLiteral("科目编号")) + QLatin1Char(' ') + rs->text(QStringLiteral("科目名称"));
        rs->moveNext();
    }
    rs->close();
    return entries;
}

bool Cache::refresh()
{
    kessory::Connection* connection = basDBOperate::cnnDB.get();
    qint64 version = -1;
    qint64 changes = -1;
    if (connection && connection->engine() == Engine::Postgres) {
        // A server book counts every change of the chart, by any seat, in 科目版本.
        Statement st = connection->prepare(QStringLiteral("Select 版本 From 科目版本"));
        if (st.valid() && st.step() == 1)
            version = st.columnInt64(0);
        changes = 0;
    } else if (connection && connection->handle()) {
        sqlite3* db = connection->handle();
        // data_version moves on another connection's commit; total_changes counts this connection's own writes.
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA data_version", -1, &st, nullptr) == SQLITE_OK
            && sqlite3_step(st) == SQLITE_ROW)
            version = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        changes = sqlite3_total_changes64(db);
    }
    if (m_loaded && connection == m_connection && version >= 0 && version == m_dataVersion && changes == m_changes)
        return false;
    const std::optional<QStringList> read = load();
    if (!read)
        return false;
    m_entries = *read;
    m_loaded = true;
    m_connection = connection;
    m_dataVersion = version;
    m_changes = changes;
    return true;
}

Entry split(const QString& entry)
{
    const QString trimmed = entry.trimmed();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return { trimmed, QString(), false };
    const QString name = trimmed.mid(blank + 1).trimmed();
    return { trimmed.left(blank), name, !name.isEmpty() };
}

int locate(const QStringList& entries, const QString& text, int current)
{
    if (text.isEmpty())
        return entries.isEmpty() ? current : 0;
    for (int i = 0; i < entries.size(); ++i) {
        const Entry e = split(entries[i]);
        if (e.code.startsWith(text, Qt::CaseSensitive) || e.name.contains(text, Qt::CaseSensitive))
            return i;
    }
    return current;
}

} // namespace kessory::AccountList
