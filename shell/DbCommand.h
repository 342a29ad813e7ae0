#pragma once

#include <QStringList>

namespace kessory {

// `kessory db init postgresql://...` makes an empty book on a server (in the URL's schema, public unless
// ?schema=name); `kessory db copy FROM TO` copies a whole book between a book file and a server, either way, in one
// transaction, and then checks that every table and the books' totals are the same on both sides. A target that
// already holds vouchers or accounts is refused unless --replace is given. The server's password comes from .pgpass
// or PGPASSWORD, never from the command line. Returns the exit code: 0 done, 1 failed, 2 bad arguments; what
// happened is written to *message in Chinese.
int runDbCommand(const QStringList& arguments, QString* message);

} // namespace kessory
