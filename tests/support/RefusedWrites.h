#pragma once

#include "tests/support/FaultyVfs.h"
#include "tests/support/TestDb.h"

#include <QString>
#include <QStringList>
#include <string>

struct sqlite3;

namespace kessory::test {

// The ways a file can refuse the program's writes.
enum class Refusal { ReadOnlyFile, ReadOnlyFolder, DiskFull, Locked };
std::string refusalName(Refusal r);

// Opens a test database whose writes are refused in the given way: a read-only file (opened read-only from the
// start), a folder where no journal can be made, a disk that fails every write, or another copy of the program in
// the middle of a write (its lock held). Keeps a snapshot of chosen tables taken before the refusal began.
class RefusedWrites {
public:
    RefusedWrites(Refusal refusal, TestDb::Rows rows, QStringList snapshotQueries);
    ~RefusedWrites();
    RefusedWrites(const RefusedWrites&) = delete;
    RefusedWrites& operator=(const RefusedWrites&) = delete;

    TestDb& db() { return m_db; }
    const QString& before() const { return m_before; }
    // Ends the refusal and reads the snapshot again.
    QString afterRelease();
    // The texts of the message boxes shown since the refusal began.
    static QStringList texts();

private:
    QString snapshot();
    void release();

    FaultyVfs m_vfs;
    TestDb m_db;
    QStringList m_queries;
    sqlite3* m_other = nullptr;
    QString m_before;
};

} // namespace kessory::test
