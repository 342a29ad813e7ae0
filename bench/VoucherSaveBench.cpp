#include "bench/Benchmark.h"
#include "bench/SyntheticBooks.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "vouchers/VoucherStore.h"

#include <QTemporaryDir>
#include <cstdio>

namespace kessory::bench {
namespace {

constexpr int kRuns = 41;

std::vector<Duration> saveFiveLineVoucher()
{
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/DATA/DATA.DAT");
    const auto made = std::chrono::steady_clock::now();
    if (!makeSyntheticBooks(file))
        return {};
    std::printf("  synthetic books of 10000 vouchers made in %.0f ms\n",
                Duration(std::chrono::steady_clock::now() - made).count());
    Msg::setTestMode(true);
    basDBOperate::RecordsetPtr rs;
    if (!basDBOperate::funCheckDBFile(dir.path()) || !basDBOperate::funOpenDB(rs))
        return {};

    static const char* const codes[] = { "101", "10201", "12301", "2210101", "52101" };
    std::vector<Duration> times;
    for (int run = 0; run < kRuns; ++run) {
        VoucherStore store;
        store.header.类别 = QStringLiteral("记");
        store.header.凭证号码 = static_cast<qint16>(VoucherStore::funNextVoucherNo(store.header.类别));
        store.header.记账日期 = Clock::generalDate();
        for (int i = 0; i < 5; ++i) {
            typVoucherLine& line = store.arrLines[static_cast<std::size_t>(i)];
            line.摘要 = QStringLiteral("基准测试凭证");
            line.科目代码 = QString::fromLatin1(codes[i]);
            line.科目名称 = QStringLiteral("科目");
            line.方向 = i == 4;
            line.金额 = i == 4 ? 400.0 : 100.0;
        }
        const auto start = std::chrono::steady_clock::now();
        const bool saved = store.funSaveVoucher(true);
        const auto end = std::chrono::steady_clock::now();
        if (!saved)
            return {};
        times.push_back(end - start);
    }
    basDBOperate::funCloseDB(rs);
    return times;
}

const bool registered = addBenchmark(
    { "voucher_save_5_lines", "new five-line voucher saved into 10000 vouchers of five lines", saveFiveLineVoucher });

} // namespace
} // namespace kessory::bench
