#include "shell/basSysFunction.h"

#include <cstdlib>

namespace basSysFunction {
namespace {

ExitHandler& handler()
{
    static ExitHandler h;
    return h;
}

int& count()
{
    static int c = 0;
    return c;
}

} // namespace

void funExitSystem()
{
    ++count();
    if (handler()) {
        handler()();
        return;
    }
    // Every write happened when its command ran; nothing is left to save.
    std::exit(0);
}

void setExitHandler(ExitHandler h)
{
    handler() = std::move(h);
}

int exitCount()
{
    return count();
}

} // namespace basSysFunction
