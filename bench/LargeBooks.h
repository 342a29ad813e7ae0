#pragma once

#include <QString>

namespace kessory::bench {

// Makes the large synthetic books once (largeBooks()) in a temporary program folder, opens them as the program's
// connection and sets the clock to mid-December of their year. False when they cannot be made or opened.
bool openLargeBooks();

// The program folder that holds DATA/DATA.DAT of the large books; empty before openLargeBooks().
QString largeBooksFolder();

} // namespace kessory::bench
