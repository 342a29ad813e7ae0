#include "bench/LargeBooks.h"

#include "bench/Benchmark.h"
#include "bench/SyntheticBooks.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"

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
    return folder() ? folder()->path() : QString();
}

} // namespace kessory::bench
