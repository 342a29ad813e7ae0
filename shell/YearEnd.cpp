#include "shell/YearEnd.h"

#include "data/BookAccess.h"
#include "data/BookCopy.h"
#include "data/BookExtensions.h"
#include "data/BookSettings.h"
#include "data/ChangeLog.h"
#include "data/Connection.h"
#include "data/Seats.h"
#include "data/basDBOperate.h"
#include "shell/Operators.h"
#include "vouchers/BookBalances.h"
#include "vouchers/PeriodClose.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <filesystem>
#include <sqlite3.h>

Q_LOGGING_CATEGORY(lcYearEnd, "kessory.yearend")

namespace kessory::YearEnd {

namespace {

const QString kBookName = QStringLiteral("DATA.DAT");

// The current year's book always lies beside the kept years, whichever of them is open.
QString currentBookPath()
{
    return QFileInfo(basDBOperate::strDBPath).absolutePath() + u'/' + kBookName;
}

// Copies the whole open book into a new file at path with SQLite's online backup; false on any failure.
bool copyBook(Connection* source, const QString& path)
{
    QFile::remove(path);
    sqlite3* target = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        sqlite3_close(target);
        return false;
    }
    bool ok = false;
    if (sqlite3_backup* backup = sqlite3_backup_init(target, "main", source->handle(), "main")) {
        ok = sqlite3_backup_step(backup, -1) == SQLITE_DONE;
        ok = sqlite3_backup_finish(backup) == SQLITE_OK && ok;
    }
    ok = sqlite3_close(target) == SQLITE_OK && ok;
    if (!ok) {
        qCWarning(lcYearEnd) << "copy of the book to" << path << "failed";
        QFile::remove(path);
    }
    return ok;
}

bool renameOver(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()), std::filesystem::path(to.toStdU16String()),
                            error);
    if (error)
        qCWarning(lcYearEnd) << "rename" << from << "to" << to << "failed:" << error.message().c_str();
    return !error;
}

bool runStatement(Connection& c, const QString& sql, std::initializer_list<QVariant> values = {})
{
    Statement st = c.prepare(sql);
    int i = 1;
    for (const QVariant& v : values)
        st.bind(i++, v);
    return st.valid() && st.step() == 0;
}

// Numbers a table's new rows from 1 again.
bool restartNumbering(Connection& c, const char* table, const char* column)
{
    Statement st = c.engine() == Engine::Postgres
        ? c.prepareNative(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, ?), 1, false)"))
        : c.prepareNative(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ? AND ? IS NOT NULL"));
    st.bind(1, QString::fromUtf8(table));
    st.bind(2, QString::fromUtf8(column));
    return st.valid() && st.step() >= 0;
}

// Inside the caller's transaction: the book's rows of the closed year go, the next year's settings and openings
// come in.
bool clearForNextYear(Connection& c, int nextYear, const std::map<QString, qint64>& openings)
{
    bool ok = runStatement(c, QStringLiteral("Delete From 记账凭证内容"))
        && runStatement(c, QStringLiteral("Delete From 记账凭证"))
        && runStatement(c, QStringLiteral("Delete From 已结账月份"))
        && runStatement(c, QStringLiteral("Delete From 期初余额"))
        && runStatement(c,
                        QStringLiteral("Insert Into 账套设置 (项目, 值) Values ('会计年度', ?) "
                                       "On Conflict (项目) Do Update Set 值 = excluded.值"),
                        { QString::number(nextYear) });
    // Voucher ids start again from 1 in the new year.
    ok = ok && restartNumbering(c, "记账凭证", "编号");
    for (const auto& [code, cents] : openings) {
        if (!ok)
            break;
        ok = runStatement(c, QStringLiteral("Insert Into 期初余额 (科目编号, 余额) Values (?, ?)"), { code, cents });
    }
    // The new year's change log starts afresh (the closed year keeps its own, whole, in the kept file).
    if (ok && hasTable(c, "操作日志"))
        ok = runStatement(c, QStringLiteral("Delete From 操作日志")) && restartNumbering(c, "操作日志", "序号");
    return ok;
}

ChangeLog::Entry yearEndEntry(int nextYear)
{
    return { QStringLiteral("年结"), ChangeLog::kBook, QString::number(nextYear),
             QStringLiteral("由%1年结转").arg(nextYear - 1), QString() };
}

// Turns the copy at path into the next year's book.
bool makeNextYear(const QString& path, int nextYear, const std::map<QString, qint64>& openings)
{
    std::unique_ptr<Connection> c = Connection::open(path);
    if (!c)
        return false;
    bool ok = false;
    {
        Transaction tx(c.get());
        ok = tx.active() && clearForNextYear(*c, nextYear, openings) && tx.commit();
    }
    // It registers the chart the new year starts with, then the year end itself.
    ok = ok && ChangeLog::registerBaseline(*c) && ChangeLog::append(*c, yearEndEntry(nextYear));
    // The deleted vouchers' pages are given back, so the new year starts small.
    ok = ok && c->exec("VACUUM");
    return ok;
}

