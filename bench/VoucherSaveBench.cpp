// The save of a new five-line voucher into the large books, beside the floor: the same header and lines written
// with six plain inserts and the change-log row in one write transaction on the same connection, through its prepared
// statements (on a server: the writer's lock, then one round trip a statement).
#include "bench/Benchmark.h"
#include "bench/LargeBooks.h"
#include "data/Connection.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "vouchers/VoucherStore.h"

#include <QCryptographicHash>
#include <QStringList>

namespace kessory::bench {
namespace {

const char* const kCodes[] = { "101", "10201", "12301", "20101", "30202" };
const double kAmounts[] = { 100.0, 200.5, 300.25, 0.75, 601.5 };

QString summaryOf(int line)
{
    return QStringLiteral("基准测试凭证") + QString::number(line);
}

// The lines of voucher id as "code side cents summary", in entry order.
QStringList storedLines(qint64 id)
{
    QStringList lines;
    Statement st = basDBOperate::cnnDB->prepare(
        QStringLiteral("SELECT 科目编号,方向,金额,摘要 FROM 记账凭证内容 WHERE 编号=? ORDER BY 记录号"));
    st.bind(1, id);
    while (st.valid() && st.step() == 1)
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(st.column(0).toString())
                     .arg(st.column(1).toBool() ? 1 : 0)
                     .arg(qRound64(st.column(2).toDouble() * 100))
                     .arg(st.column(3).toString());
    return lines;
}

qint64 productId = 0;
qint64 floorId = 0;

Duration saveByProduct()
{
    VoucherStore store;
    store.header.类别 = QStringLiteral("记");
    store.header.凭证号码 = static_cast<qint16>(VoucherStore::funNextVoucherNo(store.header.类别));
    store.header.记账日期 = Clock::generalDate();
    for (int i = 0; i < 5; ++i) {
        typVoucherLine& line = store.arrLines[static_cast<std::size_t>(i)];
        line.摘要 = summaryOf(i);
        line.科目代码 = QString::fromLatin1(kCodes[i]);
        line.科目名称 = QStringLiteral("科目");
        line.方向 = i == 4;
        line.金额 = i == 4 ? kAmounts[0] + kAmounts[1] + kAmounts[2] + kAmounts[3] : kAmounts[i];
    }
    const Duration took = timed([&] { return store.saveVoucher().ok; });
    productId = store.header.编号;
    return took;
}

// The same voucher in one transaction of six inserts and its change-log row, each a prepared statement of the
// connection (the program's text translated once for the engine, as the product's are).
Duration saveByFloor()
{
    Connection* c = basDBOperate::cnnDB.get();
    const QString date = Clock::generalDate();
    return timed([&] {
        auto run = [&](const QString& sql, const QVariantList& values) {
            Statement st = c->prepare(sql);
            st.bindAll(values);
            return st.valid() && st.step() == 0;
        };
        Transaction tx(c);
        if (!tx.active())
            return false;
        bool ok = run(QStringLiteral("INSERT INTO 记账凭证(凭证号码,类别,附单据数,月份,记账日期,记账人) SELECT "
                                     "COALESCE(MAX(凭证号码),0)+1,'转',0,12,?,'USER' FROM 记账凭证 WHERE 类别='转'"),
                      { date });
        const qint64 id = ok ? c->lastInsertId() : 0;
        for (int i = 0; ok && i < 5; ++i) {
            const double amount = i == 4 ? kAmounts[0] + kAmounts[1] + kAmounts[2] + kAmounts[3] : kAmounts[i];
            ok = run(QStringLiteral("INSERT INTO 记账凭证内容(编号,记录号,方向,金额,摘要,科目编号,备注,日期) "
                                    "VALUES(?,?,?,?,?,?,'',?)"),
                     { id, i + 1, i == 4, amount, summaryOf(i), QString::fromLatin1(kCodes[i]), date });
        }
        // Every write of the program leaves one row in the change log, chained to the one before by its hash.
        if (ok) {
            const QByteArray previous = QByteArray::number(id - 1);
            const QByteArray hash = QCryptographicHash::hash(previous + date.toUtf8() + QByteArray::number(id),
                                                             QCryptographicHash::Sha256)
                                        .toHex();
            ok = run(QStringLiteral("INSERT INTO 操作日志 (时间, 操作员, 动作, 对象类型, 对象, 前哈希, 哈希) "
                                    "VALUES (?, '', '保存', '凭证', ?, ?, ?)"),
                     { date, QString::number(id), QString::fromLatin1(previous), QString::fromLatin1(hash) });
        }
        if (!ok || !tx.commit())
            return false;
        floorId = id;
        return true;
    });
}

QString savedAlike()
{
    const QStringList product = storedLines(productId);
    const QStringList floor = storedLines(floorId);
    if (product.size() != 5 || product != floor)
        return QStringLiteral("stored lines differ: ") + product.join(u';') + QStringLiteral(" / ") + floor.join(u';');
    return {};
}

const bool registered = addBenchmark({ 10, "voucher_save", "save of a new five-line voucher", 21, openLargeBooks,
                                       saveByProduct, saveByFloor, savedAlike });

} // namespace
} // namespace kessory::bench
