#include "accounts/Openings.h"

#include "data/BookExtensions.h"
#include "data/Connection.h"

namespace kessory::Openings {

qint64 balanceCents(Connection* connection, const QString& code)
{
    if (!connection || code.isEmpty() || !hasTable(*connection, "期初余额"))
        return 0;
    // Codes are digits only, so a prefix range finds the sub-accounts through the primary key.
    Statement st
        = connection->prepare(QStringLiteral("Select Sum(余额) From 期初余额 Where 科目编号 >= ? And 科目编号 < ?"));
    if (!st.valid())
        return 0;
    st.bind(1, code);
    st.bind(2, code + QStringLiteral(":"));
    if (st.step() != 1)
        return 0;
    return st.column(0).toLongLong();
}

std::map<QString, qint64> all(Connection* connection)
{
    std::map<QString, qint64> result;
    if (!connection || !hasTable(*connection, "期初余额"))
        return result;
    Statement st = connection->prepare(QStringLiteral("Select 科目编号, 余额 From 期初余额"));
    while (st.valid() && st.step() == 1)
        result[st.column(0).toString()] = st.column(1).toLongLong();
    return result;
}

} // namespace kessory::Openings
