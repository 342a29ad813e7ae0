#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace kessory {

class Connection;

// Copies of the book in DATA/backup beside it, named DATA-YYYYMMDD-HHMMSS.DAT, and the restore of one of them. A book
// file is copied with SQLite's online backup (a consistent copy even while the book is open); a server book is copied
// row for row into a new book file, so that its backups are files like a file book's.
namespace Backups {

constexpr int kDefaultKeep = 30;

// The backup folder of a book file: <its folder>/backup.
QString folderOf(const QString& bookPath);

struct Info {
    QString path;
    QDateTime made; // from the file name
    qint64 vouchers = -1; // -1 when the file cannot be read as a book
};
// The backups of a book, newest first; with voucher counts when asked (each file is opened read-only).
QList<Info> list(const QString& bookPath, bool withCounts = false);

// How many backups to keep: the book setting 备份保留数, 30 unless set to a positive number.
int keepCount(Connection* connection);

// Copies the open book to a new backup file (the clock's time names it; an existing name gets the next second), then
// removes all but the newest keep backups. The new file's path, or empty with why set.
// bookPath is where the book file is, or would be beside a server book's settings.
QString make(Connection* source, const QString& bookPath, int keep, QString* why);

// Whether a backup is due at start: none yet, or the newest is a day old or older.
bool due(const QString& bookPath);

// Checks a file as a book: opens read-only, PRAGMA integrity_check, the tables of the books. Empty when sound, else
// what is wrong.
QString check(const QString& path);

// Replaces the open book's content by the backup's in one step: page for page into a book file (the online backup
// API into the open connection), every table's rows in one transaction into a server book. The backup is checked
// first. Empty on success, else why nothing was changed.
QString restoreInto(Connection* target, const QString& backupPath);

} // namespace Backups
} // namespace kessory
