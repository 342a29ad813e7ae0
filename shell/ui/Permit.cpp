#include "shell/ui/Permit.h"

#include "shell/Msg.h"

namespace kessory::Operators {

bool permit(Action action)
{
    const QString why = refusal(action);
    if (why.isEmpty())
        return true;
    Msg::show(why, QStringLiteral("提示"));
    return false;
}

} // namespace kessory::Operators
