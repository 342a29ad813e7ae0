#include "data/ServerProbe.h"

#include "data/BookExtensions.h"
#include "data/Connection.h"

namespace kessory {

ServerProbe probeServerBook(const ServerBook& book)
{
    QString why;
    bool needsPassword = false;
    const std::unique_ptr<Connection> c = Connection::openServer(book, &why, &needsPassword);
    if (!c && needsPassword)
        return { ServerProbe::Kind::NeedsPassword, QString() };
    if (!c)
        return { ServerProbe::Kind::Failed, QStringLiteral("无法连接账簿服务器 %1：\n%2").arg(book.label(), why) };
    if (!hasTable(*c, "记账凭证"))
        return { ServerProbe::Kind::NoBook,
                 QStringLiteral("连接成功，但 %1 上还没有账簿。\n请先用 kessory db init 或 kessory db copy 建立。")
                     .arg(book.label()) };
    return { ServerProbe::Kind::Book, QStringLiteral("连接成功：%1 上有账簿。").arg(book.label()) };
}

} // namespace kessory
