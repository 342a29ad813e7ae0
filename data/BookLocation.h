#pragma once

#include "data/Connection.h"
#include "data/ServerBook.h"

#include <QString>

namespace kessory {

// Which book the program opens. Without DATA/kessory.conf it is the file DATA/DATA.DAT beside the executable; the
// settings file may name another file or a book on a PostgreSQL server:
//   [book]
//   engine=postgresql          (or sqlite, with file=DATA.DAT, relative to DATA/ or absolute)
//   host=db.example.com
//   port=5432
//   database=books
//   user=accountant
//   schema=public
// No password is ever written there.
struct BookLocation {
    Engine engine = Engine::Sqlite;
    QString file;
    ServerBook server;
};

QString bookSettingsPath(const QString& programFolder);
// The book the program folder names; false with the reason (in Chinese) when kessory.conf is there but cannot be
// read or names no complete book.
bool readBookLocation(const QString& programFolder, BookLocation* location, QString* error);
// Writes kessory.conf (a file book as DATA/DATA.DAT removes it instead); false with the reason when it cannot.
bool writeBookLocation(const QString& programFolder, const BookLocation& location, QString* error);

} // namespace kessory
