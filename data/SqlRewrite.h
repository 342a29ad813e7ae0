#pragma once

#include <QString>

namespace kessory {

// Turns the program's SQL text into text SQLite accepts: dates between # signs become text literals and the words
// True and False become 1 and 0. Text inside single quotes is never touched, so a user's '#' or 'True' survives.
QString rewriteForSqlite(const QString& sql);

// A user's text as it must stand between single quotes in SQL text: every single quote doubled.
QString sqlQuote(const QString& text);

} // namespace kessory
