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
    // Runs the program's SQL text (dates between #, True/False) on the open connection (test set-up only); fails the
    // test on error.
    void exec(const QString& sql);
    // The first column of the first row of a query in the program's SQL text, as text; empty when there is none.
    QString scalar(const QString& sql);
    // Every row of a query in the program's SQL text, its columns joined by columnSeparator and the rows by
    // rowSeparator, each value written as scalar() writes it: the same text on either engine.
    QString rows(const QString& sql, const QString& columnSeparator = QStringLiteral("|"),
                 const QString& rowSeparator = QStringLiteral("\n"));
    // Makes the table refuse every write of the event (INSERT, UPDATE or DELETE), or only those rows for which the
    // condition on NEW or OLD holds, as a broken write would fail on either engine: an integrity error with the
    // message; allow() takes it back.
    void refuse(const QString& event, const QString& table, const QString& condition = {},
                const QString& message = QStringLiteral("refused"));
    void allow(const QString& event, const QString& table);
    // On a server run: the schema that holds this test's book once it is open; empty otherwise.
    QString schema() const { return m_schema; }
    void open();
    // Adds the rows of a supplied book's file (data/extensions/NN_name.sample.sql) that the book lacks, on either
    // engine, in one transaction.
    void addSampleRows(const QString& sampleFile);

private:
    QTemporaryDir m_dir;
    // On a server run: the schema that holds this test's book.
    QString m_schema;
};

// Whether the suite runs against a PostgreSQL server (KESSORY_TEST_POSTGRES names it): each TestDb's book is then
// copied from its file into a schema of its own on that server when first opened, and the program opens it there
// through DATA/kessory.conf.
bool onServer();
// The server's URL on a server run; empty otherwise.
QString serverUrl();

// Skips a test that only a book file can run, saying why (a test of the file itself, of SQLite's locks or VFS).
#define KESSORY_FILE_ONLY(why)                                                                                         \
    do {                                                                                                               \
        if (::kessory::test::onServer())                                                                               \
            GTEST_SKIP() << "book file only: " << why;                                                                 \
    } while (0)

QString sourceFile(const QString& relative);
// Makes a database file at path from the schema and optionally the sample rows.
bool makeDatabase(const QString& path, bool withSample);

} // namespace kessory::test
