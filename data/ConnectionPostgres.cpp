// The server side of the connection: libpq, prepared statements named on the server, values sent as text, and the
// rows read back into the values a book file gives (flags as 1 and 0, whole numbers as integers, amounts as doubles).
#include "data/Connection.h"
#include "data/DataLog.h"
#include "data/PostgresRun.h"
#include "data/ServerBook.h"

#include <QLocale>
#include <libpq-fe.h>

namespace kessory {
namespace {

// libpq's type numbers of the columns the books hold.
constexpr Oid kBool = 16;
constexpr Oid kBytea = 17;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kOid = 26;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
constexpr Oid kNumeric = 1700;

// The SQLite code of a server error's kind, so that callers tell "busy", "broken key" and "read-only" one way.
int codeOfState(const QByteArray& state)
{
    if (state == "55P03" || state == "57014" || state == "40P01" || state == "40001")
        return 5; // SQLITE_BUSY: another seat held the book too long
    if (state == "23505")
        return 2067; // SQLITE_CONSTRAINT_UNIQUE
    if (state.startsWith("23"))
        return 19; // SQLITE_CONSTRAINT
    if (state == "25006" || state == "42501")
        return 8; // SQLITE_READONLY
    if (state.startsWith("08") || state.isEmpty())
        return 10; // SQLITE_IOERR: the connection itself failed
    return 1;
}

void ignoreNotice(void*, const char*) { }

} // namespace

void PgRunDeleter::operator()(PgRun* run) const
{
    delete run;
}

PgRun::~PgRun()
{
    clear();
}

void PgRun::clear()
{
    if (result)
        PQclear(result);
    result = nullptr;
    row = -1;
    rows = 0;
    ran = false;
}

void pgBind(PgRun& run, int index, const QVariant& value)
{
    if (index < 1)
        return;
    if (static_cast<std::size_t>(index) > run.values.size())
        run.values.resize(static_cast<std::size_t>(index));
    auto& slot = run.values[static_cast<std::size_t>(index - 1)];
    if (value.isNull() || !value.isValid()) {
        slot.reset();
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        // "1" and "0" read as a boolean and as a number alike: a flag fits either kind of column.
        slot = value.toBool() ? QByteArray("1") : QByteArray("0");
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt:
        slot = QByteArray::number(value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        slot = QByteArray::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
        break;
    default:
        slot = value.toString().toUtf8();
    }
}

int pgStep(PgRun& run, Connection* connection)
{
    if (run.ran) {
        if (run.row + 1 < run.rows) {
            ++run.row;
            return 1;
        }
        run.row = run.rows;
        return 0;
    }
    run.ran = true;
    if (!connection || !connection->pgHandle())
        return -1;
    std::vector<const char*> values(static_cast<std::size_t>(run.params), nullptr);
    for (std::size_t i = 0; i < values.size() && i < run.values.size(); ++i) {
        if (run.values[i])
            values[i] = run.values[i]->constData();
    }
    const bool idle = PQtransactionStatus(connection->pgHandle()) == PQTRANS_IDLE;
    run.result
        = PQexecPrepared(connection->pgHandle(), run.name.c_str(), run.params, values.data(), nullptr, nullptr, 0);
    ExecStatusType status = PQresultStatus(run.result);
    // The server went away between two commands: outside a transaction nothing was half done, so the statement is
    // run again on a new session.
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK && idle
        && PQstatus(connection->pgHandle()) == CONNECTION_BAD && connection->reconnectServer()) {
        PQclear(run.result);
        run.result = nullptr;
        if (!connection->pgPrepare(run.key, connection->preparedText(run.name), run.params, &run.name))
            return -1;
        run.result
            = PQexecPrepared(connection->pgHandle(), run.name.c_str(), run.params, values.data(), nullptr, nullptr, 0);
        status = PQresultStatus(run.result);
    }
    if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK) {
        // Only a write's count is the rows it changed, as on a book file.
        if (qstrncmp(PQcmdStatus(run.result), "SELECT", 6) != 0) {
            const char* changed = PQcmdTuples(run.result);
            connection->setChanges(changed && *changed ? QByteArray(changed).toLongLong() : 0);
        }
        run.rows = status == PGRES_TUPLES_OK ? PQntuples(run.result) : 0;
        run.row = 0;
        return run.rows > 0 ? 1 : 0;
    }
    connection->notePgError(run.text, PQresultErrorField(run.result, PG_DIAG_SQLSTATE),
                            PQresultErrorMessage(run.result));
    return -1;
}

