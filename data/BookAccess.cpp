#include "data/BookAccess.h"

#include "data/Connection.h"

namespace kessory::BookAccess {

bool isReadOnly(Connection* connection)
{
    if (!connection)
        return false;
    return connection->isReadOnly() || isKeptYear(connection);
}

bool isKeptYear(Connection* connection)
{
    if (!connection)
        return false;
    const bool server = connection->engine() == Engine::Postgres;
    Statement st
        = connection->prepare(server ? QStringLiteral("Select current_setting('default_transaction_read_only')")
                                     : QStringLiteral("PRAGMA query_only"));
    if (!st.valid() || st.step() != 1)
        return false;
    return server ? st.column(0).toString() == QLatin1String("on") : st.column(0).toInt() != 0;
}

bool makeReadOnly(Connection* connection)
{
    if (!connection)
        return false;
    const bool set = connection->engine() == Engine::Postgres
        ? connection->exec("SET default_transaction_read_only = on")
        : connection->exec("PRAGMA query_only = 1");
    return set && isKeptYear(connection);
}

QString writeRefusal(Connection* connection)
{
    if (!isKeptYear(connection))
        return {};
    return QStringLiteral("当前打开的是往年账簿（只读），不能修改。\n查看完毕请用“系统→返回本年”回到本年账簿。");
}

} // namespace kessory::BookAccess
