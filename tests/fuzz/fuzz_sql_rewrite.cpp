// Fuzzes the SQL text adapter. Whatever text a user types, once quoted it must come back from the engine unchanged,
// and the rewriting must never crash or read out of bounds on any input.
#include "data/SqlRewrite.h"

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <sqlite3.h>

namespace {

sqlite3* memoryDb()
{
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        return d;
    }();
    return db;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // Arbitrary program text: the rewrite must simply survive it.
    const QString rewritten = kessory::rewriteForSqlite(input);
    (void)rewritten;
    // The server's translation likewise; a user's quoted text passes through it untouched.
    int marks = 0;
    (void)kessory::rewriteForPostgres(input, &marks);
    {
        QString typed = input;
        typed.remove(QChar(0));
        const QString literal = QStringLiteral("'") + kessory::sqlQuote(typed) + QStringLiteral("'");
        if (!kessory::rewriteForPostgres(QStringLiteral("Select ") + literal + QStringLiteral(", ?"), &marks)
                 .startsWith(QStringLiteral("Select ") + literal)
            || marks != 1)
            std::abort();
    }

    // A user's text placed between quotes through the helper reads back exactly.
    QString text = input;
    text.remove(QChar(0)); // the engine's text values end at NUL
    const QString sql = QStringLiteral("Select '") + kessory::sqlQuote(text) + QStringLiteral("', True, #2026-01-01#");
    const QByteArray utf8 = kessory::rewriteForSqlite(sql).toUtf8();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(memoryDb(), utf8.constData(), static_cast<int>(utf8.size()), &st, nullptr) != SQLITE_OK)
        std::abort();
    if (sqlite3_step(st) != SQLITE_ROW)
        std::abort();
    const QString back
        = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), sqlite3_column_bytes(st, 0));
    if (back != QString::fromUtf8(text.toUtf8()) || sqlite3_column_int(st, 1) != 1)
        std::abort();
    sqlite3_finalize(st);
    return 0;
}