int pgColumnCount(const PgRun& run)
{
    return run.result ? PQnfields(run.result) : 0;
}

QString pgColumnName(const PgRun& run, int i)
{
    return run.result ? QString::fromUtf8(PQfname(run.result, i)) : QString();
}

bool pgIsNull(const PgRun& run, int i)
{
    return !run.result || run.row < 0 || run.row >= run.rows || PQgetisnull(run.result, run.row, i);
}

QVariant pgColumn(const PgRun& run, int i)
{
    if (pgIsNull(run, i))
        return QVariant();
    const char* text = PQgetvalue(run.result, run.row, i);
    const int length = PQgetlength(run.result, run.row, i);
    switch (PQftype(run.result, i)) {
    case kBool:
        return QVariant(static_cast<qlonglong>(text[0] == 't' ? 1 : 0));
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
        return QVariant(static_cast<qlonglong>(QByteArray::fromRawData(text, length).toLongLong()));
    case kFloat4:
    case kFloat8:
        return QVariant(QByteArray::fromRawData(text, length).toDouble());
    case kNumeric: {
        // A sum of whole fen is a whole number and reads as one; an amount with decimals reads as a double.
        const QByteArray number = QByteArray::fromRawData(text, length);
        bool whole = false;
        const qlonglong n = number.toLongLong(&whole);
        if (whole)
            return QVariant(n);
        return QVariant(number.toDouble());
    }
    case kBytea: {
        size_t size = 0;
        unsigned char* raw = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
        QByteArray bytes(reinterpret_cast<const char*>(raw), static_cast<qsizetype>(size));
        PQfreemem(raw);
        return QVariant(bytes);
    }
    default:
        return QVariant(QString::fromUtf8(text, length));
    }
}

