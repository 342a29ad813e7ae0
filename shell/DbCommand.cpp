#include "shell/DbCommand.h"

#include "data/BookCopy.h"
#include "data/BookExtensions.h"
#include "data/Connection.h"
#include "data/ServerBook.h"

#include <QFileInfo>

namespace kessory {
namespace {

constexpr const char* kUsage
    = "用法：kessory db init postgresql://用户@主机:端口/数据库[?schema=名称]\n"
      "      kessory db copy [--replace] 来源 目标（来源、目标为账簿文件或 postgresql:// 地址）";

bool isServer(const QString& where)
{
    return where.startsWith(QLatin1String("postgresql://")) || where.startsWith(QLatin1String("postgres://"));
}

QString quotedName(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// Connects to the server of a URL; with makeSchema, the URL's schema is created when missing.
std::unique_ptr<Connection> openServer(const QString& url, bool makeSchema, QString* message)
{
    QString why;
    const std::optional<ServerBook> book = ServerBook::fromUrl(url, &why);
    if (!book) {
        *message = why;
        return nullptr;
    }
    if (makeSchema && book->schema != QLatin1String("public")) {
        ServerBook plain = *book;
        plain.schema = QStringLiteral("public");
        std::unique_ptr<Connection> c = Connection::openServer(plain, &why);
        const QByteArray create = (QStringLiteral("CREATE SCHEMA IF NOT EXISTS ") + quotedName(book->schema)).toUtf8();
        if (!c || !c->exec(create.constData())) {
            *message = QStringLiteral("无法在服务器 %1 上建立 schema：%2")
                           .arg(book->label(), c ? c->lastError().message : why);
            return nullptr;
        }
    }
    std::unique_ptr<Connection> c = Connection::openServer(*book, &why);
    if (!c)
        *message = QStringLiteral("无法连接账簿服务器 %1：%2").arg(book->label(), why);
    return c;
}

// Whether a book holds vouchers or accounts (a target that does is not overwritten unless asked).
bool holdsBook(Connection& c)
{
    for (const char* table : { "记账凭证", "财务科目" }) {
        if (!hasTable(c, table))
            continue;
        Statement st = c.prepare(QStringLiteral("Select count(*) From ") + QString::fromUtf8(table));
        if (st.step() == 1 && st.columnInt64(0) > 0)
            return true;
    }
    return false;
}

int init(const QString& url, QString* message)
{
    if (!isServer(url)) {
        *message = QString::fromUtf8(kUsage);
        return 2;
    }
    std::unique_ptr<Connection> c = openServer(url, true, message);
    if (!c)
        return 1;
    if (hasTable(*c, "记账凭证")) {
        *message = QStringLiteral("服务器 %1 上已有账簿，未作改动。").arg(c->serverLabel());
        return 1;
    }
    if (!createServerTables(*c)) {
        *message = QStringLiteral("无法在服务器 %1 上建立账簿：%2").arg(c->serverLabel(), c->lastError().message);
        return 1;
    }
    *message = QStringLiteral("已在服务器 %1 上建立空账簿。").arg(c->serverLabel());
    return 0;
}

int copy(const QString& from, const QString& to, bool replace, QString* message)
{
    std::unique_ptr<Connection> source;
    if (isServer(from)) {
        source = openServer(from, false, message);
    } else if (QFileInfo(from).isFile()) {
        source = Connection::open(from);
        if (!source)
            *message = QStringLiteral("账簿文件 %1 无法打开。").arg(from);
    } else {
        *message = QStringLiteral("找不到账簿文件 %1。").arg(from);
    }
    if (!source)
        return 1;
    if (!source->missingBookColumns().isEmpty()) {
        *message = QStringLiteral("来源 %1 不是完整的账簿。").arg(from);
        return 1;
    }
    std::unique_ptr<Connection> target;
    if (isServer(to)) {
        target = openServer(to, true, message);
        if (target && !hasTable(*target, "科目版本") && !createServerTables(*target)) {
            *message = QStringLiteral("无法在服务器上建立账簿：") + target->lastError().message;
            return 1;
        }
    } else {
        QString why;
        if (!QFileInfo::exists(to) && !BookCopy::createBookFile(to, &why)) {
            *message = why;
            return 1;
        }
        target = Connection::open(to);
        if (target)
            ensureExtensionTables(*target);
        else
            *message = QStringLiteral("账簿文件 %1 无法打开。").arg(to);
    }
    if (!target)
        return 1;
    if (!replace && holdsBook(*target)) {
        *message = QStringLiteral("目标 %1 已有账簿（凭证或科目），未作改动；要覆盖它，请加 --replace。").arg(to);
        return 1;
    }
    const BookCopy::Outcome outcome = BookCopy::copy(*source, *target);
    if (!outcome.error.isEmpty()) {
        *message = QStringLiteral("复制失败，目标未作改动：") + outcome.error;
        return 1;
    }
    if (!outcome.ok) {
        *message = QStringLiteral("已复制 %1 行，但两边核对不一致：\n").arg(outcome.rows)
            + outcome.differences.join(QLatin1Char('\n'));
        return 1;
    }
    *message = QStringLiteral("已复制 %1 行，两边每张表和账簿合计核对一致。").arg(outcome.rows);
    return 0;
}

} // namespace

int runDbCommand(const QStringList& arguments, QString* message)
{
    QStringList args = arguments;
    const bool replace = args.removeAll(QStringLiteral("--replace")) > 0;
    if (args.size() == 2 && args[0] == QLatin1String("init") && !replace)
        return init(args[1], message);
    if (args.size() == 3 && args[0] == QLatin1String("copy"))
        return copy(args[1], args[2], replace, message);
    *message = QString::fromUtf8(kUsage);
    return 2;
}

} // namespace kessory
