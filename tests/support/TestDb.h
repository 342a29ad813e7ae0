#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace kessory::test {

// A program folder in a temporary directory with DATA/DATA.DAT made from the schema (and, when asked, the supplied
// sample rows), opened as the program's one connection. Message boxes are recorded, never shown; the end of the
// program is recorded, never carried out. Everything is undone when it goes.
class TestDb {
public:
    enum class Rows { None, Sample };
    explicit TestDb(Rows rows = Rows::None, bool open = true);
    ~TestDb();
    TestDb(const TestDb&) = delete;
    TestDb& operator=(const TestDb&) = delete;

    QString folder() const;
    QString dataFile() const;
    // Runs SQLite's own text on the open connection (test set-up only); fails the test on error.
    void exec(const QString& sql);
    // The first column of the first row of a SQLite query, as text; empty when there is none.
    QString scalar(const QString& sql);
    void open();

private:
    QTemporaryDir m_dir;
};

QString sourceFile(const QString& relative);
// Makes a database file at path from the schema and optionally the sample rows.
bool makeDatabase(const QString& path, bool withSample);

} // namespace kessory::test
