#include "tests/support/TestDb.h"

#include "data/BookCopy.h"
#include "data/BookExtensions.h"
#include "data/BookLocation.h"
#include "data/ServerBook.h"
#include "data/SqlRewrite.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "shell/basSysFunction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <atomic>
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

bool onServer()
{
    return !serverUrl().isEmpty();
}

QString serverUrl()
{
    return qEnvironmentVariable("KESSORY_TEST_POSTGRES");
}

namespace {

// Text as an SQL literal of either engine.
QString quoteText(const QString& text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

std::unique_ptr<Connection> serverAdmin()
{
    const auto book = ServerBook::fromUrl(serverUrl());
    if (!book)
        return nullptr;
    return Connection::openServer(*book);
}

// Copies the test's book file into a new schema on the server and points the program folder at it.
QString moveToServer(const QString& folder, const QString& file)
{
    static std::atomic<int> count { 0 };
    const QString schema = QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(count.fetch_add(1) + 1);
    std::unique_ptr<Connection> admin = serverAdmin();
    EXPECT_TRUE(admin) << "no server at " << serverUrl().toStdString();
    if (!admin)
        return {};
    const QByteArray create = ("DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " + schema).toUtf8();
    EXPECT_TRUE(admin->exec(create.constData())) << admin->lastError().message.toStdString();
    kessory::BookLocation location;
    location.engine = Engine::Postgres;
    location.server = *ServerBook::fromUrl(serverUrl());
    location.server.schema = schema;
    std::unique_ptr<Connection> server = Connection::openServer(location.server);
    std::unique_ptr<Connection> source = Connection::open(file);
    EXPECT_TRUE(server && source);
    if (!server || !source)
        return schema;
    EXPECT_TRUE(createServerTables(*server)) << server->lastError().message.toStdString();
    // A book file made from the schema alone gains the later features' tables on its first writable open, as the
    // server book has them from the start.
    ensureExtensionTables(*source);
    const BookCopy::Outcome copied = BookCopy::copy(*source, *server);
    EXPECT_TRUE(copied.ok) << copied.error.toStdString() << copied.differences.join(u' ').toStdString();
    QString why;
    EXPECT_TRUE(writeBookLocation(folder, location, &why)) << why.toStdString();
    return schema;
}

} // namespace

TestDb::~TestDb()
{
    basDBOperate::RecordsetPtr rs;
    basDBOperate::funCloseDB(rs);
    Clock::reset();
    Msg::setTestMode(true);
    if (!m_schema.isEmpty()) {
        if (std::unique_ptr<Connection> admin = serverAdmin())
            admin->exec(("DROP SCHEMA IF EXISTS " + m_schema + " CASCADE").toUtf8().constData());
    }
}

void TestDb::open()
{
    if (onServer() && m_schema.isEmpty())
        m_schema = moveToServer(folder(), dataFile());
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
    Connection& c = *basDBOperate::cnnDB;
    if (c.engine() == Engine::Postgres) {
        // The test's text as the program's: dates between # signs; several statements may be given.
        EXPECT_TRUE(c.exec(rewriteForPostgres(sql).toUtf8().constData()))
            << c.lastError().message.toStdString() << " in " << sql.toStdString();
        return;
    }
    char* error = nullptr;
    const int rc = sqlite3_exec(c.handle(), sql.toUtf8().constData(), nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "") << " in " << sql.toStdString();
    sqlite3_free(error);
}

void TestDb::addSampleRows(const QString& sampleFile)
{
    QFile f(sourceFile(QStringLiteral("data/extensions/") + sampleFile));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << sampleFile.toStdString();
    QString rows = QString::fromUtf8(f.readAll());
    if (onServer()) {
        // SQLite's INSERT OR IGNORE is the server's ON CONFLICT DO NOTHING.
        static const QRegularExpression insert(QStringLiteral("INSERT OR IGNORE (INTO [^;]*);"),
                                               QRegularExpression::CaseInsensitiveOption);
        rows.replace(insert, QStringLiteral("INSERT \\1 ON CONFLICT DO NOTHING;"));
    }
    exec(QStringLiteral("BEGIN;") + rows + QStringLiteral("COMMIT;"));
}

namespace {

// A value as SQLite writes it as text, on either engine.
QString cellText(const Statement& st, int i)
{
    if (st.isNull(i))
        return {};
    if (st.handle())
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.handle(), i)));
    // A server's amount as SQLite writes a double as text: 100.0, 200.5.
    const QVariant v = st.column(i);
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        return d == static_cast<double>(qRound64(d)) ? QString::number(qRound64(d)) + QStringLiteral(".0")
                                                     : QString::number(d, 'g', 15);
    }
    return v.toString();
}

