#include "ledgers/BookSums.h"

#include "accounts/Openings.h"
#include "data/Connection.h"
#include "data/VoucherPeriod.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <limits>
#include <sqlite3.h>
#include <unordered_map>
#include <vector>

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

// On a server, where every row read is sent over the wire: the lines summed there per code, period and side, in code
// order, with their number. The period is taken once a voucher (Offset 0 keeps the planner from taking it once a
// line).
QString groupedInCodeOrderSql()
{
    return QStringLiteral(
               "Select c.科目编号, h.期, c.方向, Cast(Sum(%1) As Integer), Count(*) From 记账凭证内容 c Join "
               "(Select 编号, %2 As 期 From 记账凭证 v Where Not v.已作废 Offset 0) h On h.编号 = c.编号 "
               "Group By 1, 2, 3 Order By 1")
        .arg(BookSql::lineCents(QStringLiteral("c")), voucherPeriodSql(QStringLiteral("v")));
}

// The period of every voucher not voided, by its id.
QString periodsSql()
{
    return QStringLiteral("Select 编号, %1 From 记账凭证 h Where Not h.已作废")
        .arg(voucherPeriodSql(QStringLiteral("h")));
}

// Every line in code order: the order of the index on the code, which holds every column read here, so neither a
// sort nor a visit of the table is needed, and the lines of one first-level account (every code that starts with its
// code) come together. The voucher of each line is looked up in memory.
QString linesInCodeOrderSql()
{
    return QStringLiteral("Select c.科目编号, c.编号, c.方向, %1 From 记账凭证内容 c Order By c.科目编号")
        .arg(BookSql::lineCents(QStringLiteral("c")));
}

// The periods of the vouchers not voided: a table by id where the ids are dense (as the program writes them),
// otherwise a hash.
class VoucherPeriods {
public:
    static constexpr qint64 kNotFiled = std::numeric_limits<qint64>::min();

    bool read(Connection* connection)
    {
        Statement st = connection->prepare(periodsSql());
        if (!st.valid())
            return false;
        std::vector<std::pair<qint64, qint64>> rows;
        int rc;
        while ((rc = st.step()) == 1) {
            // A voucher with neither a readable date nor a stored month files under no period of the year.
            rows.emplace_back(st.columnInt64(0), st.isNull(1) ? 0 : st.columnInt64(1));
        }
        if (rc < 0)
            return false;
        qint64 maxId = 0;
        for (const auto& [id, period] : rows)
            maxId = std::max(maxId, id);
        m_dense = maxId < qint64 { 1 } << 24 && maxId <= 4 * static_cast<qint64>(rows.size()) + 1024;
        if (m_dense)
            m_table.assign(static_cast<std::size_t>(maxId) + 1, kNotFiled);
        for (const auto& [id, period] : rows) {
            if (m_dense && id >= 0)
                m_table[static_cast<std::size_t>(id)] = period;
            else
                m_hash.emplace(id, period);
        }
        return true;
    }
    // kNotFiled for a line whose voucher is voided or missing.
    qint64 of(qint64 id) const
    {
        if (m_dense && id >= 0 && id < static_cast<qint64>(m_table.size()))
            return m_table[static_cast<std::size_t>(id)];
        const auto it = m_hash.find(id);
        return it == m_hash.end() ? kNotFiled : it->second;
    }

private:
    bool m_dense = false;
    std::vector<qint64> m_table;
    std::unordered_map<qint64, qint64> m_hash;
};

// A text compared as SQLite's binary collation compares it.
struct Utf8 {
    const char* data = nullptr;
    int size = 0;

    bool startsWith(const QByteArray& prefix) const
    {
        return size >= prefix.size()
            && std::memcmp(data, prefix.constData(), static_cast<std::size_t>(prefix.size())) == 0;
    }
    bool after(const QByteArray& other) const
    {
        const int common = std::min(size, static_cast<int>(other.size()));
        const int c = std::memcmp(data, other.constData(), static_cast<std::size_t>(common));
        return c > 0 || (c == 0 && size > other.size());
    }
};

