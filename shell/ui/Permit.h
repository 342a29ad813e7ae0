#pragma once

#include "shell/Operators.h"

namespace kessory::Operators {

// Shows the refusal of the action for the operator at work (title 提示) and returns false, or returns true when the
// operator may.
bool permit(Action action);

} // namespace kessory::Operators
