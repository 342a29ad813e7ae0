#pragma once

class QLineEdit;

namespace kessory {

// A one-line box shows a line break as a blank; this makes it hold the blank too, so that what a user pastes or types
// is stored as the box shows it. Each break (CR LF, CR, LF, line or paragraph separator) becomes one blank. Texts
// the program sets are left as they are.
void keepOnOneLine(QLineEdit* box);

} // namespace kessory
