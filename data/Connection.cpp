#include "data/Connection.h"

#include "data/DataLog.h"
#include "data/DateText.h"
#include "data/PostgresRun.h"
#include "data/SqlRewrite.h"

#include <QStringList>
#include <algorithm>
#include <sqlite3.h>

namespace kessory {
namespace {

// Room for every distinct text of one general ledger load (about 51 per first-level account), so that a reload
// reuses them all; a few kilobytes each.
constexpr std::size_t kMaxIdleStatements = 4096;

// Len(text): its length in characters; Null stays Null.
void sqlLen(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    sqlite3_result_int(ctx, static_cast<int>(QString::fromUtf8(text).size()));
}

bool digitsAt(const char* text, std::initializer_list<int> positions)
{
    for (int i : positions) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

// "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss" that is a real day and time.
bool isProgramDate(const char* text, int len)
{
    if (len != 10 && len != 19)
        return false;
    if (!digitsAt(text, { 0, 1, 2, 3, 5, 6, 8, 9 }) || text[4] != '-' || text[7] != '-')
        return false;
    const auto two = [text](int i) { return (text[i] - '0') * 10 + (text[i + 1] - '0'); };
    const int year = (text[0] - '0') * 1000 + (text[1] - '0') * 100 + two(2);
    if (!QDate::isValid(year, two(5), two(8)))
        return false;
    if (len == 10)
        return true;
    return text[10] == ' ' && text[13] == ':' && text[16] == ':' && digitsAt(text, { 11, 12, 14, 15, 17, 18 })
        && two(11) < 24 && two(14) < 60 && two(17) < 60;
}

// Month(date text): the month of a date text in the forms the program reads (data/DateText.h); Null for Null or a
// text that is no date.
void sqlMonth(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int len = sqlite3_value_bytes(argv[0]);
    // Fast path for the form the program writes, "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss" with a real day and time.
    if (isProgramDate(text, len)) {
        sqlite3_result_int(ctx, (text[5] - '0') * 10 + (text[6] - '0'));
        return;
    }
    const int month = monthOfDateText(QString::fromUtf8(text, len));
    if (month >= 1 && month <= 12)
        sqlite3_result_int(ctx, month);
    else
        sqlite3_result_null(ctx);
}

} // namespace

Statement::Statement(Connection* owner, sqlite3_stmt* stmt, QString key)
    : m_owner(owner)
    , m_ownerAlive(owner ? owner->aliveFlag() : nullptr)
    , m_stmt(stmt)
    , m_key(std::move(key))
{
}

Statement::Statement(sqlite3_stmt* stmt, Connection* errorsTo)
    : m_errorsTo(errorsTo)
    , m_stmt(stmt)
{
}

Statement::Statement(Connection* owner, PgRunPtr run)
    : m_owner(owner)
    , m_ownerAlive(owner ? owner->aliveFlag() : nullptr)
    , m_pg(std::move(run))
{
}

Statement::Statement(Statement&& other) noexcept
    : m_owner(other.m_owner)
    , m_errorsTo(other.m_errorsTo)
    , m_ownerAlive(std::move(other.m_ownerAlive))
    , m_stmt(other.m_stmt)
    , m_pg(std::move(other.m_pg))
    , m_key(std::move(other.m_key))
{
    other.m_stmt = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        release();
        m_owner = other.m_owner;
        m_errorsTo = other.m_errorsTo;
        m_ownerAlive = std::move(other.m_ownerAlive);
        m_stmt = other.m_stmt;
        m_pg = std::move(other.m_pg);
        m_key = std::move(other.m_key);
        other.m_stmt = nullptr;
    }
    return *this;
}

Statement::~Statement()
{
    release();
}

void Statement::release()
{
    m_pg.reset();
    if (m_stmt) {
        if (m_owner && m_ownerAlive && *m_ownerAlive)
            m_owner->giveBack(m_key, m_stmt);
        else
            sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

void Statement::bind(int index, const QVariant& value)
{
    if (m_pg) {
        pgBind(*m_pg, index, value);
        return;
    }
    if (!m_stmt)
        return;
    if (value.isNull() || !value.isValid()) {
        sqlite3_bind_null(m_stmt, index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt:
        sqlite3_bind_int64(m_stmt, index, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(m_stmt, index, value.toDouble());
        break;
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        sqlite3_bind_text(m_stmt, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
    }
}

void Statement::bindAll(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values[i]);
}

int Statement::step()
{
    if (m_pg)
        return pgStep(*m_pg, m_owner && m_ownerAlive && *m_ownerAlive ? m_owner : nullptr);
    if (!m_stmt)
        return -1;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return 1;
    if (rc == SQLITE_DONE)
        return 0;
    Connection* connection = m_owner && m_ownerAlive && *m_ownerAlive ? m_owner : m_errorsTo;
    if (connection)
        connection->noteError(QString::fromUtf8(sqlite3_sql(m_stmt)));
    return -1;
}

int Statement::columnCount() const
{
    if (m_pg)
        return pgColumnCount(*m_pg);
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

QString Statement::columnName(int i) const
{
    if (m_pg)
        return pgColumnName(*m_pg, i);
    return QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

bool Statement::isNull(int i) const
{
    if (m_pg)
        return pgIsNull(*m_pg, i);
    return sqlite3_column_type(m_stmt, i) == SQLITE_NULL;
}

qint64 Statement::columnInt64(int i) const
{
    if (m_pg)
        return pgColumn(*m_pg, i).toLongLong();
    return sqlite3_column_int64(m_stmt, i);
}

void Statement::reset()
{
    if (m_pg) {
        m_pg->clear();
        return;
    }
    if (m_stmt)
        sqlite3_reset(m_stmt);
}

QVariant Statement::column(int i) const
{
    if (m_pg)
        return pgColumn(*m_pg, i);
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, i));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB:
        return QVariant(
            QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, i)), sqlite3_column_bytes(m_stmt, i)));
    default:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, i)),
                                          sqlite3_column_bytes(m_stmt, i)));
    }
}

