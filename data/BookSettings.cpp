#include "data/BookSettings.h"

#include "data/BookExtensions.h"
#include "data/Connection.h"
#include "shell/Clock.h"

namespace kessory::BookSettings {

QString value(Connection* connection, const QString& key, const QString& fallback)
{
    if (!connection || !hasTable(*connection, "账套设置"))
        return fallback;
    Statement st = connection->prepare(QStringLiteral("Select 值 From 账套设置 Where 项目 = ?"));
    if (!st.valid())
        return fallback;
    st.bind(1, key);
    if (st.step() != 1)
        return fallback;
    const QVariant v = st.column(0);
    return v.isNull() ? fallback : v.toString();
}

bool setValue(Connection* connection, const QString& key, const QString& value)
{
    if (!connection || !hasTable(*connection, "账套设置"))
        return false;
    Statement st = connection->prepare(QStringLiteral("Insert Into 账套设置 (项目, 值) Values (?, ?) On Conflict (项目) Do Update Set 值 = excluded.值"));
    if (!st.valid())
        return false;
    st.bind(1, key);
    st.bind(2, value);
    return st.step() == 0;
}

int bookYear(Connection* connection)
{
    bool ok = false;
    const int set = value(connection, QStringLiteral("会计年度")).trimmed().toInt(&ok);
    if (ok && set >= 1900 && set <= 9999)
        return set;
    if (connection) {
        Statement st = connection->prepare(QStringLiteral("Select Max(记账日期) From 记账凭证"));
        if (st.valid() && st.step() == 1) {
            const int year = st.column(0).toString().trimmed().left(4).toInt(&ok);
            if (ok && year >= 1900 && year <= 9999)
                return year;
        }
    }
    return Clock::currentYear();
}

} // namespace kessory::BookSettings
