#include "vouchers/ProfitTransfer.h"

#include "data/BookSettings.h"
#include "data/Connection.h"
#include "vouchers/BookBalances.h"

#include <QDate>

namespace kessory::ProfitTransfer {

namespace {

// The lines one voucher holds.
constexpr qsizetype kMaxLines = 128;

bool accountExists(Connection* connection, const QString& code)
{
    Statement st = connection->prepare(QStringLiteral("Select 1 From 财务科目 Where 科目编号 = ?"));
    st.bind(1, code);
    return st.valid() && st.step() == 1;
}

} // namespace

QString profitAccount(Connection* connection)
{
    if (!connection)
        return {};
    const QString set = BookSettings::value(connection, QStringLiteral("本年利润科目")).trimmed();
    if (!set.isEmpty() && accountExists(connection, set))
        return set;
    Statement st = connection->prepare(
        QStringLiteral("Select 科目编号 From 财务科目 Where Trim(科目名称) = '本年利润' Order By 科目编号"));
    if (st.valid() && st.step() == 1)
        return st.column(0).toString().trimmed();
    return {};
}

Voucher build(Connection* connection, int month)
{
    Voucher v;
    if (month < 1 || month > 12) {
        v.error = QStringLiteral("月份无效。");
        return v;
    }
    const int year = BookSettings::bookYear(connection);
    v.date = QDate(year, month, 1).addMonths(1).addDays(-1).toString(QStringLiteral("yyyy-MM-dd"));
    v.summary = QStringLiteral("结转%1月损益").arg(month);
    const QString profit = profitAccount(connection);
    if (profit.isEmpty()) {
        v.error = QStringLiteral("未设置本年利润科目，请先在“系统→账套设置”中选择。");
        return v;
    }
    const BookBalances::Chart chart(connection);
    QList<Line> income;
    QList<Line> expenses;
    qint64 incomeTotal = 0;
    qint64 expenseTotal = 0;
    for (const auto& [code, balance] : BookBalances::closing(connection, month)) {
        if (balance == 0 || code == profit || chart.kindOf(code) != BookBalances::Kind::ProfitLoss)
            continue;
        const QString name = chart.nameOf(code);
        if (balance > 0) { // a credit balance (income) is debited away
            income << Line { code, name, false, balance };
            incomeTotal += balance;
        } else {
            expenses << Line { code, name, true, -balance };
            expenseTotal -= balance;
        }
    }
    if (income.isEmpty() && expenses.isEmpty()) {
        v.error = QStringLiteral("%1年%2月损益类科目没有余额，无需结转。").arg(year).arg(month);
        return v;
    }
    const QString profitName = chart.nameOf(profit);
    v.lines << income;
    if (incomeTotal != 0)
        v.lines << Line { profit, profitName, true, incomeTotal };
    if (expenseTotal != 0)
        v.lines << Line { profit, profitName, false, expenseTotal };
    v.lines << expenses;
    if (v.lines.size() > kMaxLines) {
        v.error = QStringLiteral("需结转的损益类科目过多，一张凭证容纳不下。");
        v.lines.clear();
    }
    return v;
}

} // namespace kessory::ProfitTransfer
