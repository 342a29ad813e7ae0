#pragma once

#include "tests/support/FaultyVfs.h"
#include "tests/support/TestDb.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <string>

struct sqlite3;

namespace kessory {
class Connection;
class Transaction;
} // namespace kessory

namespace kessory::test {

// The ways a book can refuse the program's writes.
enum class Refusal { ReadOnlyFile, ReadOnlyFolder, DiskFull, Locked };
std::string refusalName(Refusal r);
// A refusal only a book file can give (a folder without room for a journal, a full disk); a server book is refused
// as read-only (a role that may only read) and as locked (another seat in the middle of a write).
bool fileOnly(Refusal r);

// Opens a test book whose writes are refused in the given way: a read-only file (opened read-only from the start),
// a folder where no journal can be made, a disk that fails every write, or another copy of the program in the
// middle of a write (its lock held). Keeps a snapshot of chosen tables taken before the refusal began: every row and
// column of each query.
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
    QString serverSnapshot();
    void release();
    void openAsReader();

    FaultyVfs m_vfs;
    TestDb m_db;
    QStringList m_queries;
    sqlite3* m_other = nullptr;
    // On a server: the other seat that holds the book's write lock, and the role that may only read.
    std::unique_ptr<Connection> m_otherSeat;
    std::unique_ptr<Transaction> m_otherWrite;
    QString m_reader;
    QString m_before;
};

} // namespace kessory::test
