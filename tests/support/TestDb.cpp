#include "tests/support/TestDb.h"

#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "shell/basSysFunction.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace kessory::test {

QString sourceFile(const QString& relative)
{
    return QStringLiteral(KESSORY_SOURCE_DIR "/") + relative;
}

bool makeDatabase(const QString& path, bool withSample)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    bool ok = true;
    QStringList files { sourceFile(QStringLiteral("data/schema.sql")) };
    if (withSample)
        files << sourceFile(QStringLiteral("data/sample.sql"));
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const QString& f : files) {
        QFile file(f);
        if (!file.open(QIODevice::ReadOnly)
            || sqlite3_exec(db, file.readAll().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            ok = false;
            break;
        }
    }
    sqlite3_exec(db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return ok;
}

TestDb::TestDb(Rows rows, bool openNow)
{
    Msg::setTestMode(true);
    basSysFunction::setExitHandler([] {});
    Clock::reset();
    EXPECT_TRUE(m_dir.isValid());
    EXPECT_TRUE(makeDatabase(dataFile(), rows == Rows::Sample));
    if (openNow)
        open();
}

TestDb::~TestDb()
{
    basDBOperate::RecordsetPtr rs;
    basDBOperate::funCloseDB(rs);
    Clock::reset();
    Msg::setTestMode(true);
}

void TestDb::open()
{
    ASSERT_TRUE(basDBOperate::locateDBFile(folder()));
    basDBOperate::RecordsetPtr rs;
    ASSERT_TRUE(basDBOperate::funOpenDB(rs));
}

QString TestDb::folder() const
{
    return m_dir.path();
}

QString TestDb::dataFile() const
{
    return m_dir.path() + QStringLiteral("/DATA/DATA.DAT");
}

void TestDb::exec(const QString& sql)
{
    ASSERT_TRUE(basDBOperate::cnnDB) << "no connection";
    char* error = nullptr;
    const int rc = sqlite3_exec(basDBOperate::cnnDB->handle(), sql.toUtf8().constData(), nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "") << " in " << sql.toStdString();
    sqlite3_free(error);
}

QString TestDb::scalar(const QString& sql)
{
    if (!basDBOperate::cnnDB)
        return {};
    sqlite3_stmt* st = nullptr;
    QString result;
    if (sqlite3_prepare_v2(basDBOperate::cnnDB->handle(), sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
        result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return result;
}

} // namespace kessory::test
