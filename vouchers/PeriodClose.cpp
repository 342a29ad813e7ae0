#include "vouchers/PeriodClose.h"

#include "accounts/Openings.h"
#include "data/BookAccess.h"
#include "data/BookExtensions.h"
#include "data/BookSettings.h"
#include "data/ChangeLog.h"
#include "data/Connection.h"
#include "data/Seats.h"
#include "data/VoucherPeriod.h"
#include "shell/Clock.h"
#include "shell/Operators.h"

#include <QRegularExpression>
#include <optional>

namespace kessory::PeriodClose {

namespace {

const char* const kTable = "已结账月份";
// At most this many blockers are listed; the rest are counted.
constexpr int kListed = 20;

// Why this operator may not close or reopen a month of this book; empty when they may.
QString closeRefusal(Connection* connection)
{
    const QString readOnly = BookAccess::writeRefusal(connection);
    return readOnly.isEmpty() ? Operators::refusal(Operators::Action::CloseMonths) : readOnly;
}

QString monthName(Connection* connection, int month)
{
    return QStringLiteral("%1年%2月").arg(BookSettings::bookYear(connection)).arg(month);
}

QString yuan(qint64 cents)
{
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

struct YearMonth {
    int year = 0;
    int month = 0;
};

std::optional<YearMonth> yearMonthOf(const QString& dateText)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{4})[-/](\\d{1,2})[-/](\\d{1,2})"));
    const QRegularExpressionMatch m = pattern.match(dateText);
    if (!m.hasMatch())
        return std::nullopt;
    const int month = m.captured(2).toInt();
    if (month < 1 || month > 12)
        return std::nullopt;
    return YearMonth { m.captured(1).toInt(), month };
}

QString storedDate(Connection* connection, qint32 id)
{
    Statement st = connection->prepare(QStringLiteral("Select 记账日期, 月份 From 记账凭证 Where 编号 = ?"));
    if (!st.valid())
        return {};
    st.bind(1, id);
    if (st.step() != 1)
        return {};
    const QString date = st.column(0).toString();
    if (yearMonthOf(date))
        return date;
    // A date that cannot be read files the voucher under its stored month, as every book does.
    const int month = st.column(1).toInt();
    if (month < 1 || month > 12)
        return {};
    return QStringLiteral("%1-%2-01").arg(BookSettings::bookYear(connection)).arg(month, 2, 10, QLatin1Char('0'));
}

} // namespace

int lastClosedMonth(Connection* connection)
{
    if (!connection || !hasTable(*connection, kTable))
        return 0;
    Statement st = connection->prepare(QStringLiteral("Select Max(月份) From 已结账月份 Where 月份 Between 1 And 12"));
    if (!st.valid() || st.step() != 1)
        return 0;
    return st.column(0).toInt();
}

int firstOpenMonth(Connection* connection)
{
    return lastClosedMonth(connection) + 1;
}

QString closedMessage(Connection* connection, const QString& dateText)
{
    const std::optional<YearMonth> when = yearMonthOf(dateText);
    // The closed months first: on a book with none closed (most of the year) the book's year, which may take a pass
    // over the vouchers' dates, is never asked.
    if (!when || when->month > lastClosedMonth(connection) || when->year != BookSettings::bookYear(connection))
        return {};
    return QStringLiteral("%1已结账，不能新增、修改、审核、作废或删除该月的凭证。\n如需改动，请先反结账。")
        .arg(monthName(connection, when->month));
}

QString voucherRefusal(Connection* connection, qint32 storedId, const QString& newDate)
{
    const QString readOnly = BookAccess::writeRefusal(connection);
    if (!readOnly.isEmpty())
        return readOnly;
    if (storedId > 0) {
        const QString stored = closedMessage(connection, storedDate(connection, storedId));
        if (!stored.isEmpty())
            return stored;
    }
    return closedMessage(connection, newDate);
}

