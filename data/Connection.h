#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace kessory {

class Connection;

// A statement's text with the values for its ? marks, bound in order: a value can never change the statement.
struct SqlCommand {
    QString text;
    QVariantList values;
};

// What the engine said about the last statement that failed on a connection.
struct SqlError {
    int code = 0; // SQLite's extended result code; 0 when nothing failed
    QString message;
    QString statement;
};

// A prepared statement borrowed from the connection's cache; returned to it (reset) on destruction.
class Statement {
public:
    Statement() = default;
    Statement(Connection* owner, sqlite3_stmt* stmt, QString key);
    // A statement of its own, finalized when it goes.
    explicit Statement(sqlite3_stmt* stmt, Connection* errorsTo = nullptr);
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    bool valid() const { return m_stmt != nullptr; }
    sqlite3_stmt* handle() const { return m_stmt; }
    void bind(int index, const QVariant& value);
    // Binds the values to the marks 1, 2, 3 ...
    void bindAll(const QVariantList& values);
    // Steps once: 1 = a row, 0 = done, -1 = error (kept on the connection and logged).
    int step();
    int columnCount() const;
    QString columnName(int i) const;
    QVariant column(int i) const;
    void release();

private:
    Connection* m_owner = nullptr;
    // Where an error of a statement of its own is reported.
    Connection* m_errorsTo = nullptr;
    // False once the connection has gone: a recordset that outlives it then finalizes its own statement.
    std::shared_ptr<bool> m_ownerAlive;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_key;
};

// The one SQLite connection: opened read-write on an existing file (never created), with the functions and settings
// the program's SQL text relies on, and a cache of prepared statements keyed by their text.
class Connection {
public:
    static std::unique_ptr<Connection> open(const QString& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return m_db; }

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
    // Runs SQLite's own text directly; true on success.
    bool exec(const char* sql);
    // How long a statement waits for another program's lock before it fails (3 seconds unless set).
    void setBusyTimeout(int milliseconds);
    // The tables and columns the program reads or writes that the file lacks, as "table" or "table.column"; empty
    // when every one is there.
    QStringList missingBookColumns();

    void giveBack(const QString& key, sqlite3_stmt* stmt);
    const std::shared_ptr<bool>& aliveFlag() const { return m_alive; }

private:
    explicit Connection(sqlite3* db);
    sqlite3* m_db = nullptr;
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
