#pragma once

namespace kessory {

// For a window's write command: on a read-only book (a kept year looked at) shows why nothing can be written and
// returns true; otherwise false.
bool refuseWhenReadOnly();

} // namespace kessory
