#pragma once

#include <QString>

namespace kessory {

class Connection;

// Whether the open book may be written: a past year's book is opened for reading only.
namespace BookAccess {

// True when the connection refuses every write (opened read-only, or a file SQLite could only open for reading).
bool isReadOnly(Connection* connection);
// Makes the connection refuse every write from now on (a kept year looked at).
bool makeReadOnly(Connection* connection);
// The message every write command shows on a read-only book; empty when the book may be written.
QString writeRefusal(Connection* connection);

} // namespace BookAccess
} // namespace kessory
