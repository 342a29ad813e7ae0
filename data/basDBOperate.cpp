#include "data/basDBOperate.h"

#include "data/BookExtensions.h"
#include "shell/Msg.h"
#include "shell/basSysFunction.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace basDBOperate {

QString strDBPath;
QString strSQL;
std::unique_ptr<kessory::Connection> cnnDB;
RecordsetPtr rsShared;
RecordsetPtr rsShared2;

bool funCheckDBFile()
{
    return funCheckDBFile(QCoreApplication::applicationDirPath());
}

bool funCheckDBFile(const QString& programFolder)
{
    strDBPath = programFolder + QStringLiteral("/DATA/DATA.DAT");
    // A program folder that ends in a separator (the filesystem root) must not give a doubled one.
    while (strDBPath.contains(QLatin1String("//")))
        strDBPath.replace(QLatin1String("//"), QLatin1String("/"));
    const QFileInfo info(strDBPath);
    if (info.exists() && info.isFile() && !info.isHidden())
        return true;
    kessory::Msg::show(QStringLiteral("缺少文件，系统无法运行."), QStringLiteral("错误"));
    basSysFunction::funExitSystem();
    return false;
}

bool funOpenDB(RecordsetPtr& rs)
{
    funCloseDB(rs);
    rsShared = std::make_shared<kessory::Recordset>();
    rsShared2 = std::make_shared<kessory::Recordset>();
    cnnDB = kessory::Connection::open(strDBPath);
    if (!cnnDB || !cnnDB->hasBookTables())
        return false;
    // A book that cannot take the later features' tables still opens: those features then find them missing.
    kessory::ensureExtensionTables(*cnnDB);
    return true;
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
    return cnnDB->execute(sql);
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
