#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct pg_conn;

namespace kessory {

class Connection;
struct PgRun;
struct ServerBook;
// Ends a run of a server statement (its rows are let go); a deleter so that this header needs no libpq.
struct PgRunDeleter {
    void operator()(PgRun* run) const;
};
using PgRunPtr = std::unique_ptr<PgRun, PgRunDeleter>;

// Where a book's tables live: a book file, or a database on a PostgreSQL server shared by several seats.
enum class Engine { Sqlite, Postgres };

// A statement's text with the values for its ? marks, bound in order: a value can never change the statement.
struct SqlCommand {
    QString text;
    QVariantList values;
};

// What the engine said about the last statement that failed on a connection.
struct SqlError {
    // SQLite's extended result code; 0 when nothing failed. A server's error is given the SQLite code of its kind
    // (a lock waited for too long is SQLITE_BUSY, a broken key SQLITE_CONSTRAINT), so callers tell kinds one way.
    int code = 0;
    QString message;
    QString statement;
    // The server's SQLSTATE; empty on a book file.
    QString state;
};

// A prepared statement borrowed from the connection's cache; returned to it (reset) on destruction.
class Statement {
public:
    Statement() = default;
    Statement(Connection* owner, sqlite3_stmt* stmt, QString key);
    // A statement of its own, finalized when it goes.
    explicit Statement(sqlite3_stmt* stmt, Connection* errorsTo = nullptr);
    // A run of a statement prepared on a server; its rows are read when it is first stepped.
    Statement(Connection* owner, PgRunPtr run);
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    bool valid() const { return m_stmt != nullptr || m_pg != nullptr; }
    // The SQLite statement; null on a server (code that reads columns directly keeps a path for both).
    sqlite3_stmt* handle() const { return m_stmt; }
    void bind(int index, const QVariant& value);
    // Binds the values to the marks 1, 2, 3 ...
    void bindAll(const QVariantList& values);
    // Steps once: 1 = a row, 0 = done, -1 = error (kept on the connection and logged).
    int step();
    int columnCount() const;
    QString columnName(int i) const;
    QVariant column(int i) const;
    // Whether column i of the current row is Null.
    bool isNull(int i) const;
    qint64 columnInt64(int i) const;
    // Reads the statement again from its first row, with the same values.
    void reset();
    void release();

private:
    Connection* m_owner = nullptr;
    // Where an error of a statement of its own is reported.
    Connection* m_errorsTo = nullptr;
    // False once the connection has gone: a recordset that outlives it then finalizes its own statement.
    std::shared_ptr<bool> m_ownerAlive;
    sqlite3_stmt* m_stmt = nullptr;
    PgRunPtr m_pg;
    QString m_key;
};

// The one connection to the books: a SQLite file opened read-write (never created), or a database on a PostgreSQL
// server, with the functions and settings the program's SQL text relies on, and a cache of prepared statements keyed
// by their text. The program's SQL text is translated for the engine; values are always bound.
class Connection {
public:
    static std::unique_ptr<Connection> open(const QString& path);
    // Connects to a server book; null with the server's reason in error when it cannot.
    // needsPassword tells that the server asked for a password that was not given (nor found in .pgpass).
    static std::unique_ptr<Connection> openServer(const ServerBook& book, QString* error = nullptr,
                                                  bool* needsPassword = nullptr);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Engine engine() const { return m_pg ? Engine::Postgres : Engine::Sqlite; }
    // The SQLite database; null on a server.
    sqlite3* handle() const { return m_db; }
    // Who the server book is, for messages ("kessory@host:5432/books"); empty for a file.
    QString serverLabel() const { return m_serverLabel; }

    // Prepares the program's SQL text (rewritten for SQLite); an invalid statement on a syntax error.
    Statement prepare(const QString& programSql);
    // Runs a statement of the program's SQL text; the number of rows it changed (0 when it matched none), -1 when it
    // failed (the error is then in lastError()).
    int execute(const QString& programSql);
    int execute(const SqlCommand& command);
    // The engine's code and message for the last statement that failed.
    const SqlError& lastError() const { return m_lastError; }
    // Keeps the engine's current error for the statement and logs it.
    void noteError(const QString& statement);
    // Runs the engine's own text directly (it may hold several statements and no values); true on success.
    bool exec(const char* sql);
    // Prepares the engine's own text with ? marks for values: the program's SQL rewriting is not applied.
    Statement prepareNative(const QString& engineSql);
    // The rows the last statement changed, and the 编号 the last insert into a table with a generated key took.
    qint64 changes() const;
    qint64 lastInsertId();
    bool inTransaction() const;
    // Whether the book may not be written through this connection (a read-only file, or no right to write).
    bool isReadOnly();
    // A table or column name as the engine's own text needs it quoted.
    QString quoteIdentifier(const QString& name) const;
    // How long a statement waits for another program's lock before it fails (3 seconds unless set).
    void setBusyTimeout(int milliseconds);
    // The tables and columns the program reads or writes that the file lacks, as "table" or "table.column"; empty
    // when every one is there.
    QStringList missingBookColumns();

    void giveBack(const QString& key, sqlite3_stmt* stmt);
    const std::shared_ptr<bool>& aliveFlag() const { return m_alive; }

    // The server's name for statement text that has been prepared there, with the number of its values.
    bool pgPrepare(const QString& key, const QString& engineSql, int marks, std::string* name);
    pg_conn* pgHandle() const { return m_pg; }
    void notePgError(const QString& statement, const char* state, const char* message);
    void setChanges(qint64 n) { m_changes = n; }
    void restoreError(const SqlError& error) { m_lastError = error; }
    // A server answers COMMIT of a transaction a failed statement spoiled with ROLLBACK.
    bool commitWasRollback() const { return m_lastWasRollback; }

private:
    explicit Connection(sqlite3* db);
    explicit Connection(pg_conn* pg);
    sqlite3* m_db = nullptr;
    pg_conn* m_pg = nullptr;
    QString m_serverLabel;
    std::unordered_map<QString, std::pair<std::string, int>> m_pgPrepared;
    qint64 m_changes = 0;
    int m_readOnly = -1;
    bool m_lastWasRollback = false;
    bool execServer(const char* sql);
    // The session's own settings (search path, lock timeout, name, read-only), made again on a new session.
    std::vector<QByteArray> m_sessionSettings;
    std::unordered_map<std::string, QString> m_pgTexts;

public:
    // After a broken connection (a restarted server, a dropped network) while no transaction was open: a new
    // session with the same settings; the prepared statements are prepared again as they are used.
    bool reconnectServer();
    QString preparedText(const std::string& name) const;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    std::unordered_multimap<QString, sqlite3_stmt*> m_idle;
    std::size_t m_idleCount = 0;
    SqlError m_lastError;
};

// One consistent view of the file for the many queries of one load: another copy's save cannot land between them,
// and the file is locked once instead of once per query. Does nothing inside a transaction already open.
class ReadSnapshot {
public:
    explicit ReadSnapshot(Connection* connection);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    Connection* m_connection;
    bool m_active = false;
};

// Rolls back unless committed: an operation that fails half-way leaves the file as it was.
class Transaction {
public:
    explicit Transaction(Connection* connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool active() const { return m_active; }
    bool commit();
    // Undoes everything written since it began; nothing more is written through it afterwards.
    void rollback();

private:
    Connection* m_connection;
    bool m_active = false;
};

} // namespace kessory