Result reopenCurrent(const QString& path)
{
    basDBOperate::strDBPath = path;
    basDBOperate::RecordsetPtr rs;
    if (!basDBOperate::funOpenDB(rs))
        return { false, QStringLiteral("本年账簿无法打开：%1").arg(QDir::toNativeSeparators(path)) };
    return { true, QString() };
}

// The change log of the next year on a server book, inside the year end's transaction: the chart it starts with,
// then the year end itself.
bool startNextYearsLog(Connection& c, int nextYear)
{
    if (!hasTable(c, "操作日志"))
        return true;
    QStringList accounts;
    {
        Statement acc = c.prepare(QStringLiteral("Select 科目编号 From 财务科目 Order By 科目编号"));
        while (acc.valid() && acc.step() == 1)
            accounts << acc.column(0).toString();
    }
    for (const QString& code : accounts) {
        if (!ChangeLog::appendAccount(c, QStringLiteral("登记"), code))
            return false;
    }
    return ChangeLog::append(c, { QStringLiteral("启用日志"), ChangeLog::kBook, QString(), QString(), QString() })
        && ChangeLog::append(c, yearEndEntry(nextYear));
}

// The year end of a book on a server: the closed year is kept as a book file beside the program (the server keeps
// one book per schema), and the server book becomes the next year's inside one transaction that holds the book
// against every other seat from the checks to the end.
Result runOnServer(Connection* connection)
{
    Transaction tx(connection, Transaction::Wait::Never);
    if (tx.otherSeatWriting())
        return { false, Seats::busyMessage(*connection, QStringLiteral("年结")) };
    if (!tx.active())
        return { false, QStringLiteral("年结失败，账簿未作任何改动：账簿服务器无法写入。") };
    if (const QString refused = blocker(connection); !refused.isEmpty())
        return { false, refused };
    const int year = BookSettings::bookYear(connection);
    const QString kept = keptPath(year);
    const QString keptTemp = kept + QStringLiteral(".tmp");
    const std::map<QString, qint64> openings = carriedOpenings(connection);
    const auto undo = [&](const QString& why) {
        QFile::remove(keptTemp);
        return Result { false, QStringLiteral("年结失败，账簿未作任何改动：%1").arg(why) };
    };
    QString why;
    if (!BookCopy::createBookFile(keptTemp, &why))
        return undo(QStringLiteral("无法保存%1年账簿：%2").arg(year).arg(why));
    {
        std::unique_ptr<Connection> file = Connection::open(keptTemp);
        const BookCopy::Outcome copied = file ? BookCopy::copy(*connection, *file)
                                              : BookCopy::Outcome { false, QStringLiteral("无法打开。"), {}, 0 };
        if (!copied.ok) {
            file.reset();
            return undo(
                QStringLiteral("无法保存%1年账簿：%2").arg(year).arg(copied.error + copied.differences.join(u'\n')));
        }
    }
    if (!renameOver(keptTemp, kept))
        return undo(QStringLiteral("无法保存%1年账簿。").arg(year));
    if (!clearForNextYear(*connection, year + 1, openings) || !startNextYearsLog(*connection, year + 1)
        || !tx.commit()) {
        tx.rollback();
        QFile::remove(kept);
        return undo(QStringLiteral("无法建立%1年账簿：%2").arg(year + 1).arg(connection->lastError().message));
    }
    // The windows' shared recordsets start afresh on the new year.
    const Result reopened = reopenCurrent(basDBOperate::strDBPath);
    if (!reopened.ok)
        return reopened;
    return { true,
             QStringLiteral("年结完成：账簿服务器上已建立%1年账簿，%2年账簿保存为 %3。")
                 .arg(year + 1)
                 .arg(year)
                 .arg(QDir::toNativeSeparators(kept)) };
}

} // namespace

std::map<QString, qint64> carriedOpenings(Connection* connection)
{
    std::map<QString, qint64> result;
    const BookBalances::Chart chart(connection);
    for (const auto& [code, cents] : BookBalances::closing(connection, 12)) {
        if (cents != 0 && BookBalances::carriesForward(chart.kindOf(code)))
            result[code] = cents;
    }
    return result;
}

