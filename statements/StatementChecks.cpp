#include "statements/StatementChecks.h"

#include "data/BookSettings.h"
#include "data/Connection.h"
#include "data/VoucherPeriod.h"
#include "statements/BookFigures.h"
#include "statements/StatementDefinition.h"

#include <cmath>

namespace kessory {
namespace {

QString trimmedCaption(const StatementLine& line)
{
    return line.row.caption.trimmed();
}

const StatementLine* findLine(const StatementReport& report, const std::function<bool(const QString&)>& match)
{
    for (const StatementLine& l : report.lines) {
        if (match(trimmedCaption(l)))
            return &l;
    }
    return nullptr;
}

// Compares a statement figure with the books' own; the texts name both and, when they differ, the difference.
StatementCheck compare(const QString& column, const QString& what, const StatementCell& cell, const QString& against,
                       qint64 expected, const QString& note = QString())
{
    StatementCheck check;
    if (cell.state == StatementCell::State::Error) {
        check.text = QStringLiteral("%1：%2有公式错误，无法核对").arg(column, what);
        return check;
    }
    const qint64 difference = cell.cents - expected;
    check.holds = difference == 0;
    if (check.holds)
        check.text = QStringLiteral("%1：%2 = %3 %4").arg(column, what, against, moneyText(expected));
    else
        check.text
            = QStringLiteral("%1：%2 %3 ≠ %4 %5，差额 %6%7")
                  .arg(column, what, moneyText(cell.cents), against, moneyText(expected), moneyText(difference), note);
    return check;
}

QString accountNamed(const BookFigures& figures, const QString& name)
{
    for (const auto& [code, a] : figures.chart()) {
        if (a.name.trimmed() == name)
            return code;
    }
    return {};
}

// Credit minus debit of the profit account over months from..to, leaving out the vouchers that also touch the
// distribution account: what the year's profit and loss carried into it.
qint64 profitCarried(Connection* connection, const QString& profit, const QString& distribution, int from, int to)
{
    QString sql = QStringLiteral("Select Sum(Case When l.方向 <> 0 Then Round(l.金额 * 100) Else -Round(l.金额 * 100) "
                                 "End) From 记账凭证内容 As l Inner Join 记账凭证 As h On h.编号 = l.编号 "
                                 "Where Not h.已作废 And l.科目编号 >= ? And l.科目编号 < ? And %1 Between ? And ?")
                      .arg(voucherPeriodSql(QStringLiteral("h")));
    if (!distribution.isEmpty())
        sql += QStringLiteral(
            " And l.编号 Not In (Select 编号 From 记账凭证内容 Where 科目编号 >= ? And 科目编号 < ?)");
    Statement st = connection->prepare(sql);
    if (!st.valid())
        return 0;
    // Codes are digits: the range [code, code + ":") holds the account and its sub-accounts.
    st.bind(1, profit);
    st.bind(2, profit + QStringLiteral(":"));
    st.bind(3, from);
    st.bind(4, to);
    if (!distribution.isEmpty()) {
        st.bind(5, distribution);
        st.bind(6, distribution + QStringLiteral(":"));
    }
    return st.step() == 1 ? std::llround(st.column(0).toDouble()) : 0;
}

void balanceSheetChecks(const StatementDefinition& statement, const StatementReport& report,
                        std::vector<StatementCheck>& checks)
{
    const StatementLine* assets = findLine(report, [](const QString& c) {
        return c.endsWith(QStringLiteral("资产总计")) && !c.contains(QStringLiteral("负债"));
    });
    const StatementLine* claims = findLine(report, [](const QString& c) {
        return c.contains(QStringLiteral("负债")) && c.endsWith(QStringLiteral("总计"));
    });
    if (!assets || !claims)
        return;
    for (std::size_t v = 0; v < assets->cells.size() && v < claims->cells.size(); ++v) {
        const StatementCell& a = assets->cells[v];
        const StatementCell& c = claims->cells[v];
        const QString column = statement.valueFields.value(static_cast<qsizetype>(v));
        if (c.state == StatementCell::State::Error) {
            checks.push_back({ QStringLiteral("%1：负债和所有者权益总计有公式错误，无法核对").arg(column), false });
            continue;
        }
        checks.push_back(
            compare(column, QStringLiteral("资产总计"), a, QStringLiteral("负债和所有者权益总计"), c.cents));
    }
}

void incomeChecks(Connection* connection, const StatementDefinition& statement, const StatementReport& report,
                  const BookFigures& figures, StatementPeriod period, std::vector<StatementCheck>& checks)
{
    const StatementLine* net = findLine(report, [](const QString& c) { return c.contains(QStringLiteral("净利润")); });
    QString profit = BookSettings::value(connection, QStringLiteral("本年利润科目")).trimmed();
    if (!figures.account(profit))
        profit = accountNamed(figures, QStringLiteral("本年利润"));
    if (!net || profit.isEmpty())
        return;
    const QString distribution = accountNamed(figures, QStringLiteral("利润分配"));
    for (std::size_t v = 0; v < net->cells.size(); ++v) {
        const QString column = statement.valueFields.value(static_cast<qsizetype>(v));
        const int from = column == QStringLiteral("本年累计数") ? 1 : period.start;
        const qint64 carried = profitCarried(connection, profit, distribution, from, period.end);
        const qint64 left = figures.profitAndLossMovement(from, period.end);
        const QString note = left != 0 ? QStringLiteral("（损益类尚有 %1 未结转）").arg(moneyText(left)) : QString();
        checks.push_back(
            compare(column, QStringLiteral("净利润"), net->cells[v], QStringLiteral("本年利润发生额"), carried, note));
    }
}

void cashFlowChecks(const StatementDefinition& statement, const StatementReport& report, const BookFigures& figures,
                    StatementPeriod period, std::vector<StatementCheck>& checks)
{
    const StatementLine* increase
        = findLine(report, [](const QString& c) { return c.contains(QStringLiteral("净增加额")); });
    if (!increase || increase->cells.empty())
        return;
    checks.push_back(compare(statement.valueFields.value(0), QStringLiteral("现金净增加额"), increase->cells.front(),
                             QStringLiteral("现金类科目增加额"), figures.cashIncrease(period.start, period.end)));
}

} // namespace

std::vector<StatementCheck> statementChecks(Connection* connection, const StatementDefinition& statement,
                                            const StatementReport& report, const BookFigures& figures,
                                            StatementPeriod period)
{
    std::vector<StatementCheck> checks;
    if (!connection)
        return checks;
    if (statement.table == QStringLiteral("资产负债表"))
        balanceSheetChecks(statement, report, checks);
    else if (statement.table == QStringLiteral("损益表"))
        incomeChecks(connection, statement, report, figures, period, checks);
    else if (statement.table == QStringLiteral("现金流量表"))
        cashFlowChecks(statement, report, figures, period, checks);
    return checks;
}

} // namespace kessory