std::unique_ptr<Connection> Connection::open(const QString& path)
{
    sqlite3* db = nullptr;
    const QByteArray utf8 = path.toUtf8();
    const int rc = sqlite3_open_v2(utf8.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    std::unique_ptr<Connection> connection(new Connection(db));
    sqlite3_busy_timeout(db, 3000);
    // The program's Like is case-sensitive, which also lets SQLite use the code index for a prefix pattern.
    connection->exec("PRAGMA case_sensitive_like = ON");
    connection->exec("PRAGMA foreign_keys = OFF");
    // One user, one file of a few megabytes a year: a page cache that holds the whole of it spares the books'
    // thousands of statements per load from reading pages again, and sorts stay in memory.
    connection->exec("PRAGMA cache_size = -32768");
    connection->exec("PRAGMA temp_store = MEMORY");
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function(db, "Len", 1, flags, nullptr, sqlLen, nullptr, nullptr);
    sqlite3_create_function(db, "Month", 1, flags, nullptr, sqlMonth, nullptr, nullptr);
    return connection;
}

Connection::Connection(sqlite3* db)
    : m_db(db)
{
}

Connection::~Connection()
{
    *m_alive = false;
    if (m_pg) {
        closeServer(m_pg);
        return;
    }
    for (auto& [key, stmt] : m_idle)
        sqlite3_finalize(stmt);
    m_idle.clear();
    sqlite3_close_v2(m_db);
}

Statement Connection::prepare(const QString& programSql)
{
    if (m_pg) {
        PgRunPtr run(new PgRun);
        if (auto it = m_pgPrepared.find(programSql); it != m_pgPrepared.end()) {
            run->name = it->second.first;
            run->params = it->second.second;
        } else {
            const QString text = rewriteForPostgres(programSql, &run->params);
            if (!pgPrepare(programSql, text, run->params, &run->name))
                return {};
        }
        run->text = programSql;
        run->key = programSql;
        return Statement(this, std::move(run));
    }
    // Keyed by the program's own text: a statement run again skips the rewriting as well as the compiling.
    if (auto it = m_idle.find(programSql); it != m_idle.end()) {
        sqlite3_stmt* stmt = it->second;
        m_idle.erase(it);
        --m_idleCount;
        return Statement(this, stmt, programSql);
    }
    const QString text = rewriteForSqlite(programSql);
    const QByteArray utf8 = text.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v3(m_db, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                           &tail)
            != SQLITE_OK
        || !stmt) {
        noteError(text);
        sqlite3_finalize(stmt);
        return {};
    }
    // Only one statement per call: trailing text other than blanks or a semicolon is refused.
    if (tail && QString::fromUtf8(tail).trimmed().remove(QLatin1Char(';')).size() > 0) {
        m_lastError = { SQLITE_MISUSE, QStringLiteral("more than one statement"), text, {} };
        logFailedStatement(m_lastError);
        sqlite3_finalize(stmt);
        return {};
    }
    return Statement(this, stmt, programSql);
}

