#pragma once

#include <QString>

namespace kessory {

// Backups of the open book (basDBOperate's connection) and its restore.
namespace BookRestore {

// Makes a backup of the open book now, keeping the book's number of backups. The new file, or empty with why set.
QString backupNow(QString* why);

// At start: a backup when the newest is a day old or older. Empty when none was due or it was made; otherwise why it
// failed (the caller says so once; the start goes on).
QString backupAtStart();

// Replaces the open book by a backup: checks the backup, backs up the book as it is first, copies the backup in and
// reopens the connection. Windows holding recordsets on the book must be closed before. Empty on success, else why
// (the book is then as it was).
QString restore(const QString& backupPath);

} // namespace BookRestore
} // namespace kessory
