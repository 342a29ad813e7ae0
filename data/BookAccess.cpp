#include "data/BookAccess.h"

#include "data/Connection.h"

#include <sqlite3.h>

namespace kessory::BookAccess {

bool isReadOnly(Connection* connection)
{
    if (!connection)
        return false;
    return sqlite3_db_readonly(connection->handle(), "main") == 1 || isKeptYear(connection);
}

bool isKeptYear(Connection* connection)
{
    if (!connection)
        return false;
    Statement st = connection->prepare(QStringLiteral("PRAGMA query_only"));
    return st.valid() && st.step() == 1 && st.column(0).toInt() != 0;
}

bool makeReadOnly(Connection* connection)
{
    return connection && connection->exec("PRAGMA query_only = 1") && isKeptYear(connection);
}

QString writeRefusal(Connection* connection)
{
    if (!isKeptYear(connection))
        return {};
    return QStringLiteral("当前打开的是往年账簿（只读），不能修改。\n查看完毕请用“系统→返回本年”回到本年账簿。");
}

} // namespace kessory::BookAccess
