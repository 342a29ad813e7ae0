// Saves vouchers into a program folder's database without end, for the kill and two-copies tests: each voucher gets
// k lines (k = 1 to 6) and records k in 附单据数, and every few saves an earlier voucher is saved again shorter, so
// that a whole voucher can be told from a broken one afterwards. With "--new-only" it only adds new vouchers.
// Prints the number of each save as it completes.
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "vouchers/VoucherStore.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

using kessory::VoucherStore;

namespace {

void fill(VoucherStore& store, qint16 number, int lines)
{
    store.funClearBuffer();
    store.header.凭证号码 = number;
    store.header.类别 = QStringLiteral("记");
    store.header.记账日期 = QStringLiteral("2026-05-06 10:00:00");
    store.header.附单据数 = static_cast<qint16>(lines);
    for (int i = 0; i < lines; ++i) {
        auto& line = store.arrLines[static_cast<std::size_t>(i)];
        line.摘要 = QStringLiteral("压力测试 %1/%2").arg(i + 1).arg(lines);
        line.科目代码 = QStringLiteral("101");
        line.科目名称 = QStringLiteral("现金");
        line.方向 = i % 2 == 1;
        line.金额 = 10.5 + i;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    kessory::Msg::setTestMode(true);
    if (!basDBOperate::funCheckDBFile(QString::fromLocal8Bit(argv[1])))
        return 1;
    basDBOperate::RecordsetPtr rs;
    if (!basDBOperate::funOpenDB(rs))
        return 1;
    const bool newOnly = argc > 2 && QByteArray(argv[2]) == "--new-only";
    VoucherStore store;
    for (int round = 0;; ++round) {
        const bool shorten = !newOnly && round % 4 == 3;
        const auto number = static_cast<qint16>(shorten ? 1 + round / 8 : VoucherStore::funNextVoucherNo("记"));
        fill(store, number, shorten ? 1 + round % 2 : 1 + round % 6);
        if (!store.funSaveVoucher(true))
            return 3;
        std::printf("%d\n", round);
        std::fflush(stdout);
        if (newOnly)
            QThread::msleep(2); // a busy user, not a tight loop that never lets the other copy in
    }
}