bool serverInTransaction(pg_conn* conn)
{
    const PGTransactionStatusType status = PQtransactionStatus(conn);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

void closeServer(pg_conn* conn)
{
    PQfinish(conn);
}

Connection::Connection(pg_conn* pg)
    : m_pg(pg)
{
}

std::unique_ptr<Connection> Connection::openServer(const ServerBook& book, QString* error, bool* needsPassword)
{
    if (needsPassword)
        *needsPassword = false;
    const QByteArray host = book.host.toUtf8();
    const QByteArray port = QByteArray::number(book.port);
    const QByteArray database = book.database.toUtf8();
    const QByteArray user = book.user.toUtf8();
    const QByteArray password = book.password.toUtf8();
    std::vector<const char*> keys {
        "host", "port", "dbname", "application_name", "client_encoding", "connect_timeout"
    };
    std::vector<const char*> values {
        host.constData(), port.constData(), database.constData(), "Kessory", "UTF8", "10"
    };
    if (!user.isEmpty()) {
        keys.push_back("user");
        values.push_back(user.constData());
    }
    if (!password.isEmpty()) {
        keys.push_back("password");
        values.push_back(password.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    PGconn* conn = PQconnectdbParams(keys.data(), values.data(), 0);
    if (!conn || PQstatus(conn) != CONNECTION_OK) {
        if (error)
            *error = conn ? QString::fromUtf8(PQerrorMessage(conn)).trimmed() : QStringLiteral("out of memory");
        if (needsPassword && conn)
            *needsPassword = PQconnectionNeedsPassword(conn) == 1
                || (book.password.isEmpty() && QByteArray(PQerrorMessage(conn)).contains("password"));
        PQfinish(conn);
        return nullptr;
    }
    PQsetNoticeProcessor(conn, ignoreNotice, nullptr);
    std::unique_ptr<Connection> connection(new Connection(conn));
    connection->m_serverLabel = book.label();
    QString schema = book.schema.isEmpty() ? QStringLiteral("public") : book.schema;
    schema.replace(QLatin1Char('"'), QLatin1String("\"\""));
    const QByteArray setup = QStringLiteral("SET search_path TO \"%1\"; SET lock_timeout = 3000; "
                                            "SET standard_conforming_strings = on")
                                 .arg(schema)
                                 .toUtf8();
    if (!connection->exec(setup.constData())) {
        if (error)
            *error = connection->lastError().message;
        return nullptr;
    }
    return connection;
}

bool Connection::pgPrepare(const QString& key, const QString& engineSql, int marks, std::string* name)
{
    *name = "k" + std::to_string(m_pgTexts.size() + 1);
    const QByteArray utf8 = engineSql.toUtf8();
    const bool idle = PQtransactionStatus(m_pg) == PQTRANS_IDLE;
    PGresult* result = PQprepare(m_pg, name->c_str(), utf8.constData(), marks, nullptr);
    if (PQresultStatus(result) != PGRES_COMMAND_OK && idle && PQstatus(m_pg) == CONNECTION_BAD && reconnectServer()) {
        PQclear(result);
        result = PQprepare(m_pg, name->c_str(), utf8.constData(), marks, nullptr);
    }
    const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
    if (!ok)
        notePgError(engineSql, PQresultErrorField(result, PG_DIAG_SQLSTATE), PQresultErrorMessage(result));
    PQclear(result);
    if (ok) {
        m_pgPrepared.insert_or_assign(key, std::make_pair(*name, marks));
        m_pgTexts.insert_or_assign(*name, engineSql);
    }
    return ok;
}

QString Connection::preparedText(const std::string& name) const
{
    const auto it = m_pgTexts.find(name);
    return it == m_pgTexts.end() ? QString() : it->second;
}

bool Connection::reconnectServer()
{
    PQreset(m_pg);
    if (PQstatus(m_pg) != CONNECTION_OK)
        return false;
    PQsetNoticeProcessor(m_pg, ignoreNotice, nullptr);
    // Statements prepared on the old session are gone: each is prepared again, under a new name, when next used.
    m_pgPrepared.clear();
    for (const QByteArray& setting : m_sessionSettings) {
        PGresult* result = PQexec(m_pg, setting.constData());
        const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
        PQclear(result);
        if (!ok)
            return false;
    }
    qCWarning(lcData) << "the connection to" << m_serverLabel << "was broken and has been made again";
    return true;
}

void Connection::notePgError(const QString& statement, const char* state, const char* message)
{
    const QByteArray code = state ? QByteArray(state) : QByteArray();
    QString text = QString::fromUtf8(message ? message : PQerrorMessage(m_pg)).trimmed();
    m_lastError = { codeOfState(code), text, statement, QString::fromLatin1(code) };
    logFailedStatement(m_lastError);
}

bool Connection::execServer(const char* sql)
{
    const bool idle = PQtransactionStatus(m_pg) == PQTRANS_IDLE;
    PGresult* result = PQexec(m_pg, sql);
    ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && idle && PQstatus(m_pg) == CONNECTION_BAD
        && reconnectServer()) {
        PQclear(result);
        result = PQexec(m_pg, sql);
        status = PQresultStatus(result);
    }
    const bool ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    // A session setting made outside a transaction is kept, to be made again on a new session.
    const QByteArray head = QByteArray(sql).trimmed().left(9).toUpper();
    if (ok && idle && head.startsWith("SET ") && !head.startsWith("SET LOCAL"))
        m_sessionSettings.emplace_back(sql);
    if (ok)
        m_lastWasRollback = qstrcmp(PQcmdStatus(result), "ROLLBACK") == 0;
    else
        notePgError(QString::fromUtf8(sql), PQresultErrorField(result, PG_DIAG_SQLSTATE), PQresultErrorMessage(result));
    PQclear(result);
    return ok;
}

} // namespace kessory
