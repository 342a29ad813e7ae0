#include "data/Seats.h"

#include "data/Connection.h"
#include "data/SqlRewrite.h"

#include <QSysInfo>
#include <QUrl>

namespace kessory::Seats {
namespace {

const QByteArray kPrefix = QByteArrayLiteral("Kessory ");
// The server cuts application_name at 63 bytes.
constexpr qsizetype kMaxBytes = 63;

QString& operatorName()
{
    static QString name;
    return name;
}

QString machineUser()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QStringLiteral("user") : user;
}

QByteArray encoded(const QString& text)
{
    return QUrl::toPercentEncoding(text);
}

} // namespace

QString seatName()
{
    const QString who = operatorName().isEmpty() ? machineUser() : operatorName();
    return QStringLiteral("Kessory %1@%2").arg(who, QSysInfo::machineHostName());
}

void setOperator(const QString& name)
{
    operatorName() = name;
}

QByteArray applicationName(const QString& seat)
{
    QString rest = seat.startsWith(QString::fromLatin1(kPrefix)) ? seat.mid(kPrefix.size()) : seat;
    const qsizetype at = rest.lastIndexOf(u'@');
    QString who = at < 0 ? rest : rest.left(at);
    QString host = at < 0 ? QString() : rest.mid(at + 1);
    const auto join
        = [&] { return kPrefix + encoded(who) + (at < 0 ? QByteArray() : QByteArray("@") + encoded(host)); };
    // The machine's name gives way first, then the operator's, a whole character at a time.
    while (join().size() > kMaxBytes && !host.isEmpty())
        host.chop(1);
    while (join().size() > kMaxBytes && !who.isEmpty())
        who.chop(1);
    return join();
}

QString seatOfApplicationName(const QString& applicationName)
{
    if (!applicationName.startsWith(QString::fromLatin1(kPrefix)))
        return applicationName;
    return QString::fromLatin1(kPrefix) + QUrl::fromPercentEncoding(applicationName.mid(kPrefix.size()).toLatin1());
}

bool announce(Connection& connection)
{
    if (connection.engine() != Engine::Postgres)
        return true;
    // A session setting made with SET is made again on a new session after a broken connection. The name is
    // printable ASCII (applicationName), quoted through the one helper.
    const QString name = QString::fromLatin1(applicationName(seatName()));
    return connection.exec(
        (QStringLiteral("SET application_name = '") + sqlQuote(name) + QLatin1Char('\'')).toUtf8().constData());
}

QString writer(Connection& connection)
{
    if (connection.engine() != Engine::Postgres)
        return {};
    // The writer lock is the one-key advisory lock on hashtext(current_schema()); pg_locks shows its key split in
    // two halves of 32 bits.
    Statement st = connection.prepareNative(QStringLiteral(
        "SELECT a.application_name, a.client_addr::text, a.pid FROM pg_locks l JOIN pg_stat_activity a ON a.pid = l.pid"
        " WHERE l.locktype = 'advisory' AND l.granted AND l.objsubid = 1 AND l.pid <> pg_backend_pid()"
        " AND l.database = (SELECT oid FROM pg_database WHERE datname = current_database())"
        " AND ((l.classid::bigint << 32) | l.objid::bigint) = hashtext(current_schema())::bigint"));
    if (!st.valid() || st.step() != 1)
        return {};
    const QString name = st.column(0).toString().trimmed();
    if (!name.isEmpty())
        return seatOfApplicationName(name);
    const QString address = st.column(1).toString();
    return address.isEmpty() ? QStringLiteral("进程 %1").arg(st.column(2).toLongLong()) : address;
}

QString busyMessage(Connection& connection, const QString& again)
{
    const QString seat = writer(connection);
    return seat.isEmpty() ? QStringLiteral("另一工位正在写入账簿，请稍后再%1。").arg(again)
                          : QStringLiteral("另一工位（%1）正在写入账簿，请稍后再%2。").arg(seat, again);
}

} // namespace kessory::Seats
