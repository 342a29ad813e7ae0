#pragma once

class QLineEdit;

namespace kessory {

// A one-line box shows a line break as a blank; this makes it hold the blank too, so that what a user pastes or types
// is stored as the box shows it. Each break (CR LF, CR, LF, line or paragraph separator) becomes one blank, and a NUL
// character is dropped (as every write of the program drops it). Texts the program sets are left as they are.
// The box takes texts longer than any the book holds, so that an overlong one is refused whole rather than cut.
void keepOnOneLine(QLineEdit* box);
constexpr int kBoxLength = 1 << 20;

} // namespace kessory