void Connection::giveBack(const QString& key, sqlite3_stmt* stmt)
{
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (m_idleCount >= kMaxIdleStatements) {
        for (auto& [k, s] : m_idle)
            sqlite3_finalize(s);
        m_idle.clear();
        m_idleCount = 0;
    }
    m_idle.emplace(key, stmt);
    ++m_idleCount;
}

int Connection::execute(const QString& programSql)
{
    return execute(SqlCommand { programSql, {} });
}

int Connection::execute(const SqlCommand& command)
{
    Statement st = prepare(command.text);
    if (!st.valid())
        return -1;
    if (m_pg) {
        st.bindAll(command.values);
        if (st.step() < 0)
            return -1;
        // A query passed as a statement affects nothing.
        return st.columnCount() > 0 ? 0 : static_cast<int>(m_changes);
    }
    if (sqlite3_stmt_readonly(st.handle())) {
        // A query passed as a statement affects nothing.
        return 0;
    }
    st.bindAll(command.values);
    int rc;
    while ((rc = st.step()) == 1) { }
    if (rc < 0)
        return -1;
    return sqlite3_changes(m_db);
}

void Connection::noteError(const QString& statement)
{
    m_lastError = { sqlite3_extended_errcode(m_db), QString::fromUtf8(sqlite3_errmsg(m_db)), statement, {} };
    logFailedStatement(m_lastError);
}

void Connection::setBusyTimeout(int milliseconds)
{
    if (m_pg) {
        exec(QStringLiteral("SET lock_timeout = %1").arg(std::max(1, milliseconds)).toUtf8().constData());
        return;
    }
    sqlite3_busy_timeout(m_db, milliseconds);
}

Statement Connection::prepareNative(const QString& engineSql)
{
    if (m_pg) {
        PgRunPtr run(new PgRun);
        const QString key = QStringLiteral("\x01native ") + engineSql;
        if (auto it = m_pgPrepared.find(key); it != m_pgPrepared.end()) {
            run->name = it->second.first;
            run->params = it->second.second;
        } else {
            const QString text = numberMarks(engineSql, &run->params);
            if (!pgPrepare(key, text, run->params, &run->name))
                return {};
        }
        run->text = engineSql;
        run->key = key;
        return Statement(this, std::move(run));
    }
    sqlite3_stmt* raw = nullptr;
    const QByteArray utf8 = engineSql.toUtf8();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), static_cast<int>(utf8.size()), &raw, nullptr) != SQLITE_OK) {
        noteError(engineSql);
        sqlite3_finalize(raw);
        return {};
    }
    return Statement(raw, this);
}

qint64 Connection::changes() const
{
    return m_pg ? m_changes : sqlite3_changes64(m_db);
}

qint64 Connection::lastInsertId()
{
    if (!m_pg)
        return sqlite3_last_insert_rowid(m_db);
    Statement st = prepareNative(QStringLiteral("SELECT lastval()"));
    return st.step() == 1 ? st.columnInt64(0) : 0;
}

bool Connection::inTransaction() const
{
    return m_pg ? serverInTransaction(m_pg) : sqlite3_get_autocommit(m_db) == 0;
}

bool Connection::isReadOnly()
{
    if (!m_pg)
        return sqlite3_db_readonly(m_db, "main") == 1;
    if (m_readOnly < 0) {
        // A standby server, or a role that may not write the books.
        Statement st = prepareNative(
            QStringLiteral("SELECT current_setting('transaction_read_only') = 'on' OR to_regclass('记账凭证') IS NULL "
                           "OR NOT has_table_privilege(to_regclass('记账凭证'), 'INSERT')"));
        m_readOnly = st.step() == 1 && st.columnInt64(0) != 0 ? 1 : 0;
    }
    return m_readOnly == 1;
}

