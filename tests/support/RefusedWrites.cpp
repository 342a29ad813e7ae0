#include "tests/support/RefusedWrites.h"

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

RefusedWrites::RefusedWrites(Refusal refusal, TestDb::Rows rows, QStringList snapshotQueries)
    : m_db(rows, false)
    , m_queries(std::move(snapshotQueries))
{
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
}

void RefusedWrites::release()
{
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
    const auto fault = FaultyVfs::fault();
    FaultyVfs::setFault(FaultyVfs::Fault::None);
    sqlite3* reader = nullptr;
    sqlite3_open_v2(m_db.dataFile().toUtf8().constData(), &reader, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_busy_timeout(reader, 50);
    QString all;
    for (const QString& sql : m_queries) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(reader, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK
            && sqlite3_step(st) == SQLITE_ROW)
            all += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        all += QLatin1Char('\n');
        sqlite3_finalize(st);
    }
    sqlite3_close(reader);
    FaultyVfs::setFault(fault);
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
