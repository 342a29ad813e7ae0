// Writes vouchers into a program folder's database without end, for the kill and two-copies tests. Each voucher gets
// k lines (k = 1 to 6) and records k in 附单据数, so that a whole voucher can be told from a broken one afterwards.
// Between new vouchers it loads earlier ones as the window does and saves them again shorter, deletes its latest
// voucher so that the next one takes its number, and adds and deletes an account of its own.
// With "--new-only" it only adds new vouchers; with "--churn" it adds vouchers with a line on account 10299 (while
// that account exists), and in turn deletes and edits the latest voucher of the file. Prints the number of each round
// as it completes.
#include "accounts/AccountWrite.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "tests/support/ChildBook.h"
#include "vouchers/VoucherSql.h"
#include "vouchers/VoucherStore.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

using kessory::StampSet;
using kessory::VoucherStore;

namespace {

void fill(VoucherStore& store, int lines, const QString& code)
{
    for (int i = 0; i < lines; ++i) {
        auto& line = store.arrLines[static_cast<std::size_t>(i)];
        line.摘要 = QStringLiteral("压力测试 %1/%2").arg(i + 1).arg(lines);
        line.科目代码 = i == 0 ? code : QStringLiteral("101");
        line.科目名称 = QStringLiteral("科目");
        line.方向 = i % 2 == 1;
        line.金额 = 10.5 + i;
    }
    for (int i = lines; i < kessory::kCountedSlots; ++i)
        store.arrLines[static_cast<std::size_t>(i)] = {};
    store.header.附单据数 = static_cast<qint16>(lines);
}

bool saveNew(VoucherStore& store, int lines, const QString& code = QStringLiteral("101"))
{
    store.funClearBuffer();
    store.header.凭证号码 = static_cast<qint16>(VoucherStore::funNextVoucherNo("记"));
    store.header.类别 = QStringLiteral("记");
    store.header.记账日期 = QStringLiteral("2026-05-06 10:00:00");
    fill(store, lines, code);
    return store.saveVoucher().ok;
}

// The id of the voucher 记<number>, 0 when there is none.
qint32 idOf(int number)
{
    auto rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(kessory::VoucherSql::findVoucher(number, QStringLiteral("记")), rs))
        return 0;
    return static_cast<qint32>(rs->integer(QStringLiteral("编号")));
}

qint32 latestId()
{
    auto rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(QStringLiteral("Select Max(编号) As 最大 From 记账凭证"), rs))
        return 0;
    return static_cast<qint32>(rs->integer(QStringLiteral("最大")));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    if (!kessory::test::openChildBook(argv[1]))
        return 1;
    const QByteArray mode = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    VoucherStore store;
    const QString ownAccount = QStringLiteral("10299");
    for (int round = 0;; ++round) {
        bool ok = true;
        if (mode == "--new-only") {
            ok = saveNew(store, 1 + round % 6);
            QThread::msleep(2); // a busy user, not a tight loop that never lets the other copy in
        } else if (mode == "--churn") {
            // The other copy changes and deletes the same latest voucher: a refusal here is what must happen then.
            const qint32 latest = latestId();
            if (round % 3 == 0) {
                const bool onOwn = kessory::test::accountExists(ownAccount);
                // The account may go between the look-up and the save: the save then refuses, as it must.
                saveNew(store, 1 + round % 6, onOwn ? ownAccount : QStringLiteral("101"));
            } else if (latest != 0 && store.loadStored(latest)) {
                if (round % 3 == 1) {
                    store.deleteVoucher();
                } else if (store.intLineCount > 0) {
                    QThread::msleep(1);
                    store.arrLines[0].摘要 = QStringLiteral("压力测试改");
                    store.header.月份 = 0;
                    store.saveVoucher();
                }
            }
            QThread::msleep(1);
        } else if (round % 4 == 3) {
            // An earlier voucher, loaded as the window shows it, saved again shorter.
            const qint32 id = idOf(1 + round / 8);
            if (id != 0 && store.loadStored(id)) {
                fill(store, 1 + round % 2, QStringLiteral("101"));
                store.header.月份 = 0;
                ok = store.saveVoucher().ok;
            }
        } else if (round % 4 == 1) {
            // The latest voucher is deleted and the next new one takes its number.
            const qint32 id = idOf(VoucherStore::funNextVoucherNo("记") - 1);
            if (id != 0 && store.loadStored(id)) {
                ok = store.deleteVoucher() && saveNew(store, 1 + round % 6);
            }
        } else if (round % 4 == 2) {
            // An account of its own comes and goes; a voucher on it keeps it.
            if (kessory::test::accountExists(ownAccount)) {
                if (kessory::accounts::checkDelete(ownAccount).result == kessory::accounts::DeleteResult::Answered)
                    kessory::accounts::deleteAccount(ownAccount);
            } else {
                kessory::accounts::AccountInput in;
                in.code = ownAccount;
                in.name = QStringLiteral("压力测试户");
                kessory::accounts::addAccount(in);
                ok = saveNew(store, 2 + round % 5, ownAccount);
            }
        } else {
            ok = saveNew(store, 1 + round % 6);
        }
        if (!ok)
            return 3;
        std::printf("%d\n", round);
        std::fflush(stdout);
    }
}
