#pragma once

#include <functional>

namespace basSysFunction {

// Ends the program at once. Tests install a handler that records the end instead.
void funExitSystem();

using ExitHandler = std::function<void()>;
void setExitHandler(ExitHandler handler);
int exitCount();

} // namespace basSysFunction