QString triggerName(const QString& event, const QString& table)
{
    return QStringLiteral("refuse_%1_%2").arg(event.toLower(), table);
}

} // namespace

QString TestDb::scalar(const QString& sql)
{
    if (!basDBOperate::cnnDB)
        return {};
    Statement st = basDBOperate::cnnDB->prepare(sql);
    if (!st.valid() || st.step() != 1)
        return {};
    return cellText(st, 0);
}

QString TestDb::rows(const QString& sql, const QString& columnSeparator, const QString& rowSeparator)
{
    if (!basDBOperate::cnnDB)
        return {};
    Statement st = basDBOperate::cnnDB->prepare(sql);
    EXPECT_TRUE(st.valid()) << basDBOperate::cnnDB->lastError().message.toStdString() << " in " << sql.toStdString();
    QStringList all;
    int rc = 0;
    while (st.valid() && (rc = st.step()) == 1) {
        QStringList row;
        for (int i = 0; i < st.columnCount(); ++i)
            row << cellText(st, i);
        all << row.join(columnSeparator);
    }
    EXPECT_NE(rc, -1) << basDBOperate::cnnDB->lastError().message.toStdString() << " in " << sql.toStdString();
    return all.join(rowSeparator);
}

void TestDb::refuse(const QString& event, const QString& table, const QString& condition, const QString& message)
{
    const QString name = triggerName(event, table);
    // A broken rule is an integrity error on either engine (SQLite's constraint code), carrying the message.
    if (!onServer()) {
        exec(QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 %4 BEGIN SELECT RAISE(ABORT, %5); END")
                 .arg(name, event, table, condition.isEmpty() ? QString() : QStringLiteral("WHEN ") + condition,
                      quoteText(message)));
        return;
    }
    ASSERT_TRUE(basDBOperate::cnnDB) << "no connection";
    Connection& c = *basDBOperate::cnnDB;
    const QString sql
        = QStringLiteral("CREATE OR REPLACE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS "
                         "$k$BEGIN RAISE EXCEPTION USING ERRCODE = '23000', MESSAGE = %5; END$k$; "
                         "CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW %4 EXECUTE FUNCTION %1()")
              .arg(name, event, table, condition.isEmpty() ? QString() : QStringLiteral("WHEN (%1)").arg(condition),
                   quoteText(message));
    EXPECT_TRUE(c.exec(sql.toUtf8().constData())) << c.lastError().message.toStdString();
}

void TestDb::allow(const QString& event, const QString& table)
{
    if (!onServer()) {
        exec(QStringLiteral("DROP TRIGGER %1").arg(triggerName(event, table)));
        return;
    }
    ASSERT_TRUE(basDBOperate::cnnDB) << "no connection";
    Connection& c = *basDBOperate::cnnDB;
    const QString sql
        = QStringLiteral("DROP TRIGGER %1 ON %2; DROP FUNCTION %1()").arg(triggerName(event, table), table);
    EXPECT_TRUE(c.exec(sql.toUtf8().constData())) << c.lastError().message.toStdString();
}

} // namespace kessory::test
