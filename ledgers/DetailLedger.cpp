#include "ledgers/DetailLedger.h"

#include "data/Numbers.h"
#include "data/SqlRewrite.h"
#include "data/VoucherPeriod.h"
#include "data/basDBOperate.h"
#include "ledgers/BookSums.h"
#include "shell/Clock.h"

#include <cmath>
#include <limits>
#include <optional>

namespace kessory {
namespace {

typMXZJL makeBlankRow()
{
    typMXZJL row;
    row.JZRQ = QStringLiteral("1997-01-01");
    return row;
}

qint16 normalisedPeriod(qint16 period)
{
    return (period > 12 || period < 0) ? qint16(0) : period;
}

// One line of the joined result, or nothing when a field cannot be read as the row needs it.
std::optional<typMXZJL> readLine(kessory::Recordset& rs)
{
    const QVariant side = rs.field(QStringLiteral("方向"));
    const QVariant amount = rs.field(QStringLiteral("金额"));
    const QVariant number = rs.field(QStringLiteral("凭证号码"));
    if (side.isNull() || amount.isNull() || number.isNull())
        return std::nullopt;
    bool ok = false;
    const double je = amount.toDouble(&ok);
    if (!ok || !std::isfinite(je))
        return std::nullopt;
    const qlonglong pzhm = number.toLongLong(&ok);
    if (!ok || pzhm < std::numeric_limits<qint16>::min() || pzhm > std::numeric_limits<qint16>::max())
        return std::nullopt;

    typMXZJL row;
    row.FX = rs.boolean(QStringLiteral("方向"));
    row.JE = roundYuan(je);
    row.PZHM = static_cast<qint16>(pzhm);
    row.JZRQ = rs.text(QStringLiteral("记账日期"));
    row.KMBH = rs.text(QStringLiteral("科目编号"));
    row.LB = rs.text(QStringLiteral("类别"));
    row.ZY = rs.text(QStringLiteral("摘要"));
    return row;
}

} // namespace

DetailLedger::DetailLedger()
    : m_rows(kCapacity, blankRow())
    , m_lines(basDBOperate::funNewRecordset())
{
}

void DetailLedger::setClearSheet(std::function<void()> clearSheet)
{
    m_clearSheet = std::move(clearSheet);
}

const typMXZJL& DetailLedger::blankRow()
{
    static const typMXZJL blank = makeBlankRow();
    return blank;
}

const typMXZJL& DetailLedger::arrMXZJL(int i) const
{
    if (i < 0 || i >= kCapacity)
        return blankRow();
    return m_rows[static_cast<std::size_t>(i)];
}

void DetailLedger::funResetRows()
{
    m_count = 0;
    for (auto& row : m_rows)
        row = blankRow();
}

QString DetailLedger::linesQuery(const QString& accountCode, qint16 period)
{
    QString sql = QStringLiteral("Select * From 记账凭证内容,记账凭证 Where 记账凭证内容.编号=记账凭证.编号 And Not "
                                 "记账凭证.已作废");
    if (!accountCode.isEmpty())
        sql += QStringLiteral(" And 科目编号 like '") + sqlQuote(accountCode) + QStringLiteral("%'");
    if (period != 0)
        sql += QStringLiteral(" And ") + voucherPeriodSql(QStringLiteral("记账凭证")) + QLatin1Char('=')
            + QString::number(period);
    // A voucher's lines on one account in the order they were entered: a server keeps no order of its own.
    sql += QStringLiteral(" Order By 科目编号,记账凭证.编号,记账凭证内容.记录号");
    return sql;
}

qint16 DetailLedger::funQueryLedger(qint16 queryOnly, QString& accountCode, qint16& period)
{
    period = normalisedPeriod(period);
    if (accountCode == u"000")
        accountCode.clear();
    basDBOperate::strSQL = linesQuery(accountCode, period);

    if (m_clearSheet)
        m_clearSheet();
    else
        funResetRows();

    // The lines are read into a recordset of the ledger's own: the shared one may hold another window's list.
    const bool found = basDBOperate::funOpenRecordset(basDBOperate::strSQL, m_lines);
    qint16 result = 0;
    if (found && queryOnly == 0) {
        funBuildRows(m_lines, accountCode, period);
        result = m_count;
    }
    m_lines->close();
    return result;
}

void DetailLedger::funBuildRows(const RecordsetPtr& rs, const QString& accountCode, qint16 period)
{
    period = normalisedPeriod(period);
    funResetRows();
    if (!rs || !rs->isOpen())
        return;
    rs->moveFirst();
    if (!rs->hasCurrent())
        return;

    qint64 balance = 0;
    qint64 debitTotal = 0;
    qint64 creditTotal = 0;

    const qint64 opening = openingBalanceCents(period, accountCode);
    typMXZJL& first = m_rows[0];
    first.FX = opening > 0;
    first.JE = fromCents(opening < 0 ? -opening : opening);
    first.YE = fromCents(opening);
    first.ZY = kOpening.toString();
    first.JZRQ = Clock::generalDate();
    first.KMBH.clear();
    first.LB.clear();
    first.PZHM = 0;
    if (first.FX)
        creditTotal = opening;
    else
        debitTotal = -opening;
    balance = opening;
    m_count = 1;

    for (; rs->hasCurrent(); rs->moveNext()) {
        // A full store or an unreadable line ends the build: no total row, no trailing blank rows.
        if (m_count >= kCapacity)
            return;
        std::optional<typMXZJL> line = readLine(*rs);
        if (!line)
            return;
        const qint64 cents = toCents(line->JE);
        if (line->FX) {
            balance += cents;
            creditTotal += cents;
        } else {
            balance -= cents;
            debitTotal += cents;
        }
        line->YE = fromCents(balance);
        m_rows[static_cast<std::size_t>(m_count)] = std::move(*line);
        ++m_count;
    }

    if (m_count >= kCapacity)
        return;
    typMXZJL& total = m_rows[static_cast<std::size_t>(m_count)];
    total.FX = true;
    total.JE = fromCents(debitTotal);
    total.YE = fromCents(creditTotal);
    total.JZRQ = Clock::generalDate();
    total.KMBH.clear();
    total.LB.clear();
    total.PZHM = 0;
    total.ZY = kTotal.toString();
    ++m_count;

    m_count = static_cast<qint16>(m_count + 2);
}

qint64 DetailLedger::openingBalanceCents(qint16 period, const QString& accountCode)
{
    Connection* connection = basDBOperate::cnnDB.get();
    // The whole year and January start from the year's opening alone.
    qint64 lines = 0;
    if (period > 1) {
        bool ok = false;
        lines = movementCents(connection, accountCode, 1, period - 1, &ok);
        if (!ok)
            return 0;
    }
    return openingCents(connection, accountCode) + lines;
}

double DetailLedger::funGetOpeningBalance(qint16 period, const QString& accountCode)
{
    return fromCents(openingBalanceCents(period, accountCode));
}

} // namespace kessory
