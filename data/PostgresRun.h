#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>
#include <string>
#include <vector>

struct pg_result;
struct pg_conn;

namespace kessory {

// One run of a statement prepared on a PostgreSQL server: the values bound to it as text, and once it has been run,
// the rows the server sent back, read one by one.
struct PgRun {
    std::string name;
    int params = 0;
    std::vector<std::optional<QByteArray>> values;
    pg_result* result = nullptr;
    int row = -1;
    int rows = 0;
    bool ran = false;
    // The program's text (for messages), and what the server was given to prepare under name, keyed in the
    // connection's cache by key: enough to prepare it again on a new session.
    QString text;
    QString key;
    QString engineSql;

    PgRun() = default;
    PgRun(const PgRun&) = delete;
    PgRun& operator=(const PgRun&) = delete;
    ~PgRun();
    void clear();
};

class Connection;

// Taken by every write transaction on a server book: writes to one book go one at a time, as on a book file. Keyed
// by the schema, so books in other schemas of the database are not held up.
inline constexpr const char* kWriterLockSql = "SELECT pg_advisory_xact_lock(hashtext(current_schema()))";

void pgBind(PgRun& run, int index, const QVariant& value);
// 1 = a row, 0 = done, -1 = error (kept on the connection when there is one).
int pgStep(PgRun& run, Connection* connection);
int pgColumnCount(const PgRun& run);
QString pgColumnName(const PgRun& run, int i);
QVariant pgColumn(const PgRun& run, int i);
bool pgIsNull(const PgRun& run, int i);
bool serverInTransaction(pg_conn* conn);
void closeServer(pg_conn* conn);

} // namespace kessory