// Every line of the vouchers not voided, in code order, as (code, period, credit side, amount in fen, 1); on a server,
// every group of lines of one code, period and side, with their number. visit returns false to stop. False when the
// lines cannot be read.
template <typename Visit> bool forEachLineSum(Connection* connection, Visit&& visit)
{
    const bool server = connection->engine() == Engine::Postgres;
    VoucherPeriods periods;
    if (!server && !periods.read(connection))
        return false;
    Statement lines = connection->prepare(server ? groupedInCodeOrderSql() : linesInCodeOrderSql());
    if (!lines.valid())
        return false;
    // A book file's codes are read in place; a server's come as text.
    sqlite3_stmt* st = lines.handle();
    QByteArray serverCode;
    int rc;
    while ((rc = lines.step()) == 1) {
        if (lines.isNull(0))
            continue;
        const char* text;
        int length;
        if (st) {
            text = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
            length = sqlite3_column_bytes(st, 0);
        } else {
            serverCode = lines.column(0).toString().toUtf8();
            text = serverCode.constData();
            length = static_cast<int>(serverCode.size());
        }
        // A voucher with neither a readable date nor a stored month files under no period of the year.
        const qint64 period = server ? (lines.isNull(1) ? 0 : lines.columnInt64(1)) : periods.of(lines.columnInt64(1));
        if (period == VoucherPeriods::kNotFiled)
            continue;
        if (!visit(Utf8 { text, length }, period, lines.columnInt64(2) != 0, lines.columnInt64(3),
                   server ? lines.columnInt64(4) : qint64 { 1 }))
            return true;
    }
    return rc == 0;
}

} // namespace

void SideSums::add(bool credit, qint64 cents, qint64 lineCount)
{
    if (credit) {
        creditCents += cents;
        creditLines += lineCount;
    } else {
        debitCents += cents;
        debitLines += lineCount;
    }
}

bool readCodeSums(Connection* connection,
                  const std::function<void(const QString& code, const std::map<qint64, SideSums>& byPeriod)>& take)
{
    if (!connection)
        return false;
    const ReadSnapshot snapshot(connection);
    QByteArray current;
    bool any = false;
    std::map<qint64, SideSums> byPeriod;
    const bool read
        = forEachLineSum(connection, [&](const Utf8& code, qint64 period, bool credit, qint64 cents, qint64 count) {
              if (!any || code.size != current.size()
                  || std::memcmp(code.data, current.constData(), static_cast<std::size_t>(code.size)) != 0) {
                  if (any)
                      take(QString::fromUtf8(current), byPeriod);
                  current = QByteArray(code.data, code.size);
                  byPeriod.clear();
                  any = true;
              }
              byPeriod[period].add(credit, cents, count);
              return true;
          });
    if (read && any)
        take(QString::fromUtf8(current), byPeriod);
    return read;
}

bool readBookSums(Connection* connection, const std::function<bool(FirstLevelAccount&&)>& take)
{
    if (!connection)
        return false;
    const ReadSnapshot snapshot(connection);

    std::vector<FirstLevelAccount> accounts;
    Statement chart = connection->prepare(
        QStringLiteral("Select 科目编号, 科目名称 From 财务科目 Where Len(科目编号)=3 Order By 科目编号"));
    if (!chart.valid())
        return false;
    int rc;
    while ((rc = chart.step()) == 1) {
        FirstLevelAccount account;
        account.code = chart.column(0).toString();
        account.name = chart.column(1).toString();
        accounts.push_back(std::move(account));
    }
    chart.release();
    if (rc < 0 || accounts.empty())
        return false;
    std::vector<QByteArray> codes;
    codes.reserve(accounts.size());
    for (const FirstLevelAccount& account : accounts)
        codes.push_back(account.code.toUtf8());

    const std::map<QString, qint64> openings = Openings::all(connection);
    for (FirstLevelAccount& account : accounts) {
        for (auto it = openings.lower_bound(account.code); it != openings.end() && it->first.startsWith(account.code);
             ++it)
            account.openingCents += it->second;
    }

    std::size_t next = 0; // the first account not yet handed over
    bool stopped = false;
    const bool read
        = forEachLineSum(connection, [&](const Utf8& code, qint64 period, bool credit, qint64 cents, qint64 count) {
              // Accounts whose codes lie wholly before this line are complete.
              while (next < accounts.size() && !code.startsWith(codes[next]) && code.after(codes[next])) {
                  if (!take(std::move(accounts[next++]))) {
                      stopped = true;
                      return false;
                  }
              }
              if (next == accounts.size())
                  return false;
              if (!code.startsWith(codes[next]))
                  return true; // a code outside the chart's first-level accounts
              accounts[next].byPeriod[period].add(credit, cents, count);
              return true;
          });
    if (stopped)
        return true;
    if (!read)
        return false;
    for (; next < accounts.size(); ++next) {
        if (!take(std::move(accounts[next])))
            break;
    }
    return true;
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
