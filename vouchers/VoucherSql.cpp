#include "vouchers/VoucherSql.h"

#include "data/Numbers.h"
#include "data/SqlRewrite.h"

namespace kessory::VoucherSql {
namespace {

QString q(const QString& text)
{
    return sqlQuote(text);
}

QString n(qint64 value)
{
    return QString::number(value);
}

} // namespace

QString fullList()
{
    return QStringLiteral("Select * From 记账凭证 Where 凭证号码 > 0 Order By 编号 ");
}

QString findVoucher(qint32 number, const QString& category)
{
    // The blank before And keeps the number and the keyword apart.
    return QStringLiteral("Select * From 记账凭证 Where 凭证号码 =") + n(number) + QStringLiteral(" And 类别='")
        + q(category) + QStringLiteral("' Order By 编号 ");
}

QString nextNumber(const QString& category)
{
    return QStringLiteral("Select Max(凭证号码) As 最大编号 From 记账凭证 Where 类别='") + q(category)
        + QStringLiteral("'");
}

QString header(qint32 number, const QString& category)
{
    return QStringLiteral("Select * From 记账凭证 Where 凭证号码=") + n(number) + QStringLiteral(" And 类别='")
        + q(category) + QStringLiteral("'");
}

QString headerUpdate(const typVoucher& v)
{
    return QStringLiteral("Update 记账凭证 Set 凭证号码=") + n(v.凭证号码) + QStringLiteral(",类别='") + q(v.类别)
        + QStringLiteral("',附单据数 = ") + n(v.附单据数) + QStringLiteral(",月份=") + n(v.月份)
        + QStringLiteral(",记账日期=#") + v.记账日期 + QStringLiteral("#,记账人='") + q(v.记账人)
        + QStringLiteral("',审核人='") + q(v.审核人) + QStringLiteral("',制单人='") + q(v.制单人)
        + QStringLiteral("',已作废=") + boolWord(v.已作废) + QStringLiteral(" Where 凭证号码=") + n(v.凭证号码)
        + QStringLiteral(" And 类别='") + q(v.类别) + QStringLiteral("'");
}

QString headerInsert(const typVoucher& v)
{
    return QStringLiteral("Insert Into 记账凭证 (凭证号码,类别,附单据数,")
        + QStringLiteral("月份,记账日期,记账人,审核人,制单人,已作废)") + QStringLiteral(" Values (") + n(v.凭证号码)
        + QStringLiteral(",'") + q(v.类别) + QStringLiteral("',") + n(v.附单据数) + QStringLiteral(",") + n(v.月份)
        + QStringLiteral(",#") + v.记账日期 + QStringLiteral("#,'") + q(v.记账人) + QStringLiteral("','") + q(v.审核人)
        + QStringLiteral("','") + q(v.制单人) + QStringLiteral("',") + boolWord(v.已作废) + QStringLiteral(")");
}

QString line(qint32 id, int recordNo)
{
    return QStringLiteral("Select * From 记账凭证内容 Where 编号=") + n(id) + QStringLiteral(" And 记录号=")
        + n(recordNo);
}

QString lineUpdate(const typVoucherLine& l, qint32 id, int recordNo, const QString& now)
{
    return QStringLiteral("Update 记账凭证内容 Set 方向=") + boolWord(l.方向) + QStringLiteral(",金额 = ")
        + plainAmount(l.金额) + QStringLiteral(",摘要='") + q(l.摘要) + QStringLiteral("',科目编号='") + q(l.科目代码)
        + QStringLiteral("',备注='") + q(l.备注) + QStringLiteral("',日期=#") + now + QStringLiteral("# Where 编号=")
        + n(id) + QStringLiteral(" And 记录号=") + n(recordNo);
}

QString lineInsert(const typVoucherLine& l, qint32 id, int recordNo, const QString& now)
{
    return QStringLiteral("Insert Into 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,备注,日期) ")
        + QStringLiteral(" Values (") + n(id) + QStringLiteral(",") + n(recordNo) + QStringLiteral(",")
        + boolWord(l.方向) + QStringLiteral(",") + plainAmount(l.金额) + QStringLiteral(",'") + q(l.摘要)
        + QStringLiteral("','") + q(l.科目代码) + QStringLiteral("','") + q(l.备注) + QStringLiteral("',#") + now
        + QStringLiteral("#)");
}

QString staleLineCount(qint32 id, int lineCount)
{
    return QStringLiteral("Select Count(*) As 行数 From 记账凭证内容 Where 编号=") + n(id)
        + QStringLiteral(" And 记录号>") + n(lineCount);
}

QString deleteStaleLines(qint32 id, int lineCount)
{
    return QStringLiteral("Delete From 记账凭证内容 Where 编号=") + n(id) + QStringLiteral(" And 记录号>")
        + n(lineCount);
}

QString lineCount(qint32 id)
{
    return QStringLiteral("Select Count(*) As 行数 From 记账凭证内容 Where 编号=") + n(id);
}

QString deleteLines(qint32 id)
{
    return QStringLiteral("Delete From 记账凭证内容 Where 编号=") + n(id);
}

QString deleteHeader(qint32 number, const QString& category)
{
    return QStringLiteral("Delete From 记账凭证 Where 凭证号码=") + n(number) + QStringLiteral(" And 类别='")
        + q(category) + QStringLiteral("'");
}

QString linesWithAccounts(qint32 id)
{
    return QStringLiteral("Select *, 记账凭证内容.科目编号 As 科目代码 ")
        + QStringLiteral(" From 记账凭证内容, 财务科目") + QStringLiteral(" Where 记账凭证内容.编号 = ") + n(id)
        + QStringLiteral(" and 财务科目.科目编号 = 记账凭证内容.科目编号")
        + QStringLiteral(" Order By 记账凭证内容.编号,财务科目.科目编号");
}

QString accounts()
{
    return QStringLiteral("Select * From 财务科目 Order By 科目编号");
}

QString plainAmount(double yuan)
{
    const qint64 cents = toCents(yuan);
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return (cents < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100) + QLatin1Char('.')
        + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString boolWord(bool b)
{
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace kessory::VoucherSql
