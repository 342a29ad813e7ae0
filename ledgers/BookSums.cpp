#include "ledgers/BookSums.h"

#include "accounts/Openings.h"
#include "data/Connection.h"
#include "data/VoucherPeriod.h"

#include <QChar>

namespace kessory {

SideSums& SideSums::operator+=(const SideSums& other)
{
    creditCents += other.creditCents;
    debitCents += other.debitCents;
    creditLines += other.creditLines;
    debitLines += other.debitLines;
    return *this;
}

SideSums FirstLevelAccount::periods(qint64 first, qint64 last) const
{
    SideSums sum;
    for (auto it = byPeriod.lower_bound(first); it != byPeriod.end() && it->first <= last; ++it)
        sum += it->second;
    return sum;
}

SideSums FirstLevelAccount::wholeYear() const
{
    SideSums sum;
    for (const auto& [period, sides] : byPeriod)
        sum += sides;
    return sum;
}

namespace BookSql {

QString lineCents(const QString& lineAlias)
{
    return QStringLiteral("Cast(Round(%1.金额*100) As Integer)").arg(lineAlias);
}

QString codePrefixCondition(const QString& lineAlias, int firstParameter)
{
    return QStringLiteral("%1.科目编号 >= ?%2 And %1.科目编号 < ?%3")
        .arg(lineAlias)
        .arg(firstParameter)
        .arg(firstParameter + 1);
}

QString prefixUpperBound(const QString& prefix)
{
    // Texts compare by their UTF-8 bytes; no character a code can hold sorts after the last one of Unicode.
    return prefix + QString::fromUcs4(U"\U0010FFFF");
}

} // namespace BookSql

namespace {

// One row per first-level code, period and side. A line belongs to the first-level account whose code its own
// code starts with: the chart's first-level codes are three characters long.
QString groupedLinesSql()
{
    return QStringLiteral("Select Substr(c.科目编号,1,3) As 科目, %1 As 期, c.方向 <> 0 As 贷, Sum(%2) As 分, "
                          "Count(*) As 数 From 记账凭证内容 c Join 记账凭证 h On h.编号 = c.编号 Where Not h.已作废 "
                          "Group By 1, 2, 3")
        .arg(voucherPeriodSql(QStringLiteral("h")), BookSql::lineCents(QStringLiteral("c")));
}

QString firstLevelOf(const QString& code)
{
    return code.left(3);
}

} // namespace

bool readBookSums(Connection* connection, BookSums& sums)
{
    sums.accounts.clear();
    if (!connection)
        return false;
    const ReadSnapshot snapshot(connection);

    Statement chart = connection->prepare(
        QStringLiteral("Select 科目编号, 科目名称 From 财务科目 Where Len(科目编号)=3 Order By 科目编号"));
    if (!chart.valid())
        return false;
    std::map<QString, std::size_t> index;
    int rc;
    while ((rc = chart.step()) == 1) {
        FirstLevelAccount account;
        account.code = chart.column(0).toString();
        account.name = chart.column(1).toString();
        index.emplace(account.code, sums.accounts.size());
        sums.accounts.push_back(std::move(account));
    }
    chart.release();
    if (rc < 0 || sums.accounts.empty())
        return false;

    for (const auto& [code, cents] : Openings::all(connection)) {
        if (auto it = index.find(firstLevelOf(code)); it != index.end() && code.startsWith(it->first))
            sums.accounts[it->second].openingCents += cents;
    }

    Statement lines = connection->prepare(groupedLinesSql());
    if (!lines.valid())
        return false;
    while ((rc = lines.step()) == 1) {
        const auto it = index.find(lines.column(0).toString());
        if (it == index.end())
            continue;
        const QVariant period = lines.column(1);
        // A voucher with neither a readable date nor a stored month files under no period of the year.
        SideSums& sides = sums.accounts[it->second].byPeriod[period.isNull() ? qint64 { 0 } : period.toLongLong()];
        const qint64 cents = lines.column(3).toLongLong();
        const qint64 count = lines.column(4).toLongLong();
        if (lines.column(2).toLongLong() != 0) {
            sides.creditCents += cents;
            sides.creditLines += count;
        } else {
            sides.debitCents += cents;
            sides.debitLines += count;
        }
    }
    return rc == 0;
}

qint64 movementCents(Connection* connection, const QString& prefix, qint64 first, qint64 last, bool* ok)
{
    if (ok)
        *ok = false;
    if (!connection)
        return 0;
    QString sql = QStringLiteral("Select Coalesce(Sum(Case When c.方向 Then %1 Else -%1 End), 0) From 记账凭证内容 c "
                                 "Join 记账凭证 h On h.编号 = c.编号 Where Not h.已作废 And %2 Between ?1 And ?2")
                      .arg(BookSql::lineCents(QStringLiteral("c")), voucherPeriodSql(QStringLiteral("h")));
    if (!prefix.isEmpty())
        sql += QStringLiteral(" And ") + BookSql::codePrefixCondition(QStringLiteral("c"), 3);
    Statement st = connection->prepare(sql);
    if (!st.valid())
        return 0;
    st.bind(1, first);
    st.bind(2, last);
    if (!prefix.isEmpty()) {
        st.bind(3, prefix);
        st.bind(4, BookSql::prefixUpperBound(prefix));
    }
    if (st.step() != 1)
        return 0;
    if (ok)
        *ok = true;
    return st.column(0).toLongLong();
}

qint64 openingCents(Connection* connection, const QString& prefix)
{
    if (!prefix.isEmpty())
        return Openings::balanceCents(connection, prefix);
    qint64 sum = 0;
    for (const auto& [code, cents] : Openings::all(connection))
        sum += cents;
    return sum;
}

} // namespace kessory