QStringList closeBlockers(Connection* connection, int month)
{
    QStringList blockers;
    if (!connection)
        return blockers;
    const QString period = voucherPeriodSql(QStringLiteral("h"));
    Statement vouchers = connection->prepare(
        QStringLiteral("Select h.类别, h.凭证号码, Trim(Coalesce(h.审核人, '')) = '',"
                       " Sum(Case When l.方向 Then 0 Else Cast(Round(l.金额 * 100) As Integer) End),"
                       " Sum(Case When l.方向 Then Cast(Round(l.金额 * 100) As Integer) Else 0 End)"
                       " From 记账凭证 h Left Join 记账凭证内容 l On l.编号 = h.编号"
                       " Where Not h.已作废 And %1 = ? Group By h.编号 Order By h.类别, h.凭证号码")
            .arg(period));
    vouchers.bind(1, month);
    QStringList unaudited;
    QStringList unbalanced;
    while (vouchers.valid() && vouchers.step() == 1) {
        const QString name = QStringLiteral("%1字第%2号凭证")
                                 .arg(vouchers.column(0).toString().trimmed(), vouchers.column(1).toString());
        if (vouchers.column(2).toInt() != 0)
            unaudited << name + QStringLiteral("未审核");
        const qint64 debit = vouchers.column(3).toLongLong();
        const qint64 credit = vouchers.column(4).toLongLong();
        if (debit != credit)
            unbalanced << name + QStringLiteral("借贷不平衡（差额 %1 元）").arg(yuan(debit - credit));
    }
    blockers << unaudited << unbalanced;

    qint64 openDebit = 0;
    qint64 openCredit = 0;
    for (const auto& [code, cents] : Openings::all(connection))
        (cents < 0 ? openDebit : openCredit) += cents < 0 ? -cents : cents;
    if (openDebit != openCredit)
        blockers << QStringLiteral("期初余额试算不平衡：借方 %1 元，贷方 %2 元").arg(yuan(openDebit), yuan(openCredit));

    Statement totals = connection->prepare(
        QStringLiteral("Select Sum(Case When l.方向 Then 0 Else Cast(Round(l.金额 * 100) As Integer) End),"
                       " Sum(Case When l.方向 Then Cast(Round(l.金额 * 100) As Integer) Else 0 End)"
                       " From 记账凭证内容 l Join 记账凭证 h On h.编号 = l.编号"
                       " Where Not h.已作废 And %1 Between 1 And ?")
            .arg(period));
    totals.bind(1, month);
    if (totals.valid() && totals.step() == 1) {
        const qint64 debit = totals.column(0).toLongLong();
        const qint64 credit = totals.column(1).toLongLong();
        if (debit != credit)
            blockers << QStringLiteral("截至%1月的发生额试算不平衡：借方合计 %2 元，贷方合计 %3 元")
                            .arg(month)
                            .arg(yuan(debit), yuan(credit));
    }

    if (blockers.size() > kListed) {
        const qsizetype more = blockers.size() - kListed;
        blockers = blockers.mid(0, kListed);
        blockers << QStringLiteral("……另有 %1 项").arg(more);
    }
    return blockers;
}

Result closeNextMonth(Connection* connection)
{
    if (const QString refusal = closeRefusal(connection); !refusal.isEmpty())
        return { false, refusal };
    if (!connection || !hasTable(*connection, kTable))
        return { false, QStringLiteral("账簿缺少结账所需的表，无法结账。") };
    // The checks run inside the write's transaction: no voucher of another copy can land between them and the close.
    // On a server book another seat's save in progress is not waited for: the close is refused, naming that seat.
    Transaction tx(connection, Transaction::Wait::Never);
    if (tx.otherSeatWriting())
        return { false, Seats::busyMessage(*connection, QStringLiteral("结账")) };
    if (!tx.active())
        return { false, QStringLiteral("结账失败：数据文件无法写入。") };
    const int month = firstOpenMonth(connection);
    if (month > 12)
        return { false, QStringLiteral("%1年12月已结账，本年各月均已结账。").arg(BookSettings::bookYear(connection)) };
    const QStringList blockers = closeBlockers(connection, month);
    if (!blockers.isEmpty())
        return { false, QStringLiteral("%1不能结账：\n").arg(monthName(connection, month)) + blockers.join(u'\n') };
    Statement insert = connection->prepare(QStringLiteral("Insert Into 已结账月份 (月份, 结账时间) Values (?, ?)"));
    insert.bind(1, month);
    insert.bind(2, Clock::generalDate());
    if (!insert.valid() || insert.step() != 0
        || !ChangeLog::append(*connection,
                              { QStringLiteral("结账"), ChangeLog::kPeriod, QString::number(month),
                                monthName(connection, month), QString() })
        || !tx.commit())
        return { false, QStringLiteral("结账失败：数据文件无法写入。") };
    return { true, QStringLiteral("%1结账完成。").arg(monthName(connection, month)) };
}

Result reopenLastMonth(Connection* connection)
{
    if (const QString refusal = closeRefusal(connection); !refusal.isEmpty())
        return { false, refusal };
    Transaction tx(connection, Transaction::Wait::Never);
    if (tx.otherSeatWriting())
        return { false, Seats::busyMessage(*connection, QStringLiteral("反结账")) };
    const int month = lastClosedMonth(connection);
    if (month == 0)
        return { false, QStringLiteral("没有已结账的月份。") };
    if (!tx.active())
        return { false, QStringLiteral("反结账失败：数据文件无法写入。") };
    Statement remove = connection->prepare(QStringLiteral("Delete From 已结账月份 Where 月份 >= ?"));
    remove.bind(1, month);
    if (!remove.valid() || remove.step() != 0
        || !ChangeLog::append(*connection,
                              { QStringLiteral("反结账"), ChangeLog::kPeriod, QString::number(month),
                                monthName(connection, month), QString() })
        || !tx.commit())
        return { false, QStringLiteral("反结账失败：数据文件无法写入。") };
    return { true, QStringLiteral("%1已反结账。").arg(monthName(connection, month)) };
}

} // namespace kessory::PeriodClose
