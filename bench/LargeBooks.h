#pragma once

#include <QString>

namespace kessory::bench {

// Makes the large synthetic books once (largeBooks()) in a temporary program folder, opens them as the program's
// connection and sets the clock to mid-December of their year. False when they cannot be made or opened.
bool openLargeBooks();

// The program folder that opens the large books as the program's connection now: the book file, or after
// moveLargeBooksToServer() the folder whose DATA/kessory.conf names their copy on the server. Empty before
// openLargeBooks().
QString largeBooksFolder();

// The database URL KESSORY_BENCH_POSTGRES names; empty when the table is measured on the book file alone.
QString benchServerUrl();
// Copies the large books (made first when needed) into a fresh schema of that database and opens the copy as the
// program's connection. False with the reason printed when it cannot.
bool moveLargeBooksToServer();
// Closes the connection and drops the server copy's schema.
void dropServerBooks();
// Whether the program's connection is on the server copy.
bool onServerBooks();

} // namespace kessory::bench
