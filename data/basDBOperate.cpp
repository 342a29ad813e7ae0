#include "data/basDBOperate.h"

#include "data/BookExtensions.h"
#include "data/DataLog.h"

#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

namespace basDBOperate {

QString strDBPath;
QString strProgramFolder;
kessory::BookLocation bookLocation;
QString strSQL;
std::unique_ptr<kessory::Connection> cnnDB;
RecordsetPtr rsShared;
RecordsetPtr rsShared2;

namespace {

QString openFailure;
bool openNeedsPassword = false;

} // namespace

bool locateDBFile(const QString& programFolder)
{
    openFailure.clear();
    strProgramFolder = programFolder;
    const QString password = bookLocation.server.password;
    if (!kessory::readBookLocation(programFolder, &bookLocation, &openFailure)) {
        strDBPath = programFolder + QStringLiteral("/DATA/DATA.DAT");
        return false;
    }
    bookLocation.server.password = password;
    strDBPath = bookLocation.file;
    // A program folder that ends in a separator (the filesystem root) must not give a doubled one.
    while (strDBPath.contains(QLatin1String("//")))
        strDBPath.replace(QLatin1String("//"), QLatin1String("/"));
    if (bookLocation.engine == kessory::Engine::Postgres)
        return true;
    const QFileInfo info(strDBPath);
    return info.exists() && info.isFile() && !info.isHidden();
}

namespace {

bool refuse(const QString& why)
{
    openFailure = why;
    return false;
}

bool checkBook()
{
    const QStringList missing = cnnDB->missingBookColumns();
    if (cnnDB->engine() == kessory::Engine::Postgres && missing.contains(QStringLiteral("记账凭证")))
        return refuse(QStringLiteral("账簿服务器 %1 上还没有账簿，请先用 kessory db init 或 kessory db copy 建立。")
                          .arg(cnnDB->serverLabel()));
    if (!missing.isEmpty())
        return refuse(QStringLiteral("数据文件缺少 ") + missing.join(QStringLiteral("、"))
                      + QStringLiteral("，系统无法运行."));
    // A book that cannot take the later features' tables still opens: those features then find them missing.
    kessory::ensureExtensionTables(*cnnDB);
    return true;
}

} // namespace

bool funOpenDB(RecordsetPtr& rs)
{
    funCloseDB(rs);
    rsShared = std::make_shared<kessory::Recordset>();
    rsShared2 = std::make_shared<kessory::Recordset>();
    openFailure.clear();
    openNeedsPassword = false;
    const QString cannotOpen = QStringLiteral("数据文件无法打开，系统无法运行.");
    kessory::setDataLogFile(QFileInfo(strDBPath).absolutePath() + QStringLiteral("/kessory.log"));
    // A kept year is a file beside the book even when the book itself is on a server.
    const bool keptYear = QFileInfo(strDBPath).absoluteFilePath() != QFileInfo(bookLocation.file).absoluteFilePath();
    if (bookLocation.engine == kessory::Engine::Postgres && !keptYear) {
        QString why;
        cnnDB = kessory::Connection::openServer(bookLocation.server, &why, &openNeedsPassword);
        if (!cnnDB)
            return refuse(QStringLiteral("无法连接账簿服务器 %1：%2").arg(bookLocation.server.label(), why));
        return checkBook();
    }
    cnnDB = kessory::Connection::open(strDBPath);
    if (!cnnDB)
        return refuse(cannotOpen);
    // A file another program holds locked is waited for (the connection's busy timeout) before it is given up.
    kessory::Statement probe = cnnDB->prepare(QStringLiteral("Select count(*) From sqlite_master"));
    if (!probe.valid() || probe.step() < 0) {
        const int code = cnnDB->lastError().code & 0xff;
        return refuse(code == SQLITE_BUSY || code == SQLITE_LOCKED
                          ? QStringLiteral("数据文件正被其他程序使用，请稍后再试。")
                          : cannotOpen);
    }
    probe.release();
    return checkBook();
}

bool funOpenRecordset(const QString& sql, RecordsetPtr& rs)
{
    if (!rs) {
        if (!rsShared)
            rsShared = std::make_shared<kessory::Recordset>();
        rs = rsShared;
    }
    rs->close();
    if (!rs->open(cnnDB.get(), sql))
        return false;
    if (rs->eof())
        return false;
    rs->moveFirst();
    return true;
}

bool funOpenRecordset(const kessory::SqlCommand& command, RecordsetPtr& rs)
{
    if (!rs) {
        if (!rsShared)
            rsShared = std::make_shared<kessory::Recordset>();
        rs = rsShared;
    }
    rs->close();
    if (!rs->open(cnnDB.get(), command))
        return false;
    if (rs->eof())
        return false;
    rs->moveFirst();
    return true;
}

QString funOpenFailureText()
{
    return openFailure;
}

bool funOpenNeedsPassword()
{
    return openNeedsPassword;
}

int funExecute(const kessory::SqlCommand& command)
{
    return cnnDB ? cnnDB->execute(command) : -1;
}

bool funOpenRecordset(const QString& sql)
{
    RecordsetPtr rs;
    return funOpenRecordset(sql, rs);
}

int funExecuteSQL(const QString& sql, RecordsetPtr& rs)
{
    if (!rs) {
        if (!rsShared)
            rsShared = std::make_shared<kessory::Recordset>();
        rs = rsShared;
    }
    rs->close();
    if (!cnnDB)
        return 0;
    // Callers tell failure by 0, as they always have.
    return std::max(0, cnnDB->execute(sql));
}

int funExecuteSQL(const QString& sql)
{
    RecordsetPtr rs;
    return funExecuteSQL(sql, rs);
}

void funCloseDB(RecordsetPtr& rs)
{
    if (rs)
        rs->close();
    if (rsShared)
        rsShared->close();
    if (rsShared2)
        rsShared2->close();
    rs.reset();
    rsShared.reset();
    rsShared2.reset();
    cnnDB.reset();
}

RecordsetPtr funNewRecordset()
{
    return std::make_shared<kessory::Recordset>();
}

} // namespace basDBOperate
