#include "accounts/AccountDetail.h"

#include "data/basDBOperate.h"

namespace kessory::accounts {

std::optional<AccountDetail> funReadAccount(const QString& code)
{
    auto rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(
            SqlCommand { QStringLiteral("Select * From 财务科目 Where 科目编号 = ? Order By 科目编号"), { code } }, rs))
        return std::nullopt;
    AccountDetail a;
    a.科目编号 = rs->text(QStringLiteral("科目编号"));
    a.科目名称 = rs->text(QStringLiteral("科目名称"));
    a.科目类别 = rs->text(QStringLiteral("科目类别"));
    a.级次 = static_cast<int>(rs->integer(QStringLiteral("级次")));
    a.末级账 = rs->boolean(QStringLiteral("末级账"));
    a.银行账 = rs->boolean(QStringLiteral("银行账"));
    a.科目性质 = rs->boolean(QStringLiteral("科目性质"));
    a.账页格式 = rs->text(QStringLiteral("账页格式")).trimmed();
    a.外币币种 = rs->text(QStringLiteral("外币币种")).trimmed();
    a.数量单位 = rs->text(QStringLiteral("数量单位")).trimmed();
    a.记账方式 = rs->text(QStringLiteral("记账方式")).trimmed();
    rs->close();
    return a;
}

QString natureLine(const AccountDetail& account)
{
    QString line = account.科目性质 ? QStringLiteral("科目性质:占用类") : QStringLiteral("科目性质:来源类");
    if (account.末级账 && account.级次 > 1)
        line += QStringLiteral(",末级科目.");
    else
        line += QLatin1Char(',') + QString::number(account.级次) + QStringLiteral(" 级科目.");
    return line;
}

} // namespace kessory::accounts
