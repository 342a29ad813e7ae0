#include "vouchers/VoucherSql.h"

#include "data/Numbers.h"
#include "data/SqlRewrite.h"

namespace kessory::VoucherSql {
namespace {

QString n(qint64 value)
{
    return QString::number(value);
}

// Amounts are stored as numbers with two decimals, from whole cents.
double storedAmount(double yuan)
{
    return fromCents(toCents(yuan));
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
        + sqlQuote(category) + QStringLiteral("' Order By 编号 ");
}

QString voucherById(qint32 id)
{
    return QStringLiteral("Select * From 记账凭证 Where 编号=") + n(id) + QStringLiteral(" Order By 编号 ");
}

SqlCommand nextNumber(const QString& category)
{
    return { QStringLiteral("Select Max(凭证号码) As 最大编号 From 记账凭证 Where 类别=?"), { category } };
}

SqlCommand numberTaken(qint32 number, const QString& category)
{
    return { QStringLiteral("Select 编号 From 记账凭证 Where 凭证号码=? And 类别=?"), { number, category } };
}

SqlCommand headerById(qint32 id)
{
    return { QStringLiteral("Select * From 记账凭证 Where 编号=?"), { id } };
}

SqlCommand storedLines(qint32 id)
{
    return { QStringLiteral("Select 编号,记录号,方向,金额,摘要,科目编号 As 科目代码,备注,日期 From 记账凭证内容 "
                            "Where 编号=? Order By 记录号"),
             { id } };
}

SqlCommand headerUpdate(const typVoucher& v)
{
    return { QStringLiteral("Update 记账凭证 Set 附单据数=?,月份=?,记账日期=?,记账人=?,审核人=?,制单人=?,已作废=? "
                            "Where 编号=?"),
             { v.附单据数, v.月份, v.记账日期, v.记账人, v.审核人, v.制单人, v.已作废, v.编号 } };
}

SqlCommand headerInsert(const typVoucher& v)
{
    return { QStringLiteral("Insert Into 记账凭证 (凭证号码,类别,附单据数,月份,记账日期,记账人,审核人,制单人,已作废) "
                            "Values (?,?,?,?,?,?,?,?,?)"),
             { v.凭证号码, v.类别, v.附单据数, v.月份, v.记账日期, v.记账人, v.审核人, v.制单人, v.已作废 } };
}

SqlCommand lineExists(qint32 id, int recordNo)
{
    return { QStringLiteral("Select 编号 From 记账凭证内容 Where 编号=? And 记录号=?"), { id, recordNo } };
}

SqlCommand lineUpdate(const typVoucherLine& l, qint32 id, int recordNo, const QString& now)
{
    return { QStringLiteral("Update 记账凭证内容 Set 方向=?,金额=?,摘要=?,科目编号=?,备注=?,日期=? "
                            "Where 编号=? And 记录号=?"),
             { l.方向, storedAmount(l.金额), l.摘要, l.科目代码, l.备注, now, id, recordNo } };
}

SqlCommand lineInsert(const typVoucherLine& l, qint32 id, int recordNo, const QString& now)
{
    return { QStringLiteral("Insert Into 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,备注,日期) "
                            "Values (?,?,?,?,?,?,?,?)"),
             { id, recordNo, l.方向, storedAmount(l.金额), l.摘要, l.科目代码, l.备注, now } };
}

SqlCommand deleteStaleLines(qint32 id, int lineCount)
{
    return { QStringLiteral("Delete From 记账凭证内容 Where 编号=? And 记录号>?"), { id, lineCount } };
}

SqlCommand deleteLines(qint32 id)
{
    return { QStringLiteral("Delete From 记账凭证内容 Where 编号=?"), { id } };
}

SqlCommand deleteHeader(qint32 id)
{
    return { QStringLiteral("Delete From 记账凭证 Where 编号=?"), { id } };
}

SqlCommand linesWithAccounts(qint32 id)
{
    return { QStringLiteral("Select 记账凭证内容.*, 记账凭证内容.科目编号 As 科目代码, "
                            "Coalesce(财务科目.科目名称, ?) As 科目名称 "
                            "From 记账凭证内容 Left Join 财务科目 On 财务科目.科目编号 = 记账凭证内容.科目编号 "
                            "Where 记账凭证内容.编号 = ? Order By 记账凭证内容.科目编号, 记账凭证内容.记录号"),
             { missingAccountName(), id } };
}

QString accounts()
{
    return QStringLiteral("Select * From 财务科目 Order By 科目编号");
}

SqlCommand accountExists(const QString& code)
{
    return { QStringLiteral("Select 科目编号 From 财务科目 Where 科目编号=?"), { code } };
}

QString missingAccountName()
{
    return QStringLiteral("（科目不存在）");
}

QString plainAmount(double yuan)
{
    const qint64 cents = toCents(yuan);
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return (cents < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100) + QLatin1Char('.')
        + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

} // namespace kessory::VoucherSql
