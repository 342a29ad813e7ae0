#include "statements/BookFigures.h"

#include "accounts/Openings.h"
#include "data/Connection.h"
#include "data/VoucherPeriod.h"
#include "ledgers/BookSums.h"

#include <algorithm>
#include <cmath>

namespace kessory {
namespace {

__extension__ using Wide = __int128;

bool inMonths(int month)
{
    return month >= 1 && month <= 12;
}

// The voucher lines that count, each with its period: the voided vouchers never do.
QString linesFrom()
{
    return QStringLiteral(" From 记账凭证内容 As l Inner Join 记账凭证 As h On h.编号 = l.编号 Where Not h.已作废 ");
}

// One account's own lines (its sub-accounts not included) over months from..to.
template <class Sums> qint64 ownSum(const Sums& sums, const QString& code, int from, int to)
{
    const auto it = sums.find(code);
    qint64 total = 0;
    if (it != sums.end()) {
        for (int m = std::max(from, 1); m <= std::min(to, 12); ++m)
            total += it->second[static_cast<std::size_t>(m)];
    }
    return total;
}

} // namespace

void splitVoucherCash(const std::vector<CashSplitLine>& lines, std::map<QString, qint64>& received,
                      std::map<QString, qint64>& paid)
{
    qint64 net = 0;
    for (const CashSplitLine& l : lines) {
        if (l.cash)
            net += l.credit ? -l.cents : l.cents;
    }
    if (net == 0)
        return;
    // Cash came in (net debit): the other side is the non-cash credit lines; cash went out: the non-cash debits.
    const bool cameIn = net > 0;
    const qint64 amount = cameIn ? net : -net;
    std::vector<const CashSplitLine*> other;
    qint64 total = 0;
    for (const CashSplitLine& l : lines) {
        if (!l.cash && l.credit == cameIn && l.cents > 0) {
            other.push_back(&l);
            total += l.cents;
        }
    }
    if (total <= 0)
        return;
    std::map<QString, qint64>& target = cameIn ? received : paid;
    qint64 given = 0;
    const CashSplitLine* largest = other.front();
    for (const CashSplitLine* l : other) {
        const qint64 share = static_cast<qint64>(Wide(amount) * l->cents / total);
        target[l->account] += share;
        given += share;
        if (l->cents > largest->cents)
            largest = l;
    }
    target[largest->account] += amount - given;
}

BookFigures BookFigures::load(Connection* connection, int startMonth, int endMonth, bool withCash)
{
    BookFigures f;
    if (!connection)
        return f;
    ReadSnapshot snapshot(connection);

    Statement chart = connection->prepare(QStringLiteral(
        "Select 科目编号, 科目名称, 科目类别, 余额方向, 现金账, 银行账 From 财务科目 Order By 科目编号"));
    while (chart.valid() && chart.step() == 1) {
        Account a;
        const QString code = chart.column(0).toString();
        a.name = chart.column(1).toString();
        a.category = chart.column(2).toString();
        a.creditSide = chart.column(3).toLongLong() != 0;
        a.cash = chart.column(4).toLongLong() != 0 || chart.column(5).toLongLong() != 0;
        f.m_chart[code] = a;
    }
    // A sub-account of a cash account holds cash too (codes come in order, so a parent is seen first).
    for (auto& [code, a] : f.m_chart) {
        for (qsizetype len = code.size() - 2; len >= 3 && !a.cash; len -= 2) {
            const auto parent = f.m_chart.find(code.left(len));
            a.cash = parent != f.m_chart.end() && parent->second.cash;
        }
    }

    f.m_openings = Openings::all(connection);

    // Every code's sums per month and side, from the books' one pass over the lines.
    readCodeSums(connection, [&f](const QString& code, const std::map<qint64, SideSums>& byPeriod) {
        for (const auto& [month, sides] : byPeriod) {
            if (!inMonths(static_cast<int>(month)))
                continue;
            if (sides.creditLines > 0)
                f.m_credit[code][static_cast<std::size_t>(month)] += sides.creditCents;
            if (sides.debitLines > 0)
                f.m_debit[code][static_cast<std::size_t>(month)] += sides.debitCents;
        }
    });

    if (!withCash)
        return f;
    // The lines of the chosen months, voucher by voucher, for the split of cash.
    Statement lines = connection->prepare(QStringLiteral("Select l.编号, l.科目编号, l.方向 <> 0, Round(l.金额 * 100)")
                                          + linesFrom()
                                          + QStringLiteral("And %1 Between ? And ? Order By l.编号, l.记录号")
                                                .arg(voucherPeriodSql(QStringLiteral("h"))));
    if (lines.valid()) {
        lines.bind(1, startMonth);
        lines.bind(2, endMonth);
    }
    std::vector<CashSplitLine> voucher;
    qint64 current = -1;
    const auto flush = [&] {
        splitVoucherCash(voucher, f.m_received, f.m_paid);
        voucher.clear();
    };
    while (lines.valid() && lines.step() == 1) {
        const qint64 id = lines.column(0).toLongLong();
        if (id != current) {
            flush();
            current = id;
        }
        CashSplitLine l;
        l.account = lines.column(1).toString();
        l.credit = lines.column(2).toLongLong() != 0;
        l.cents = std::llround(lines.column(3).toDouble());
        const Account* a = f.account(l.account);
        l.cash = a && a->cash;
        voucher.push_back(l);
    }
    flush();
    return f;
}

const BookFigures::Account* BookFigures::account(const QString& code) const
{
    const auto it = m_chart.find(code);
    return it == m_chart.end() ? nullptr : &it->second;
}

qint64 BookFigures::sumPrefix(const std::map<QString, Months>& sums, const QString& code, int from, int to)
{
    from = std::max(from, 1);
    to = std::min(to, 12);
    qint64 total = 0;
    for (auto it = sums.lower_bound(code); it != sums.end() && it->first.startsWith(code); ++it) {
        for (int m = from; m <= to; ++m)
            total += it->second[static_cast<std::size_t>(m)];
    }
    return total;
}

qint64 BookFigures::sumPrefix(const std::map<QString, qint64>& sums, const QString& code)
{
    qint64 total = 0;
    for (auto it = sums.lower_bound(code); it != sums.end() && it->first.startsWith(code); ++it)
        total += it->second;
    return total;
}

qint64 BookFigures::opening(const QString& code) const
{
    return sumPrefix(m_openings, code);
}

qint64 BookFigures::debit(const QString& code, int from, int to) const
{
    return sumPrefix(m_debit, code, from, to);
}

qint64 BookFigures::credit(const QString& code, int from, int to) const
{
    return sumPrefix(m_credit, code, from, to);
}

qint64 BookFigures::received(const QString& code) const
{
    return sumPrefix(m_received, code);
}

qint64 BookFigures::paid(const QString& code) const
{
    return sumPrefix(m_paid, code);
}

qint64 BookFigures::cashIncrease(int from, int to) const
{
    qint64 total = 0;
    for (const auto& [code, a] : m_chart) {
        if (!a.cash)
            continue;
        // Each account's own lines once: a sub-account is visited on its own.
        total += ownSum(m_debit, code, from, to) - ownSum(m_credit, code, from, to);
    }
    return total;
}

qint64 BookFigures::profitAndLossMovement(int from, int to) const
{
    qint64 total = 0;
    for (const auto& [code, a] : m_chart) {
        if (a.category != QStringLiteral("损益类"))
            continue;
        total += ownSum(m_credit, code, from, to) - ownSum(m_debit, code, from, to);
    }
    return total;
}

} // namespace kessory
