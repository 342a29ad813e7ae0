#pragma once

namespace kessory {
// Shows the program's message boxes with QMessageBox (modal, no icon) and asks for passwords with an input box.
void installMessagePresenter();
} // namespace kessory
