#include "data/Backups.h"

#include "data/BookCopy.h"
#include "data/BookSettings.h"
#include "data/Connection.h"
#include "shell/Clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace kessory::Backups {
namespace {

const QString kPrefix = QStringLiteral("DATA-");
const QString kSuffix = QStringLiteral(".DAT");
const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss");

QDateTime stampOf(const QString& fileName)
{
    if (!fileName.startsWith(kPrefix) || !fileName.endsWith(kSuffix, Qt::CaseInsensitive))
        return {};
    return QDateTime::fromString(fileName.mid(kPrefix.size(), kStampFormat.size()), kStampFormat);
}

// Opens a file read-only, without creating it; nullptr when it cannot be opened.
sqlite3* openReadOnly(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

qint64 voucherCount(sqlite3* db)
{
    sqlite3_stmt* st = nullptr;
    qint64 n = -1;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM 记账凭证", -1, &st, nullptr) == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW)
        n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return n;
}

// Copies every page of source into target in one step; an SQLite error text or empty.
QString copyPages(sqlite3* target, sqlite3* source)
{
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup)
        return QString::fromUtf8(sqlite3_errmsg(target));
    const int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        return QString::fromUtf8(sqlite3_errstr(rc));
    const int err = sqlite3_errcode(target);
    return err == SQLITE_OK || err == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(target));
}

// Copies a server book into a new book file at path (made here); an error text or empty.
QString copyServerBook(Connection& source, const QString& path)
{
    QString error;
    if (!BookCopy::createBookFile(path, &error))
        return error;
    std::unique_ptr<Connection> target = Connection::open(path);
    if (!target)
        return QStringLiteral("无法打开新的备份文件");
    const BookCopy::Outcome copied = BookCopy::copy(source, *target);
    if (!copied.ok)
        return copied.error.isEmpty() ? copied.differences.join(QStringLiteral("；")) : copied.error;
    return {};
}

} // namespace

QString folderOf(const QString& bookPath)
{
    return QFileInfo(bookPath).absolutePath() + QStringLiteral("/backup");
}

QList<Info> list(const QString& bookPath, bool withCounts)
{
    QList<Info> out;
    const QDir dir(folderOf(bookPath));
    for (const QFileInfo& f : dir.entryInfoList({ kPrefix + QStringLiteral("*") + kSuffix }, QDir::Files)) {
        const QDateTime made = stampOf(f.fileName());
        if (!made.isValid())
            continue;
        Info info { f.absoluteFilePath(), made, -1 };
        if (withCounts) {
            if (sqlite3* db = openReadOnly(info.path)) {
                info.vouchers = voucherCount(db);
                sqlite3_close(db);
            }
        }
        out << info;
    }
    std::sort(out.begin(), out.end(),
              [](const Info& a, const Info& b) { return a.made != b.made ? a.made > b.made : a.path > b.path; });
    return out;
}

int keepCount(Connection* connection)
{
    bool ok = false;
    const int n = BookSettings::value(connection, QStringLiteral("备份保留数")).trimmed().toInt(&ok);
    return ok && n > 0 ? n : kDefaultKeep;
}

QString make(Connection* source, const QString& bookPath, int keep, QString* why)
{
    const auto fail = [why](const QString& text) {
        if (why)
            *why = text;
        return QString();
    };
    if (!source)
        return fail(QStringLiteral("账簿未打开。"));
    const QString folder = folderOf(bookPath);
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("无法建立备份文件夹 %1。").arg(QDir::toNativeSeparators(folder)));
    QDateTime when = Clock::now();
    QString path;
    for (int i = 0; i < 3600; ++i, when = when.addSecs(1)) {
        path = folder + QLatin1Char('/') + kPrefix + when.toString(kStampFormat) + kSuffix;
        if (!QFileInfo::exists(path))
            break;
    }
    // Written under a temporary name and renamed when whole: a failed copy never looks like a backup.
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    QString error;
    if (source->engine() == Engine::Postgres) {
        error = copyServerBook(*source, partial);
    } else {
        sqlite3* target = nullptr;
        if (sqlite3_open_v2(partial.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
            != SQLITE_OK) {
            sqlite3_close(target);
            QFile::remove(partial);
            return fail(QStringLiteral("无法写入备份文件 %1。").arg(QDir::toNativeSeparators(path)));
        }
        error = copyPages(target, source->handle());
        sqlite3_close(target);
    }
    if (!error.isEmpty() || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        return fail(QStringLiteral("无法写入备份文件 %1：%2")
                        .arg(QDir::toNativeSeparators(path), error.isEmpty() ? QStringLiteral("改名失败") : error));
    }
    const QList<Info> all = list(bookPath);
    for (int i = std::max(keep, 1); i < all.size(); ++i)
        QFile::remove(all[i].path);
    return path;
}

bool due(const QString& bookPath)
{
    const QList<Info> all = list(bookPath);
    if (all.isEmpty())
        return true;
    return all.first().made.secsTo(Clock::now()) >= 24 * 3600;
}

QString check(const QString& path)
{
    sqlite3* db = openReadOnly(path);
    if (!db)
        return QStringLiteral("无法打开该文件。");
    QString problem;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) != SQLITE_OK) {
        problem = QStringLiteral("该文件不是账簿数据库。");
    } else {
        const int rc = sqlite3_step(st);
        const QString first = rc == SQLITE_ROW
            ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
            : QString::fromUtf8(sqlite3_errmsg(db));
        if (first != QLatin1String("ok"))
            problem = QStringLiteral("文件已损坏（%1）。").arg(first);
    }
    sqlite3_finalize(st);
    if (problem.isEmpty()) {
        QStringList missing;
        for (const char* table : { "记账凭证", "记账凭证内容", "财务科目", "财务科目类别", "部门分类", "损益表",
                                   "现金流量表", "资产负债表" }) {
            sqlite3_stmt* t = nullptr;
            bool found = false;
            if (sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1", -1, &t,
                                   nullptr)
                == SQLITE_OK) {
                sqlite3_bind_text(t, 1, table, -1, SQLITE_STATIC);
                found = sqlite3_step(t) == SQLITE_ROW;
            }
            sqlite3_finalize(t);
            if (!found)
                missing << QString::fromUtf8(table);
        }
        if (!missing.isEmpty())
            problem = QStringLiteral("缺少数据表：%1。").arg(missing.join(QStringLiteral("、")));
    }
    sqlite3_close(db);
    return problem;
}

QString restoreInto(Connection* target, const QString& backupPath)
{
    if (!target)
        return QStringLiteral("账簿未打开。");
    if (const QString problem = check(backupPath); !problem.isEmpty())
        return problem;
    if (target->engine() == Engine::Postgres) {
        std::unique_ptr<Connection> source = Connection::open(backupPath);
        if (!source)
            return QStringLiteral("无法打开该文件。");
        const BookCopy::Outcome copied = BookCopy::copy(*source, *target);
        if (copied.ok)
            return {};
        return QStringLiteral("恢复失败：%1")
            .arg(copied.error.isEmpty() ? copied.differences.join(QStringLiteral("；")) : copied.error);
    }
    sqlite3* source = openReadOnly(backupPath);
    if (!source)
        return QStringLiteral("无法打开该文件。");
    const QString error = copyPages(target->handle(), source);
    sqlite3_close(source);
    return error.isEmpty() ? QString() : QStringLiteral("恢复失败：%1").arg(error);
}

} // namespace kessory::Backups
