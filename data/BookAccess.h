#pragma once

#include <QString>

namespace kessory {

class Connection;

// Whether the open book may be written: a past year's book is opened for reading only.
namespace BookAccess {

// True when the connection refuses every write (opened read-only, or a file SQLite could only open for reading).
bool isReadOnly(Connection* connection);
// True when the connection was made read-only to look at a kept year.
bool isKeptYear(Connection* connection);
// Makes the connection refuse every write from now on (a kept year looked at).
bool makeReadOnly(Connection* connection);
// The message every write command shows while a kept year is looked at; empty otherwise. (A file the system lets
// the program only read fails its writes with each command's own failure message.)
QString writeRefusal(Connection* connection);

} // namespace BookAccess
} // namespace kessory
