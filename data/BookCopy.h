#pragma once

#include <QString>
#include <QStringList>

namespace kessory {

class Connection;

// A whole book moved between a book file and a server (either way, or file to file): every table's rows, the
// numbering of new vouchers and change-log rows, all in one transaction on the target, then compared side by side.
namespace BookCopy {

// The tables a book consists of, in the order they are copied.
const QStringList& tables();

struct Outcome {
    bool ok = false;
    QString error; // why nothing was copied
    QStringList differences; // after the copy: what is not the same on both sides
    qint64 rows = 0;
};

// Replaces the target's book by the source's: the target's rows of every table of the book are deleted and the
// source's written, inside one transaction; then both books are compared. ok only when the copy committed and
// nothing differs.
Outcome copy(Connection& from, Connection& to);

// Compares two books table by table (the rows, whatever their order or the engine's types: a flag as 1 or true, an
// amount as 1.5 or 1.50) and by their totals (vouchers, debit and credit in fen, openings). Empty when the same.
QStringList compare(Connection& a, Connection& b);

// A new, empty book file at path with the books' tables and the later features' tables; false with why.
bool createBookFile(const QString& path, QString* why);

} // namespace BookCopy
} // namespace kessory
