#include "data/BookAccess.h"

#include "data/Connection.h"

#include <sqlite3.h>

namespace kessory::BookAccess {

bool isReadOnly(Connection* connection)
{
    if (!connection)
        return false;
    if (sqlite3_db_readonly(connection->handle(), "main") == 1)
        return true;
    Statement st = connection->prepare(QStringLiteral("PRAGMA query_only"));
    return st.valid() && st.step() == 1 && st.column(0).toInt() != 0;
}

bool makeReadOnly(Connection* connection)
{
    return connection && connection->exec("PRAGMA query_only = 1") && isReadOnly(connection);
}

QString writeRefusal(Connection* connection)
{
    if (!isReadOnly(connection))
        return {};
    return QStringLiteral(
        "当前账簿为只读（往年账簿或只读文件），不能修改。查看往年账簿后请用“系统→返回本年”回到本年账簿。");
}

} // namespace kessory::BookAccess
