#include "tests/support/RefusedWrites.h"

#include "data/BookLocation.h"
#include "data/Connection.h"
#include "data/ServerBook.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace kessory::test {

std::string refusalName(Refusal r)
{
    switch (r) {
    case Refusal::ReadOnlyFile:
        return "ReadOnlyFile";
    case Refusal::ReadOnlyFolder:
        return "ReadOnlyFolder";
    case Refusal::DiskFull:
        return "DiskFull";
    case Refusal::Locked:
        return "Locked";
    }
    return {};
}

bool fileOnly(Refusal r)
{
    return r == Refusal::ReadOnlyFolder || r == Refusal::DiskFull;
}

namespace {

std::unique_ptr<Connection> openSchema(const QString& schema, const QString& user = {})
{
    std::optional<ServerBook> book = ServerBook::fromUrl(serverUrl());
    if (!book)
        return nullptr;
    book->schema = schema;
    if (!user.isEmpty())
        book->user = user;
    return Connection::openServer(*book);
}

bool run(Connection& c, const QString& sql)
{
    const bool ok = c.exec(sql.toUtf8().constData());
    EXPECT_TRUE(ok) << c.lastError().message.toStdString() << " in " << sql.toStdString();
    return ok;
}

} // namespace

RefusedWrites::RefusedWrites(Refusal refusal, TestDb::Rows rows, QStringList snapshotQueries)
    : m_db(rows, false)
    , m_queries(std::move(snapshotQueries))
{
    if (onServer()) {
        // A server book is refused as read-only when its seat's role may only read it, and as locked when another
        // seat holds its write lock.
        m_db.open();
        if (refusal == Refusal::ReadOnlyFile)
            openAsReader();
        basDBOperate::cnnDB->setBusyTimeout(50);
        m_before = snapshot();
        EXPECT_FALSE(m_before.trimmed().isEmpty());
        if (refusal == Refusal::Locked) {
            m_otherSeat = openSchema(m_db.schema());
            EXPECT_TRUE(m_otherSeat);
            if (m_otherSeat) {
                m_otherWrite = std::make_unique<Transaction>(m_otherSeat.get());
                EXPECT_TRUE(m_otherWrite->active());
            }
        }
        Msg::clearShown();
        return;
    }
    if (refusal == Refusal::ReadOnlyFile)
        FaultyVfs::setFault(FaultyVfs::Fault::ReadOnlyFile);
    m_db.open();
    basDBOperate::cnnDB->setBusyTimeout(50);
    m_before = snapshot();
    EXPECT_FALSE(m_before.trimmed().isEmpty());
    switch (refusal) {
    case Refusal::ReadOnlyFolder:
        FaultyVfs::setFault(FaultyVfs::Fault::ReadOnlyFolder);
        break;
    case Refusal::DiskFull:
        FaultyVfs::setFault(FaultyVfs::Fault::WriteFails);
        break;
    case Refusal::Locked:
        // Another copy of the program in the middle of a write.
        EXPECT_EQ(sqlite3_open(m_db.dataFile().toUtf8().constData(), &m_other), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(m_other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        break;
    case Refusal::ReadOnlyFile:
        break;
    }
    Msg::clearShown();
}

RefusedWrites::~RefusedWrites()
{
    release();
    if (m_reader.isEmpty())
        return;
    basDBOperate::RecordsetPtr rs;
    basDBOperate::funCloseDB(rs);
    if (std::unique_ptr<Connection> admin = openSchema(m_db.schema())) {
        run(*admin, QStringLiteral("DROP OWNED BY %1").arg(m_reader));
        run(*admin, QStringLiteral("DROP ROLE %1").arg(m_reader));
    }
}

void RefusedWrites::openAsReader()
{
    const QString schema = m_db.schema();
    m_reader = schema + QStringLiteral("_reader");
    std::unique_ptr<Connection> admin = openSchema(schema);
    ASSERT_TRUE(admin);
    ASSERT_TRUE(run(*admin,
                    QStringLiteral("DROP ROLE IF EXISTS %1; CREATE ROLE %1 LOGIN; GRANT USAGE ON SCHEMA %2 TO %1; "
                                   "GRANT SELECT ON ALL TABLES IN SCHEMA %2 TO %1")
                        .arg(m_reader, schema)));
    basDBOperate::RecordsetPtr rs;
    basDBOperate::funCloseDB(rs);
    BookLocation location;
    QString why;
    ASSERT_TRUE(readBookLocation(m_db.folder(), &location, &why)) << why.toStdString();
    location.server.user = m_reader;
    ASSERT_TRUE(writeBookLocation(m_db.folder(), location, &why)) << why.toStdString();
    m_db.open();
    ASSERT_TRUE(basDBOperate::cnnDB && basDBOperate::cnnDB->isReadOnly());
}

void RefusedWrites::release()
{
    m_otherWrite.reset();
    m_otherSeat.reset();
    if (m_other) {
        sqlite3_exec(m_other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_other);
        m_other = nullptr;
    }
    FaultyVfs::setFault(FaultyVfs::Fault::None);
}

QString RefusedWrites::afterRelease()
{
    release();
    return snapshot();
}

QString RefusedWrites::snapshot()
{
    if (onServer())
        return serverSnapshot();
    const auto fault = FaultyVfs::fault();
    FaultyVfs::setFault(FaultyVfs::Fault::None);
    sqlite3* reader = nullptr;
    sqlite3_open_v2(m_db.dataFile().toUtf8().constData(), &reader, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_busy_timeout(reader, 50);
    QString all;
    for (const QString& sql : m_queries) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(reader, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                for (int i = 0; i < sqlite3_column_count(st); ++i)
                    all += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i))) + u'|';
                all += QLatin1Char('\n');
            }
        }
        all += QLatin1Char('\n');
        sqlite3_finalize(st);
    }
    sqlite3_close(reader);
    FaultyVfs::setFault(fault);
    return all;
}

QString RefusedWrites::serverSnapshot()
{
    // Read by a seat of its own: what every seat sees, not what the refused seat may still hold.
    std::unique_ptr<Connection> reader = openSchema(m_db.schema());
    EXPECT_TRUE(reader);
    if (!reader)
        return {};
    QString all;
    for (const QString& sql : m_queries) {
        Statement st = reader->prepare(sql);
        while (st.valid() && st.step() == 1) {
            for (int i = 0; i < st.columnCount(); ++i)
                all += st.column(i).toString() + u'|';
            all += QLatin1Char('\n');
        }
        all += QLatin1Char('\n');
    }
    return all;
}

QStringList RefusedWrites::texts()
{
    QStringList t;
    for (const auto& s : Msg::shown())
        t << s.text;
    return t;
}

} // namespace kessory::test
