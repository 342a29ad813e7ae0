#include "data/BookExtensions.h"

#include "data/Connection.h"

#include <sqlite3.h>

namespace kessory::generated {
extern const char* const kExtensionSql[];
extern const int kExtensionSqlCount;
} // namespace kessory::generated

namespace kessory {

bool hasTable(Connection& connection, const char* table)
{
    // Asked on every write by the features that keep tables of their own: the statement stays prepared.
    Statement st = connection.prepare(QStringLiteral("Select 1 From sqlite_master Where type = 'table' And name = ?"));
    if (!st.valid())
        return false;
    st.bind(1, QString::fromUtf8(table));
    return st.step() == 1;
}

bool ensureExtensionTables(Connection& connection)
{
    if (sqlite3_db_readonly(connection.handle(), "main") != 0)
        return true;
    // Every text is idempotent; running them all inside one transaction makes the file gain all or none.
    Transaction tx(&connection);
    if (!tx.active())
        return false;
    for (int i = 0; i < generated::kExtensionSqlCount; ++i) {
        if (sqlite3_exec(connection.handle(), generated::kExtensionSql[i], nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
    }
    return tx.commit();
}

} // namespace kessory
