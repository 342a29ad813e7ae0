#include "vouchers/BookBalances.h"

#include "accounts/Openings.h"
#include "data/Connection.h"
#include "data/VoucherPeriod.h"

namespace kessory::BookBalances {

namespace {

Kind kindOfCategory(const QString& category)
{
    if (category.contains(QStringLiteral("损益")))
        return Kind::ProfitLoss;
    if (category.contains(QStringLiteral("资产")))
        return Kind::Asset;
    if (category.contains(QStringLiteral("负债")))
        return Kind::Liability;
    if (category.contains(QStringLiteral("权益")))
        return Kind::Equity;
    if (category.contains(QStringLiteral("成本")))
        return Kind::Cost;
    return Kind::Unknown;
}

} // namespace

Chart::Chart(Connection* connection)
{
    if (!connection)
        return;
    Statement st = connection->prepare(QStringLiteral("Select 科目编号, 科目类别, 科目名称 From 财务科目"));
    while (st.valid() && st.step() == 1) {
        const QString code = st.column(0).toString().trimmed();
        m_categories[code] = st.column(1).toString().trimmed();
        m_names[code] = st.column(2).toString();
    }
    Statement digits = connection->prepare(QStringLiteral("Select 编号, 类别名称 From 财务科目类别"));
    while (digits.valid() && digits.step() == 1)
        m_categoryByDigit[digits.column(0).toString().trimmed()] = digits.column(1).toString().trimmed();
}

Kind Chart::kindOf(const QString& code) const
{
    for (qsizetype n = code.size(); n > 0; --n) {
        const auto found = m_categories.find(code.left(n));
        if (found != m_categories.end() && !found->second.isEmpty())
            return kindOfCategory(found->second);
    }
    const auto digit = m_categoryByDigit.find(code.left(1));
    return digit == m_categoryByDigit.end() ? Kind::Unknown : kindOfCategory(digit->second);
}

QString Chart::nameOf(const QString& code) const
{
    for (qsizetype n = code.size(); n > 0; --n) {
        const auto found = m_names.find(code.left(n));
        if (found != m_names.end())
            return found->second;
    }
    return {};
}

bool carriesForward(Kind kind)
{
    return kind == Kind::Asset || kind == Kind::Liability || kind == Kind::Equity || kind == Kind::Cost;
}

std::map<QString, qint64> posted(Connection* connection, int throughMonth)
{
    std::map<QString, qint64> result;
    if (!connection)
        return result;
    // Each line is rounded to whole fen before it is added, so the sum is exact integer arithmetic.
    Statement st = connection->prepare(
        QStringLiteral(
            "Select l.科目编号, Sum(Case When l.方向 Then 1 Else -1 End * Cast(Round(l.金额 * 100) As Integer))"
            " From 记账凭证内容 l Join 记账凭证 h On h.编号 = l.编号"
            " Where Not h.已作废 And %1 Between 1 And ? Group By l.科目编号")
            .arg(voucherPeriodSql(QStringLiteral("h"))));
    if (!st.valid())
        return result;
    st.bind(1, throughMonth);
    while (st.step() == 1)
        result[st.column(0).toString().trimmed()] += st.column(1).toLongLong();
    return result;
}

std::map<QString, qint64> closing(Connection* connection, int throughMonth)
{
    std::map<QString, qint64> result = Openings::all(connection);
    for (const auto& [code, cents] : posted(connection, throughMonth))
        result[code] += cents;
    return result;
}

} // namespace kessory::BookBalances
