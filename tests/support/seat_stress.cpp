// One seat of the several-seats test: opens the book its program folder names and, for a bounded time, saves new
// vouchers, edits, voids, audits and deletes vouchers it picks at random from the book (its own or another seat's),
// and adds and deletes accounts other seats save vouchers on, all through the program's own writes. Every voucher
// it saves is balanced and records its line count in 附单据数. It prints one line for every result it was given:
//   S id lines      a new voucher saved          E id lines   a voucher saved again with other lines
//   V id / A id / D id   a voucher voided, audited, deleted
//   AA code / AD code    one of the accounts 10291 to 10299 added, deleted
//   R op why        a write refused as expected: changed (the voucher was changed or deleted since it was loaded),
//                   busy (another seat held the book too long), account (a line's account was deleted meanwhile),
//                   declined (the stamps refuse the command before it starts), inuse (the account has lines)
//   X op message    any other refusal (a fault)
// Usage: seat_stress <program folder> <seat> <milliseconds> <seed>
#include "accounts/AccountWrite.h"
#include "data/Connection.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "tests/support/ChildBook.h"
#include "vouchers/VoucherStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>
#include <algorithm>
#include <cstdio>

using kessory::StampSet;
using kessory::VoucherStore;
using kessory::VoucherWrite;

namespace {

// The accounts 10291 to 10299 come and go; the seats save lines on those that are there.
QString sharedAccount(QRandomGenerator& rng)
{
    return QStringLiteral("1029%1").arg(rng.bounded(1, 10));
}

QStringList sharedAccounts()
{
    QStringList codes;
    auto rs = basDBOperate::funNewRecordset();
    if (basDBOperate::funOpenRecordset(QStringLiteral("Select 科目编号 From 财务科目 Where 科目编号 Like '1029%'"),
                                       rs)) {
        for (; !rs->eof(); rs->moveNext())
            codes << rs->text(QStringLiteral("科目编号"));
    }
    rs->close();
    return codes;
}

void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

bool busy()
{
    return (basDBOperate::cnnDB->lastError().code & 0xff) == 5;
}

// Reports a refused write by its kind.
void refused(const char* op, const QString& message)
{
    QString why;
    if (message == VoucherStore::changedElsewhereMessage())
        why = QStringLiteral("changed");
    else if (busy())
        why = QStringLiteral("busy");
    else if (message.contains(QStringLiteral("已不存在")))
        why = QStringLiteral("account");
    if (why.isEmpty())
        say(QStringLiteral("X %1 %2").arg(QLatin1String(op), message));
    else
        say(QStringLiteral("R %1 %2").arg(QLatin1String(op), why));
}

// Balanced lines: debits of random amounts on the first lines, their sum as the credit of the last one.
void fill(VoucherStore& store, QRandomGenerator& rng, int seat)
{
    const int lines = rng.bounded(2, 7);
    qint64 total = 0;
    const QStringList shared = rng.bounded(3) == 0 ? sharedAccounts() : QStringList();
    const QString first = shared.isEmpty() ? QStringLiteral("101") : shared[rng.bounded(shared.size())];
    for (int i = 0; i < lines; ++i) {
        auto& line = store.arrLines[static_cast<std::size_t>(i)];
        const bool last = i == lines - 1;
        const qint64 cents = last ? total : rng.bounded(1, 1000000);
        total += last ? 0 : cents;
        line.摘要 = QStringLiteral("席位%1 %2/%3").arg(seat).arg(i + 1).arg(lines);
        line.科目代码 = i == 0 ? first : (i % 2 ? QStringLiteral("103") : QStringLiteral("101"));
        line.科目名称 = QStringLiteral("科目");
        line.方向 = last;
        line.金额 = static_cast<double>(cents) / 100.0;
    }
    for (int i = lines; i < kessory::kCountedSlots; ++i)
        store.arrLines[static_cast<std::size_t>(i)] = {};
    store.header.附单据数 = static_cast<qint16>(lines);
}

// A voucher of the book picked at random (its ids in order), loaded as the window shows it; 0 when the book has none.
qint32 loadAny(VoucherStore& store, QRandomGenerator& rng)
{
    QList<qint32> ids;
    auto rs = basDBOperate::funNewRecordset();
    if (basDBOperate::funOpenRecordset(QStringLiteral("Select 编号 From 记账凭证 Order By 编号"), rs)) {
        for (; !rs->eof(); rs->moveNext())
            ids << static_cast<qint32>(rs->integer(QStringLiteral("编号")));
    }
    rs->close();
    if (ids.isEmpty())
        return 0;
    // Half the time one of the latest few, which the other seats are busy with too.
    const int n = static_cast<int>(ids.size());
    const qint32 id = ids[rng.bounded(2) ? rng.bounded(n) : n - 1 - rng.bounded(std::min(n, 8))];
    return store.loadStored(id) ? id : 0;
}

StampSet stampsOf(const VoucherStore& store)
{
    StampSet stamps;
    stamps.set(kessory::Stamp::Voided, store.header.已作废);
    stamps.set(kessory::Stamp::Audited, !store.header.审核人.trimmed().isEmpty());
    return stamps;
}

void report(const char* op, const char* done, qint32 id, const VoucherWrite& write, int lines = -1)
{
    if (!write) {
        refused(op, write.message);
        return;
    }
    QString line = QStringLiteral("%1 %2").arg(QLatin1String(done)).arg(id);
    if (lines >= 0)
        line += QStringLiteral(" %1").arg(lines);
    say(line);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 5)
        return 2;
    if (!kessory::test::openChildBook(argv[1]))
        return 1;
    const int seat = QByteArray(argv[2]).toInt();
    const qint64 until = QByteArray(argv[3]).toLongLong();
    QRandomGenerator rng(QByteArray(argv[4]).toUInt());
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < until) {
        basDBOperate::cnnDB->restoreError({});
        const int pick = rng.bounded(100);
        VoucherStore store;
        if (pick < 35) {
            store.funClearBuffer();
            store.header.类别 = rng.bounded(2) ? QStringLiteral("记") : QStringLiteral("转");
            store.header.凭证号码 = static_cast<qint16>(VoucherStore::funNextVoucherNo(store.header.类别));
            store.header.记账日期 = QStringLiteral("2026-05-06 10:00:00");
            fill(store, rng, seat);
            QThread::usleep(rng.bounded(3000)); // the user types; meanwhile another seat may take the number
            const VoucherWrite w = store.saveVoucher();
            report("save", "S", store.header.编号, w, store.intLineCount);
        } else if (pick < 92) {
            const qint32 id = loadAny(store, rng);
            if (id == 0)
                continue;
            QThread::usleep(rng.bounded(3000)); // the voucher is on screen a moment before the command
            const StampSet stamps = stampsOf(store);
            if (pick < 50) {
                if (stamps.locksVoucher()) {
                    say(QStringLiteral("R edit declined"));
                    continue;
                }
                fill(store, rng, seat);
                const VoucherWrite w = store.saveVoucher();
                report("edit", "E", id, w, store.intLineCount);
            } else if (pick < 60) {
                if (!store.voidRefusal(stamps).isEmpty())
                    say(QStringLiteral("R void declined"));
                else
                    report("void", "V", id, store.voidVoucher());
            } else if (pick < 72) {
                if (!store.auditRefusal(stamps).isEmpty())
                    say(QStringLiteral("R audit declined"));
                else
                    report("audit", "A", id, store.auditVoucher());
            } else {
                if (!store.deleteRefusal(stamps).isEmpty())
                    say(QStringLiteral("R delete declined"));
                else
                    report("delete", "D", id, store.deleteVoucher());
            }
        } else {
            // A shared account comes and goes while other seats save vouchers on it.
            namespace acc = kessory::accounts;
            const QString code = sharedAccount(rng);
            if (kessory::test::accountExists(code)) {
                const acc::DeleteCheck check = acc::checkDelete(code);
                if (check.result != acc::DeleteResult::Answered) {
                    say(check.result == acc::DeleteResult::NoAccount ? QStringLiteral("R account gone")
                                                                     : QStringLiteral("R account inuse"));
                    continue;
                }
                const acc::WriteOutcome out = acc::deleteAccount(code);
                if (out.result == acc::WriteResult::Written)
                    say(QStringLiteral("AD ") + code);
                else if (out.result == acc::WriteResult::Refused)
                    say(out.message.contains(QStringLiteral("已被删除")) ? QStringLiteral("R account gone")
                                                                         : QStringLiteral("R account inuse"));
                else
                    refused("account", out.message);
            } else {
                acc::AccountInput in;
                in.code = code;
                in.name = QStringLiteral("共用户");
                const acc::WriteOutcome out = acc::addAccount(in);
                if (out.result == acc::WriteResult::Written)
                    say(QStringLiteral("AA ") + code);
                else if (out.result == acc::WriteResult::Refused)
                    say(QStringLiteral("R account exists"));
                else
                    refused("account", out.message);
            }
        }
    }
    say(QStringLiteral("END"));
    return 0;
}
