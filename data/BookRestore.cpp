#include "data/BookRestore.h"

#include "data/Backups.h"
#include "data/basDBOperate.h"

#include <QDir>

namespace kessory::BookRestore {

QString backupNow(QString* why)
{
    if (!basDBOperate::cnnDB) {
        if (why)
            *why = QStringLiteral("账簿未打开。");
        return {};
    }
    return Backups::make(basDBOperate::cnnDB.get(), basDBOperate::strDBPath,
                         Backups::keepCount(basDBOperate::cnnDB.get()), why);
}

QString backupAtStart()
{
    if (!Backups::due(basDBOperate::strDBPath))
        return {};
    QString why;
    if (backupNow(&why).isEmpty())
        return why.isEmpty() ? QStringLiteral("无法写入备份。") : why;
    return {};
}

QString restore(const QString& backupPath)
{
    if (!basDBOperate::cnnDB)
        return QStringLiteral("账簿未打开。");
    if (const QString problem = Backups::check(backupPath); !problem.isEmpty())
        return QStringLiteral("所选备份不能使用：%1").arg(problem);
    QString why;
    if (backupNow(&why).isEmpty())
        return QStringLiteral("当前账簿备份失败，未恢复：%1").arg(why);
    const QString error = Backups::restoreInto(basDBOperate::cnnDB.get(), backupPath);
    // The connection is opened afresh either way: no statement prepared on the old content survives.
    basDBOperate::RecordsetPtr rs;
    const bool reopened = basDBOperate::funOpenDB(rs);
    if (!error.isEmpty())
        return error;
    return reopened ? QString() : QStringLiteral("恢复后账簿无法打开。");
}

} // namespace kessory::BookRestore
