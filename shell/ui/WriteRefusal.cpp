#include "shell/ui/WriteRefusal.h"

#include "data/BookAccess.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"

namespace kessory {

bool refuseWhenReadOnly()
{
    const QString why = BookAccess::writeRefusal(basDBOperate::cnnDB.get());
    if (why.isEmpty())
        return false;
    Msg::show(why, QStringLiteral("提示"));
    return true;
}

} // namespace kessory
