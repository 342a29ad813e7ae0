// The detail ledger's loads on the large books, each beside the one shortest query that yields the same rows (the
// floor): the lines with their running balance after the opening balance.
#include "bench/Benchmark.h"
#include "bench/LargeBooks.h"
#include "data/Connection.h"
#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "ledgers/DetailLedger.h"

#include <QStringList>
#include <memory>

namespace kessory::bench {
namespace {

// One ledger line as compared: number, category, code, side, amount and balance in cents, summary.
QString rowText(qint64 number, const QString& category, const QString& code, bool credit, qint64 amount, qint64 balance,
                const QString& summary)
{
    return QStringLiteral("%1%2 %3 %4 %5 %6 %7")
        .arg(category)
        .arg(number)
        .arg(code)
        .arg(credit ? 1 : 0)
        .arg(amount)
        .arg(balance)
        .arg(summary);
}

struct Case {
    QString account;
    qint16 period = 0;
    const char* floorSql = nullptr;
    std::unique_ptr<DetailLedger> ledger;
    QStringList floorRows;
};

Duration loadByProduct(Case& c)
{
    if (!c.ledger)
        c.ledger = std::make_unique<DetailLedger>();
    return loadTimed([&] {
        QString code = c.account;
        qint16 period = c.period;
        return c.ledger->funQueryLedger(0, code, period) > 0;
    });
}

// Runs the query on the program's connection (its text translated for the engine) and reads every column of every
// row as the ledger would.
Duration loadByFloor(Case& c)
{
    return loadTimed([&] {
        Statement st = basDBOperate::cnnDB->prepare(QString::fromUtf8(c.floorSql));
        if (!st.valid())
            return false;
        c.floorRows.clear();
        while (st.step() == 1) {
            c.floorRows << rowText(st.columnInt64(0), st.column(1).toString(), st.column(3).toString(),
                                   st.column(4).toBool(), toCents(st.column(5).toDouble()), st.columnInt64(7),
                                   st.column(6).toString());
        }
        return !c.floorRows.isEmpty();
    });
}

// The product's voucher lines (without the opening and total rows) against the floor's.
QString sameRows(const Case& c)
{
    QStringList product;
    for (int i = 1; i < c.ledger->intJLCount(); ++i) {
        const typMXZJL& r = c.ledger->arrMXZJL(i);
        if (r.LB.isEmpty())
            break;
        product << rowText(r.PZHM, r.LB, r.KMBH, r.FX, toCents(r.JE), toCents(r.YE), r.ZY);
    }
    if (product.size() != c.floorRows.size())
        return QStringLiteral("%1 lines against the floor's %2").arg(product.size()).arg(c.floorRows.size());
    for (int i = 0; i < product.size(); ++i) {
        if (product[i] != c.floorRows[i])
            return QStringLiteral("line %1: %2 against the floor's %3").arg(i + 1).arg(product[i], c.floorRows[i]);
    }
    return {};
}

// All accounts, whole year: the opening balance is 0 (no openings in these books) and the first 2048 lines fill the
// store (no total row).
Case firstLoad {
    QString(),
    0,
    "SELECT 凭证号码,类别,记账日期,科目编号,方向,金额,摘要,SUM(CASE WHEN 方向 THEN 1 ELSE -1 END*CAST("
    "ROUND(金额*100) AS INTEGER)) OVER (ORDER BY 科目编号,h.编号,记录号 ROWS UNBOUNDED PRECEDING) FROM "
    "记账凭证内容 c JOIN 记账凭证 h USING(编号) WHERE NOT 已作废 ORDER BY 科目编号,h.编号,记录号 LIMIT 2048",
    nullptr,
    {}
};

// A first-level account with its sub-accounts in June (the period of the voucher), the opening balance from the
// lines of the vouchers of the earlier months.
Case oneAccount {
    QStringLiteral("101"),
    6,
    "SELECT 凭证号码,类别,记账日期,科目编号,方向,金额,摘要,(SELECT COALESCE(SUM(CASE WHEN c2.方向 THEN 1 "
    "ELSE -1 END*CAST(ROUND(c2.金额*100) AS INTEGER)),0) FROM 记账凭证内容 c2 JOIN 记账凭证 h2 USING(编号) "
    "WHERE NOT h2.已作废 AND COALESCE(Month(h2.记账日期),h2.月份) BETWEEN 1 AND 5 AND c2.科目编号 LIKE "
    "'101%')+SUM(CASE WHEN 方向 THEN 1 ELSE -1 END*CAST(ROUND(金额*100) AS INTEGER)) OVER (ORDER BY "
    "科目编号,h.编号,记录号 ROWS UNBOUNDED PRECEDING) "
    "FROM 记账凭证内容 c JOIN 记账凭证 h USING(编号) WHERE NOT 已作废 AND 科目编号 LIKE '101%' AND "
    "COALESCE(Month(h.记账日期),h.月份)=6 ORDER BY 科目编号,h.编号,记录号",
    nullptr,
    {}
};

const bool registeredFirst
    = addBenchmark({ 20, "detail_first_load", "detail ledger, first load (all accounts, year)", 15, openLargeBooks,
                     [] { return loadByProduct(firstLoad); }, [] { return loadByFloor(firstLoad); },
                     [] { return sameRows(firstLoad); } });
const bool registeredOne
    = addBenchmark({ 30, "detail_one_account", "detail ledger, account 101 and subs, June", 15, openLargeBooks,
                     [] { return loadByProduct(oneAccount); }, [] { return loadByFloor(oneAccount); },
                     [] { return sameRows(oneAccount); } });

} // namespace
} // namespace kessory::bench
