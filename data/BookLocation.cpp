#include "data/BookLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace kessory {
namespace {

QString defaultFile(const QString& programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/DATA/DATA.DAT"));
}

} // namespace

QString bookSettingsPath(const QString& programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/DATA/kessory.conf"));
}

bool readBookLocation(const QString& programFolder, BookLocation* location, QString* error)
{
    *location = BookLocation {};
    location->file = defaultFile(programFolder);
    const QString path = bookSettingsPath(programFolder);
    if (!QFileInfo::exists(path))
        return true;
    const auto fail = [error, &path](const QString& why) {
        if (error)
            *error = QStringLiteral("账套配置文件 %1 有误：%2").arg(QDir::toNativeSeparators(path), why);
        return false;
    };
    QSettings conf(path, QSettings::IniFormat);
    if (conf.status() != QSettings::NoError)
        return fail(QStringLiteral("无法读取。"));
    conf.beginGroup(QStringLiteral("book"));
    const QString engine
        = conf.value(QStringLiteral("engine"), QStringLiteral("sqlite")).toString().trimmed().toLower();
    if (engine == QLatin1String("sqlite")) {
        const QString file = conf.value(QStringLiteral("file")).toString().trimmed();
        if (!file.isEmpty())
            location->file = QDir::cleanPath(QDir(programFolder + QStringLiteral("/DATA")).absoluteFilePath(file));
        return true;
    }
    if (engine != QLatin1String("postgresql"))
        return fail(QStringLiteral("engine 应为 sqlite 或 postgresql，而不是“%1”。").arg(engine));
    location->engine = Engine::Postgres;
    ServerBook& server = location->server;
    server.host = conf.value(QStringLiteral("host"), server.host).toString().trimmed();
    bool portOk = false;
    server.port = conf.value(QStringLiteral("port"), 5432).toString().trimmed().toInt(&portOk);
    if (!portOk || server.port < 1 || server.port > 65535)
        return fail(QStringLiteral("端口应为 1 到 65535 之间的数。"));
    server.database = conf.value(QStringLiteral("database")).toString().trimmed();
    server.user = conf.value(QStringLiteral("user")).toString().trimmed();
    server.schema = conf.value(QStringLiteral("schema"), server.schema).toString().trimmed();
    if (server.host.isEmpty() || server.database.isEmpty())
        return fail(QStringLiteral("缺少服务器地址（host）或数据库名（database）。"));
    if (conf.contains(QStringLiteral("password")))
        return fail(
            QStringLiteral("口令不能写在配置文件中，请删去 password 一行（口令放在 .pgpass 中，或启动时输入）。"));
    return true;
}

bool writeBookLocation(const QString& programFolder, const BookLocation& location, QString* error)
{
    const QString path = bookSettingsPath(programFolder);
    if (location.engine == Engine::Sqlite && QDir::cleanPath(location.file) == defaultFile(programFolder)) {
        if (QFileInfo::exists(path) && !QFile::remove(path)) {
            if (error)
                *error = QStringLiteral("无法删除账套配置文件 %1。").arg(QDir::toNativeSeparators(path));
            return false;
        }
        return true;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    {
        QSettings conf(path, QSettings::IniFormat);
        conf.beginGroup(QStringLiteral("book"));
        if (location.engine == Engine::Sqlite) {
            conf.setValue(QStringLiteral("engine"), QStringLiteral("sqlite"));
            conf.setValue(QStringLiteral("file"), location.file);
        } else {
            const ServerBook& s = location.server;
            conf.setValue(QStringLiteral("engine"), QStringLiteral("postgresql"));
            conf.setValue(QStringLiteral("host"), s.host);
            conf.setValue(QStringLiteral("port"), s.port);
            conf.setValue(QStringLiteral("database"), s.database);
            conf.setValue(QStringLiteral("user"), s.user);
            conf.setValue(QStringLiteral("schema"), s.schema);
        }
        conf.endGroup();
        conf.sync();
        if (conf.status() == QSettings::NoError)
            return true;
    }
    if (error)
        *error = QStringLiteral("无法写入账套配置文件 %1。").arg(QDir::toNativeSeparators(path));
    return false;
}

} // namespace kessory
