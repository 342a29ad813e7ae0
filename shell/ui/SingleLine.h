#pragma once

class QLineEdit;

namespace kessory {

// A one-line box shows a line break as a blank; this makes it hold the blank too, so that what a user pastes or types
// is stored as the box shows it. Each break (CR LF, CR, LF, line or paragraph separator) becomes one blank, and a NUL
// character is dropped (as every write of the program drops it). Texts the program sets are left as they are.
void keepOnOneLine(QLineEdit* box);

} // namespace kessory
