#pragma once

#include <QString>
#include <optional>

namespace kessory {

// A book kept in a PostgreSQL database: where the server is, whose the connection is, and the schema that holds the
// book's tables (several books may share one database, each in a schema of its own). The password is never kept in
// a file: libpq finds it in the user's .pgpass, or the program asks for it and keeps it only in memory.
struct ServerBook {
    QString host = QStringLiteral("localhost");
    int port = 5432;
    QString database;
    QString user;
    QString schema = QStringLiteral("public");
    QString password;

    // "postgresql://user@host:port/database", with "?schema=name" when the schema is not public. The password is
    // never part of it.
    QString url() const;
    // Reads a URL of that form (libpq's own query parameters are not accepted; a password in it is taken as given);
    // nullopt with the reason in error when it is not one.
    static std::optional<ServerBook> fromUrl(const QString& url, QString* error = nullptr);
    // "user@host:port/database" (and "/schema" when not public), for messages and the window's title.
    QString label() const;
};

} // namespace kessory
