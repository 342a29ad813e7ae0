#pragma once

#include "data/ServerBook.h"

#include <QString>

namespace kessory {

// A trial connection to a server book before the program is pointed at it: can it be reached, and does it hold a
// book yet.
struct ServerProbe {
    enum class Kind { Book, NoBook, NeedsPassword, Failed };
    Kind kind = Kind::Failed;
    // What to tell the user (empty for NeedsPassword: the window asks for one and tries again).
    QString message;
};

ServerProbe probeServerBook(const ServerBook& book);

} // namespace kessory