QString Connection::quoteIdentifier(const QString& name) const
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    // The server folds an unquoted name's ASCII letters to lower case, and the books' tables were made unquoted.
    if (m_pg) {
        for (QChar& c : quoted) {
            if (c >= u'A' && c <= u'Z')
                c = QChar(c.unicode() + 32);
        }
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool Connection::exec(const char* sql)
{
    if (m_pg)
        return execServer(sql);
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    noteError(QString::fromUtf8(sql));
    return false;
}

QStringList Connection::missingBookColumns()
{
    // Every column some window reads or writes, table by table.
    static const char* const columns[][14] = {
        { "记账凭证", "编号", "凭证号码", "类别", "附单据数", "月份", "记账日期", "记账人", "审核人", "制单人",
          "已作废" },
        { "记账凭证内容", "编号", "记录号", "方向", "金额", "摘要", "科目编号", "备注", "日期" },
        { "财务科目", "科目编号", "科目名称", "科目类别", "级次", "末级账", "现金账", "银行账", "余额方向", "科目性质",
          "账页格式", "外币币种", "数量单位", "记账方式" },
        { "财务科目类别", "编号", "类别名称" },
        { "部门分类", "部门编号" },
        { "损益表", "ID", "类别", "项目", "行次", "本月数", "本年累计数" },
        { "现金流量表", "ID", "类别", "项目", "行次", "金额" },
        { "资产负债表", "ID", "类别", "项目", "行次", "年初数", "期末数" },
    };
    QStringList missing;
    const QString query = m_pg ? QStringLiteral("Select column_name From information_schema.columns "
                                                "Where table_schema = current_schema() And table_name = ?")
                               : QStringLiteral("Select name From pragma_table_info(?)");
    for (const auto& table : columns) {
        const QString name = QString::fromUtf8(table[0]);
        Statement st = prepare(query);
        st.bind(1, name);
        QStringList found;
        int rc;
        while ((rc = st.step()) == 1)
            found << st.column(0).toString();
        if (rc < 0 || found.isEmpty()) {
            missing << name;
            continue;
        }
        for (std::size_t i = 1; i < std::size(table) && table[i]; ++i) {
            const QString column = QString::fromUtf8(table[i]);
            if (!found.contains(column, Qt::CaseInsensitive))
                missing << name + QLatin1Char('.') + column;
        }
    }
    return missing;
}

ReadSnapshot::ReadSnapshot(Connection* connection)
    : m_connection(connection)
{
    // A server gives the whole load one snapshot of the committed books, as a file's read lock does.
    m_active = m_connection && !m_connection->inTransaction()
        && m_connection->exec(m_connection->engine() == Engine::Postgres ? "BEGIN ISOLATION LEVEL REPEATABLE READ"
                                                                         : "BEGIN");
}

ReadSnapshot::~ReadSnapshot()
{
    // Nothing was written: ending it only lets go of the read lock.
    if (m_active && m_connection->inTransaction())
        m_connection->exec("ROLLBACK");
}

Transaction::Transaction(Connection* connection)
    : m_connection(connection)
{
    if (!m_connection)
        return;
    if (m_connection->engine() == Engine::Sqlite) {
        m_active = m_connection->exec("BEGIN IMMEDIATE");
        return;
    }
    // One writer at a time per book, as on a file: every check a write makes inside its transaction then sees the
    // books as no other seat can change them until it ends. Another seat's write is waited for as long as the lock
    // timeout allows.
    m_active = m_connection->exec("BEGIN") && m_connection->exec(kWriterLockSql);
    if (!m_active && m_connection->inTransaction()) {
        const SqlError why = m_connection->lastError();
        m_connection->exec("ROLLBACK");
        m_connection->restoreError(why);
    }
}

Transaction::~Transaction()
{
    rollback();
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    // The engine may have ended the transaction itself (a full disk, an I/O error): nothing is left to undo then.
    if (m_connection->inTransaction())
        m_connection->exec("ROLLBACK");
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    m_active = false;
    if (m_connection->exec("COMMIT") && !m_connection->commitWasRollback())
        return true;
    if (m_connection->inTransaction())
        m_connection->exec("ROLLBACK");
    return false;
}

} // namespace kessory
