#include "data/ServerBook.h"

#include <QUrl>
#include <QUrlQuery>

namespace kessory {

QString ServerBook::url() const
{
    QUrl u;
    u.setScheme(QStringLiteral("postgresql"));
    u.setHost(host);
    u.setPort(port);
    u.setUserName(user);
    u.setPath(QLatin1Char('/') + database);
    if (!schema.isEmpty() && schema != QLatin1String("public"))
        u.setQuery(QStringLiteral("schema=") + QString::fromLatin1(QUrl::toPercentEncoding(schema)));
    return u.toString(QUrl::FullyEncoded);
}

std::optional<ServerBook> ServerBook::fromUrl(const QString& text, QString* error)
{
    const auto fail = [error](const QString& why) -> std::optional<ServerBook> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QUrl u(text.trimmed(), QUrl::StrictMode);
    if (!u.isValid() || (u.scheme() != QLatin1String("postgresql") && u.scheme() != QLatin1String("postgres")))
        return fail(QStringLiteral("不是 PostgreSQL 连接地址：") + text
                    + QStringLiteral("（应为 postgresql://用户@主机:端口/数据库）"));
    ServerBook book;
    if (!u.host().isEmpty())
        book.host = u.host();
    book.port = u.port(5432);
    book.user = u.userName();
    book.password = u.password();
    book.database = u.path().mid(1);
    if (book.database.isEmpty() || book.database.contains(QLatin1Char('/')))
        return fail(QStringLiteral("连接地址中没有数据库名：") + text);
    const QUrlQuery query(u);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key != QLatin1String("schema") || value.isEmpty())
            return fail(QStringLiteral("连接地址中有无法识别的参数：") + key);
        book.schema = value;
    }
    return book;
}

QString ServerBook::label() const
{
    QString text = (user.isEmpty() ? QString() : user + QLatin1Char('@')) + host + QLatin1Char(':')
        + QString::number(port) + QLatin1Char('/') + database;
    if (!schema.isEmpty() && schema != QLatin1String("public"))
        text += QLatin1Char('/') + schema;
    return text;
}

} // namespace kessory
