#include "data/Recordset.h"

#include <QRegularExpression>

namespace kessory {
namespace {

// The table of a plain "Select ... From <table> [Where|Order ...]" query; empty for joins and anything else.
QString singleTable(const QString& sql)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*select\s.+?\sfrom\s+([^\s,()]+)\s*(?:$|where\s|order\s))"),
                                       QRegularExpression::CaseInsensitiveOption
                                           | QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(sql);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace

bool Recordset::open(Connection* connection, const QString& sql)
{
    return open(connection, SqlCommand { sql, {} });
}

bool Recordset::open(Connection* connection, const SqlCommand& command)
{
    const QString& sql = command.text;
    close();
    m_connection = connection;
    if (!connection)
        return false;
    m_statement = connection->prepare(sql);
    if (!m_statement.valid())
        return false;
    m_statement.bindAll(command.values);
    m_open = true;
    m_done = false;
    m_table = singleTable(sql);
    // Reading the first row reports an error of the query itself (a failing function, a locked file).
    if (!fetchOne() && !m_done) {
        close();
        return false;
    }
    m_pos = m_rows.empty() ? -1 : 0;
    return true;
}

void Recordset::close()
{
    m_statement.release();
    m_open = false;
    m_done = true;
    m_failed = false;
    m_table.clear();
    m_columns.clear();
    m_index.clear();
    m_folded.clear();
    m_rows.clear();
    m_pos = -1;
    m_adding = false;
    m_pending.clear();
}

void Recordset::readColumns()
{
    const int n = m_statement.columnCount();
    for (int i = 0; i < n; ++i) {
        const QString name = m_statement.columnName(i);
        m_columns << name;
        if (!m_index.contains(name))
            m_index.insert(name, i);
        // A server gives unquoted ASCII names in lower case: a field is found by the name written in any case.
        const QString folded = name.toLower();
        if (!m_folded.contains(folded))
            m_folded.insert(folded, i);
    }
}

bool Recordset::fetchOne()
{
    if (m_done)
        return false;
    const int rc = m_statement.step();
    // A server tells a result's columns once it has run the statement.
    if (rc >= 0 && m_columns.isEmpty())
        readColumns();
    if (rc == 1) {
        std::vector<QVariant> row;
        const int n = static_cast<int>(m_columns.size());
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row.push_back(m_statement.column(i));
        m_rows.push_back(std::move(row));
        return true;
    }
    m_done = true;
    m_statement.release();
    m_failed = rc < 0;
    if (rc < 0 && m_rows.empty())
        m_done = false; // tells open() the query failed
    return false;
}

void Recordset::fetchAll()
{
    while (fetchOne()) { }
    m_done = true;
}

bool Recordset::eof()
{
    if (!m_open)
        return true;
    if (m_pos < 0)
        return m_rows.empty() && (m_done || !fetchOne());
    while (m_pos >= static_cast<qsizetype>(m_rows.size())) {
        if (!fetchOne())
            return true;
    }
    return false;
}

bool Recordset::bof() const
{
    return !m_open || m_pos < 0;
}

bool Recordset::hasCurrent()
{
    return m_open && m_pos >= 0 && !eof();
}

void Recordset::moveFirst()
{
    if (m_open)
        m_pos = m_rows.empty() ? -1 : 0;
}

void Recordset::moveNext()
{
    if (!m_open || eof())
        return;
    ++m_pos;
}

void Recordset::movePrevious()
{
    if (!m_open || m_pos < 0)
        return;
    --m_pos;
}

void Recordset::moveLast()
{
    if (!m_open)
        return;
    fetchAll();
    m_pos = static_cast<qsizetype>(m_rows.size()) - 1;
}

int Recordset::recordCount()
{
    if (!m_open)
        return 0;
    fetchAll();
    return static_cast<int>(m_rows.size());
}

QVariant Recordset::field(const QString& name)
{
    if (!hasCurrent())
        return {};
    auto it = m_index.constFind(name);
    if (it == m_index.constEnd()) {
        it = m_folded.constFind(name.toLower());
        if (it == m_folded.constEnd())
            return {};
    }
    return m_rows[static_cast<std::size_t>(m_pos)][static_cast<std::size_t>(it.value())];
}

QString Recordset::text(const QString& name)
{
    const QVariant v = field(name);
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

double Recordset::number(const QString& name)
{
    const QVariant v = field(name);
    if (v.isNull())
        return 0.0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : 0.0;
}

qint64 Recordset::integer(const QString& name)
{
    const QVariant v = field(name);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return static_cast<qint64>(v.toDouble());
    bool ok = false;
    const qint64 i = v.toLongLong(&ok);
    return ok ? i : 0;
}

bool Recordset::boolean(const QString& name)
{
    const QVariant v = field(name);
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || (s.toLongLong() != 0);
    }
    return v.toLongLong() != 0 || v.toDouble() != 0.0;
}

bool Recordset::addNew()
{
    if (!m_open || m_table.isEmpty())
        return false;
    m_adding = true;
    m_pending.clear();
    return true;
}

void Recordset::setValue(const QString& name, const QVariant& value)
{
    for (auto& [n, v] : m_pending) {
        if (n == name) {
            v = value;
            return;
        }
    }
    m_pending.emplace_back(name, value);
}

bool Recordset::update()
{
    if (!m_open || m_table.isEmpty() || m_pending.empty())
        return false;
    QString sql;
    std::vector<QVariant> params;
    if (m_adding) {
        QStringList names;
        QStringList marks;
        for (const auto& [n, v] : m_pending) {
            names << m_connection->quoteIdentifier(n);
            marks << QStringLiteral("?");
            params.push_back(v);
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(m_connection->quoteIdentifier(m_table), names.join(QLatin1Char(',')),
                       marks.join(QLatin1Char(',')));
    } else {
        if (!hasCurrent())
            return false;
        // Optimistic: the row is found by the values it had when it was read.
        QStringList sets;
        for (const auto& [n, v] : m_pending) {
            sets << m_connection->quoteIdentifier(n) + QStringLiteral("=?");
            params.push_back(v);
        }
        QStringList where;
        const QString notDistinct = m_connection->engine() == Engine::Postgres
            ? QStringLiteral(" IS NOT DISTINCT FROM ?")
            : QStringLiteral(" IS ?");
        const auto& row = m_rows[static_cast<std::size_t>(m_pos)];
        for (int i = 0; i < m_columns.size(); ++i) {
            if (m_index.value(m_columns[i]) != i)
                continue;
            where << m_connection->quoteIdentifier(m_columns[i]) + notDistinct;
            params.push_back(row[static_cast<std::size_t>(i)]);
        }
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                  .arg(m_connection->quoteIdentifier(m_table), sets.join(QLatin1Char(',')),
                       where.join(QStringLiteral(" AND ")));
    }
    // Bound text goes straight to the engine, never through the program's rewriting.
    Statement st = m_connection->prepareNative(sql);
    if (!st.valid())
        return false;
    for (std::size_t i = 0; i < params.size(); ++i)
        st.bind(static_cast<int>(i + 1), params[i]);
    const bool ok = st.step() == 0 && m_connection->changes() > 0;
    if (ok && !m_adding) {
        auto& row = m_rows[static_cast<std::size_t>(m_pos)];
        for (const auto& [n, v] : m_pending) {
            if (m_index.contains(n))
                row[static_cast<std::size_t>(m_index.value(n))] = v;
        }
    }
    m_adding = false;
    m_pending.clear();
    return ok;
}

} // namespace kessory
