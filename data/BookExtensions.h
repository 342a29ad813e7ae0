#pragma once

namespace kessory {

class Connection;

// Creates the tables that the program's later features keep beside the eight tables of the books (the texts of
// data/extensions/*.sql, in order) when the connection may write and they are missing. All or nothing; false when a
// writable file refused them. A read-only file is left alone (true): each feature then behaves as without its tables.
bool ensureExtensionTables(Connection& connection);

// Creates every table, index and function of a book in the connection's schema on a PostgreSQL server (those that
// are there are kept); all or nothing.
bool createServerTables(Connection& connection);

// Whether the open book has the named table.
bool hasTable(Connection& connection, const char* table);

} // namespace kessory
