#include "data/BookExtensions.h"

#include "data/Connection.h"

namespace kessory::generated {
extern const char* const kExtensionSql[];
extern const int kExtensionSqlCount;
extern const char* const kPostgresSql[];
extern const int kPostgresSqlCount;
} // namespace kessory::generated

namespace kessory {

bool hasTable(Connection& connection, const char* table)
{
    // Asked on every write by the features that keep tables of their own: the statement stays prepared.
    Statement st = connection.prepare(
        connection.engine() == Engine::Postgres
            ? QStringLiteral(
                "Select 1 From pg_catalog.pg_class c Join pg_catalog.pg_namespace n On n.oid = c.relnamespace "
                "Where n.nspname = current_schema() And c.relname = ? And c.relkind In ('r', 'p')")
            : QStringLiteral("Select 1 From sqlite_master Where type = 'table' And name = ?"));
    if (!st.valid())
        return false;
    st.bind(1, QString::fromUtf8(table));
    return st.step() == 1;
}

bool createServerTables(Connection& connection)
{
    Transaction tx(&connection);
    if (!tx.active())
        return false;
    for (int i = 0; i < generated::kPostgresSqlCount; ++i) {
        if (!connection.exec(generated::kPostgresSql[i]))
            return false;
    }
    return tx.commit();
}

bool ensureExtensionTables(Connection& connection)
{
    if (connection.isReadOnly())
        return true;
    // A server book made by an older program gains what it lacks; the last object of the schema tells it is whole.
    if (connection.engine() == Engine::Postgres)
        return hasTable(connection, "科目版本") || createServerTables(connection);
    // Every text is idempotent; running them all inside one transaction makes the file gain all or none.
    Transaction tx(&connection);
    if (!tx.active())
        return false;
    for (int i = 0; i < generated::kExtensionSqlCount; ++i) {
        if (!connection.exec(generated::kExtensionSql[i]))
            return false;
    }
    return tx.commit();
}

} // namespace kessory
