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
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(connection.handle(), "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1", -1,
                           &stmt, nullptr)
        != SQLITE_OK)
        return false;
    sqlite3_bind_text(stmt, 1, table, -1, SQLITE_STATIC);
    const bool found = sqlite3_step(stmt) == SQLITE_ROW;
    sqlite3_finalize(stmt);
    return found;
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
