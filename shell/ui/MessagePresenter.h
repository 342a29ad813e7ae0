#pragma once

namespace kessory {
// Shows the program's message boxes with QMessageBox: modal, no icon.
void installMessagePresenter();
} // namespace kessory
