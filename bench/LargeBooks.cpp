#include "bench/LargeBooks.h"

#include "bench/Benchmark.h"
#include "bench/SyntheticBooks.h"
#include "data/BookCopy.h"
#include "data/BookExtensions.h"
#include "data/BookLocation.h"
#include "data/Connection.h"
#include "data/ServerBook.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

namespace kessory::bench {
namespace {

std::unique_ptr<QTemporaryDir>& folder()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}

// The server copy: a program folder whose kessory.conf names it, and its schema.
struct ServerCopy {
    std::unique_ptr<QTemporaryDir> folder;
    ServerBook book;
};

ServerCopy& serverCopy()
{
    static ServerCopy copy;
    return copy;
}

bool failed(const QString& why)
{
    std::fprintf(stderr, "The large books could not be copied to the server: %s\n", qPrintable(why));
    return false;
}

} // namespace

bool openLargeBooks()
{
    static bool ok = false;
    if (folder())
        return ok;
    folder() = std::make_unique<QTemporaryDir>();
    if (!folder()->isValid())
        return false;
    // KESSORY_BENCH_KEEP=1 leaves the books behind for a look with other tools.
    if (qEnvironmentVariableIsSet("KESSORY_BENCH_KEEP")) {
        folder()->setAutoRemove(false);
        std::printf("Large books kept in %s\n", qPrintable(folder()->path()));
    }
    const SyntheticOptions options = largeBooks();
    const auto start = std::chrono::steady_clock::now();
    if (!makeSyntheticBooks(folder()->path() + QStringLiteral("/DATA/DATA.DAT"), options))
        return false;
    std::printf("Large books: %d vouchers of %d lines (%d lines), %d first-level accounts with sub-accounts, one "
                "voucher in %d voided; made in %.0f ms.\n",
                options.vouchers, options.linesPerVoucher, options.vouchers * options.linesPerVoucher,
                options.firstLevelAccounts, options.voidEvery,
                Duration(std::chrono::steady_clock::now() - start).count());
    std::fflush(stdout);
    Msg::setTestMode(true);
    Clock::setNow(QDateTime(QDate(options.year, 12, 15), QTime(10, 0)));
    basDBOperate::RecordsetPtr rs;
    ok = basDBOperate::locateDBFile(folder()->path()) && basDBOperate::funOpenDB(rs);
    return ok;
}

QString largeBooksFolder()
{
    if (serverCopy().folder)
        return serverCopy().folder->path();
    return folder() ? folder()->path() : QString();
}

QString benchServerUrl()
{
    return qEnvironmentVariable("KESSORY_BENCH_POSTGRES");
}

bool onServerBooks()
{
    return serverCopy().folder != nullptr;
}

void dropServerBooks()
{
    ServerCopy& copy = serverCopy();
    if (!copy.folder)
        return;
    basDBOperate::RecordsetPtr rs;
    basDBOperate::funCloseDB(rs);
    if (qEnvironmentVariableIsSet("KESSORY_BENCH_KEEP")) {
        std::printf("The server copy kept in schema %s\n", qPrintable(copy.book.schema));
        copy.folder->setAutoRemove(false);
        copy.folder.reset();
        return;
    }
    ServerBook admin = copy.book;
    admin.schema = QStringLiteral("public");
    if (std::unique_ptr<Connection> c = Connection::openServer(admin))
        c->exec(("DROP SCHEMA IF EXISTS " + copy.book.schema + " CASCADE").toUtf8().constData());
    copy.folder.reset();
}

bool moveLargeBooksToServer()
{
    if (onServerBooks())
        return true;
    if (!openLargeBooks())
        return false;
    QString why;
    const std::optional<ServerBook> book = ServerBook::fromUrl(benchServerUrl(), &why);
    if (!book)
        return failed(why);
    std::unique_ptr<Connection> admin = Connection::openServer(*book, &why);
    if (!admin)
        return failed(why);
    const QString schema = QStringLiteral("bench_%1").arg(QCoreApplication::applicationPid());
    if (!admin->exec(("DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " + schema).toUtf8().constData()))
        return failed(admin->lastError().message);
    ServerCopy& copy = serverCopy();
    copy.book = *book;
    copy.book.schema = schema;
    auto dir = std::make_unique<QTemporaryDir>();
    BookLocation location;
    location.engine = Engine::Postgres;
    location.server = copy.book;
    if (!dir->isValid() || !writeBookLocation(dir->path(), location, &why))
        return failed(why);
    copy.folder = std::move(dir); // from here on dropServerBooks() drops the schema
    const auto start = std::chrono::steady_clock::now();
    {
        std::unique_ptr<Connection> server = Connection::openServer(copy.book, &why);
        std::unique_ptr<Connection> source = Connection::open(folder()->path() + QStringLiteral("/DATA/DATA.DAT"));
        if (!server || !source)
            return failed(why);
        if (!createServerTables(*server))
            return failed(server->lastError().message);
        const BookCopy::Outcome copied = BookCopy::copy(*source, *server);
        if (!copied.ok)
            return failed(copied.error + copied.differences.join(u' '));
        // Fresh tables have no statistics yet: the planner gets them as it would on a server in use.
        if (!server->exec("ANALYZE"))
            return failed(server->lastError().message);
    }
    std::printf("The large books copied to %s in %.0f ms.\n", qPrintable(copy.book.label()),
                Duration(std::chrono::steady_clock::now() - start).count());
    std::fflush(stdout);
    basDBOperate::RecordsetPtr rs;
    basDBOperate::funCloseDB(rs);
    return basDBOperate::locateDBFile(copy.folder->path()) && basDBOperate::funOpenDB(rs);
}

} // namespace kessory::bench