QString blocker(Connection* connection)
{
    if (!connection)
        return QStringLiteral("没有打开的账簿。");
    const QString keptYear = BookAccess::writeRefusal(connection);
    if (!keptYear.isEmpty())
        return keptYear;
    if (viewedYear() != 0 || BookAccess::isReadOnly(connection))
        return QStringLiteral("数据文件为只读，不能年结。");
    const int year = BookSettings::bookYear(connection);
    if (PeriodClose::lastClosedMonth(connection) < 12)
        return QStringLiteral("%1年12月尚未结账，不能年结。请先将各月结账。").arg(year);
    const BookBalances::Chart chart(connection);
    QStringList left;
    for (const auto& [code, cents] : BookBalances::closing(connection, 12)) {
        if (cents != 0 && chart.kindOf(code) == BookBalances::Kind::ProfitLoss)
            left << QStringLiteral("%1 %2").arg(code, chart.nameOf(code));
    }
    if (!left.isEmpty())
        return QStringLiteral("损益类科目尚有余额，请先反结账、结转损益后再结账：\n") + left.join(u'\n');
    if (QFileInfo::exists(keptPath(year + 1)))
        return QStringLiteral("已存在%1年的往年账簿文件，不能再建立%1年账簿。").arg(year + 1);
    return {};
}

Result run()
{
    Connection* connection = basDBOperate::cnnDB.get();
    const QString refused = blocker(connection);
    if (!refused.isEmpty())
        return { false, refused };
    if (const QString role = Operators::refusal(Operators::Action::CloseMonths); !role.isEmpty())
        return { false, role };
    if (connection->engine() == Engine::Postgres)
        return runOnServer(connection);
    const int year = BookSettings::bookYear(connection);
    const QString book = basDBOperate::strDBPath;
    const QString kept = keptPath(year);
    const QString keptTemp = kept + QStringLiteral(".tmp");
    const QString next = book + QStringLiteral(".new");
    const std::map<QString, qint64> openings = carriedOpenings(connection);

    const auto undo = [&](const QString& why) {
        QFile::remove(keptTemp);
        QFile::remove(next);
        return Result { false, QStringLiteral("年结失败，账簿未作任何改动：%1").arg(why) };
    };
    // The closed year first, whole; an earlier attempt that stopped half-way may have left a copy, which this one
    // replaces (DATA.DAT still holds that year, so it is the true book).
    if (!copyBook(connection, keptTemp) || !renameOver(keptTemp, kept))
        return undo(QStringLiteral("无法保存%1年账簿。").arg(year));
    if (!copyBook(connection, next) || !makeNextYear(next, year + 1, openings)) {
        QFile::remove(kept);
        return undo(QStringLiteral("无法建立%1年账簿。").arg(year + 1));
    }
    basDBOperate::RecordsetPtr rs;
    basDBOperate::funCloseDB(rs);
    if (!renameOver(next, book)) {
        QFile::remove(kept);
        const Result failed = undo(QStringLiteral("无法替换账簿文件。"));
        reopenCurrent(book);
        return failed;
    }
    const Result reopened = reopenCurrent(book);
    if (!reopened.ok)
        return reopened;
    return { true,
             QStringLiteral("年结完成：已建立%1年账簿，%2年账簿保存为 %3。")
                 .arg(year + 1)
                 .arg(year)
                 .arg(QDir::toNativeSeparators(kept)) };
}

QString keptPath(int year)
{
    return QFileInfo(currentBookPath()).absolutePath() + QStringLiteral("/%1.DAT").arg(year);
}

QList<int> keptYears()
{
    QList<int> years;
    const QDir folder(QFileInfo(currentBookPath()).absolutePath());
    for (const QString& name :
         folder.entryList({ QStringLiteral("*.DAT") }, QDir::Files, QDir::Name | QDir::Reversed)) {
        bool ok = false;
        const int year = QFileInfo(name).completeBaseName().toInt(&ok);
        if (ok && name.size() == 8 && year >= 1900 && year <= 9999)
            years << year;
    }
    return years;
}

Result openPastYear(int year)
{
    const QString current = currentBookPath();
    const QString path = keptPath(year);
    if (!QFileInfo(path).isFile())
        return { false, QStringLiteral("找不到%1年的账簿文件：%2").arg(year).arg(QDir::toNativeSeparators(path)) };
    // A kept year is a book file, also when the current book is on a server (the open takes any other path than the
    // book's own as a file).
    basDBOperate::strDBPath = path;
    basDBOperate::RecordsetPtr rs;
    if (!basDBOperate::funOpenDB(rs) || !BookAccess::makeReadOnly(basDBOperate::cnnDB.get())) {
        const Result back = reopenCurrent(current);
        return { false, QStringLiteral("%1年的账簿无法打开。").arg(year) + (back.ok ? QString() : back.message) };
    }
    return { true, QStringLiteral("已打开%1年账簿（只读）。").arg(year) };
}

Result returnToCurrentYear()
{
    if (viewedYear() == 0)
        return { true, QString() };
    return reopenCurrent(currentBookPath());
}

int viewedYear()
{
    const QFileInfo open(basDBOperate::strDBPath);
    if (basDBOperate::strDBPath.isEmpty() || open.fileName() == kBookName)
        return 0;
    return open.completeBaseName().toInt();
}

} // namespace kessory::YearEnd
