#pragma once

#include <QString>

namespace kessory {

// Turns the program's SQL text into text SQLite accepts: dates between # signs become text literals and the words
// True and False become 1 and 0. Text inside single quotes is never touched, so a user's '#' or 'True' survives.
QString rewriteForSqlite(const QString& sql);

// Turns the program's SQL text into text PostgreSQL accepts: dates between # signs become text literals, the marks
// ? for bound values become $1, $2 ..., and a cast As Integer becomes As bigint (sums in fen pass 2^31). True and
// False stay the words the server knows. Quoted text and names are never touched. The number of marks goes to
// *marks when asked.
QString rewriteForPostgres(const QString& sql, int* marks = nullptr);

// Only the marks: the engine's own text with ? marks made into $1, $2 ... for PostgreSQL.
QString numberMarks(const QString& sql, int* marks = nullptr);

// A user's text as it must stand between single quotes in SQL text: every single quote doubled.
QString sqlQuote(const QString& text);

} // namespace kessory
