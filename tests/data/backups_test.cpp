// Backups of the book and their restore.
#include "data/Backups.h"
#include "data/BookCopy.h"
#include "data/BookRestore.h"
#include "data/BookSettings.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "tests/support/TestDb.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace kessory;
using kessory::test::TestDb;

namespace {

// Every table of a file with every row, in a fixed order: two files with the same dump hold the same book.
QStringList dump(const QString& path)
{
    QStringList out;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    QStringList tables;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT name, sql FROM sqlite_master ORDER BY name", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    for (const QString& t : tables) {
        if (sqlite3_prepare_v2(db, QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1, 2").arg(t).toUtf8().constData(), -1,
                               &st, nullptr)
            != SQLITE_OK)
            continue; // an index
        while (sqlite3_step(st) == SQLITE_ROW) {
            QString row = t;
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                row += QLatin1Char('|') + QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
            out << row;
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

// What differs between a backup file and the open book (on either engine); empty when they hold the same book.
QStringList differencesFrom(const QString& backup)
{
    std::unique_ptr<Connection> file = Connection::open(backup);
    if (!file)
        return { QStringLiteral("cannot open ") + backup };
    return BookCopy::compare(*file, *basDBOperate::cnnDB);
}

class BackupsTest : public ::testing::Test {
protected:
    void SetUp() override { Clock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 30, 0))); }
    TestDb db { TestDb::Rows::Sample };
};

} // namespace

TEST_F(BackupsTest, ABackupIsDueDailyAndTheNewestAreKept)
{
    EXPECT_TRUE(Backups::due(db.dataFile()));
    EXPECT_EQ(BookRestore::backupAtStart(), QString());
    const QList<Backups::Info> one = Backups::list(db.dataFile(), true);
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(QFileInfo(one[0].path).fileName(), QStringLiteral("DATA-20260315-103000.DAT"));
    EXPECT_EQ(one[0].vouchers, db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")).toLongLong());

    Clock::setNow(QDateTime(QDate(2026, 3, 16), QTime(10, 29, 59)));
    EXPECT_FALSE(Backups::due(db.dataFile()));
    Clock::setNow(QDateTime(QDate(2026, 3, 16), QTime(10, 30, 0)));
    EXPECT_TRUE(Backups::due(db.dataFile()));

    ASSERT_TRUE(BookSettings::setValue(basDBOperate::cnnDB.get(), QStringLiteral("备份保留数"), QStringLiteral("2")));
    for (int i = 0; i < 3; ++i) {
        QString why;
        EXPECT_FALSE(BookRestore::backupNow(&why).isEmpty()) << why.toStdString();
    }
    const QList<Backups::Info> kept = Backups::list(db.dataFile());
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(QFileInfo(kept[0].path).fileName(), QStringLiteral("DATA-20260316-103002.DAT"));
}

TEST_F(BackupsTest, ABackupThatCannotBeWrittenIsSaidAndChangesNothing)
{
    // A file where the backup folder should be.
    QFile blocker(Backups::folderOf(db.dataFile()));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString why = BookRestore::backupAtStart();
    EXPECT_TRUE(why.contains(QStringLiteral("无法建立备份文件夹"))) << why.toStdString();
    EXPECT_TRUE(Backups::list(db.dataFile()).isEmpty());
}

TEST_F(BackupsTest, ARestoreBringsBackExactlyTheBackedUpBook)
{
    // A book file's backup is the file page for page; a server book's holds the same rows.
    const bool file = !test::onServer();
    QString why;
    const QString backup = BookRestore::backupNow(&why);
    ASSERT_FALSE(backup.isEmpty()) << why.toStdString();
    const QStringList saved = dump(backup);
    if (file) {
        ASSERT_EQ(saved, dump(db.dataFile()));
    }
    ASSERT_EQ(differencesFrom(backup), QStringList());

    db.exec(QStringLiteral("DELETE FROM 记账凭证内容 WHERE 编号 IN (SELECT 编号 FROM 记账凭证 WHERE 凭证号码 < 5)"));
    db.exec(QStringLiteral("UPDATE 财务科目 SET 科目名称 = '改过' WHERE 科目编号 = '101'"));
    db.exec(QStringLiteral("CREATE TABLE 多余 (x integer)"));
    const QString changedLines = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容"));
    const QStringList changed = file ? dump(db.dataFile()) : QStringList();
    ASSERT_NE(differencesFrom(backup), QStringList());

    Clock::setNow(QDateTime(QDate(2026, 3, 15), QTime(11, 0, 0)));
    ASSERT_EQ(BookRestore::restore(backup), QString());
    if (file) {
        EXPECT_EQ(dump(db.dataFile()), saved);
    }
    EXPECT_EQ(differencesFrom(backup), QStringList());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT 科目名称 FROM 财务科目 WHERE 科目编号 = '101'")),
              QStringLiteral("现金"));
    // The book as it was before the restore is kept as a backup of its own.
    const QList<Backups::Info> all = Backups::list(db.dataFile());
    ASSERT_EQ(all.size(), 2);
    if (file) {
        EXPECT_EQ(dump(all[0].path), changed);
    }
    std::unique_ptr<Connection> before = Connection::open(all[0].path);
    ASSERT_TRUE(before);
    Statement lines = before->prepare(QStringLiteral("SELECT count(*) FROM 记账凭证内容"));
    ASSERT_EQ(lines.step(), 1);
    EXPECT_EQ(QString::number(lines.columnInt64(0)), changedLines);
}

TEST_F(BackupsTest, ADamagedBackupIsRefusedAndTheBookStays)
{
    QString why;
    const QString backup = BookRestore::backupNow(&why);
    ASSERT_FALSE(backup.isEmpty());
    QFile file(backup);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(4096);
    file.write(QByteArray(8192, '\x5a'));
    file.close();
    const QString lines = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容"));
    EXPECT_FALSE(Backups::check(backup).isEmpty());
    EXPECT_TRUE(BookRestore::restore(backup).startsWith(QStringLiteral("所选备份不能使用")));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容")), lines);
    EXPECT_EQ(Backups::list(db.dataFile()).size(), 1);
}
