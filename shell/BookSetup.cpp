#include "shell/BookSetup.h"

#include "data/BookAccess.h"
#include "data/BookExtensions.h"
#include "data/BookSettings.h"
#include "data/Connection.h"
#include "vouchers/PeriodClose.h"
#include "vouchers/ProfitTransfer.h"

namespace kessory::BookSetup {

namespace {

constexpr int kNameLength = 100;

bool write(Connection& c, const QString& sql, std::initializer_list<QVariant> values)
{
    Statement st = c.prepare(sql);
    int i = 1;
    for (const QVariant& v : values)
        st.bind(i++, v);
    return st.valid() && st.step() == 0;
}

} // namespace

Values current(Connection* connection)
{
    Values v;
    v.year = BookSettings::bookYear(connection);
    v.enterprise = BookSettings::value(connection, QStringLiteral("单位名称")).trimmed();
    if (v.enterprise.isEmpty() && connection) {
        Statement st = connection->prepare(QStringLiteral("Select 单位名称 From 单位信息"));
        if (st.valid() && st.step() == 1)
            v.enterprise = st.column(0).toString().trimmed();
    }
    v.profitAccount = ProfitTransfer::profitAccount(connection);
    return v;
}

QString save(Connection* connection, const Values& values)
{
    const QString readOnly = BookAccess::writeRefusal(connection);
    if (!readOnly.isEmpty())
        return readOnly;
    if (!connection || !hasTable(*connection, "账套设置"))
        return QStringLiteral("账簿缺少账套设置表，无法保存。");
    if (values.year < 1900 || values.year > 9999)
        return QStringLiteral("会计年度应在 1900 至 9999 之间。");
    const QString name = values.enterprise.trimmed();
    if (name.size() > kNameLength)
        return QStringLiteral("单位名称不能超过 %1 个字。").arg(kNameLength);
    if (name.contains(QChar(0)))
        return QStringLiteral("单位名称含有无效字符。");

    Transaction tx(connection);
    if (!tx.active())
        return QStringLiteral("账套设置保存失败：数据文件无法写入。");
    if (values.year != BookSettings::bookYear(connection)) {
        if (PeriodClose::lastClosedMonth(connection) > 0)
            return QStringLiteral("已有月份结账，会计年度不能再修改。");
        Statement other = connection->prepare(
            QStringLiteral("Select Substr(Trim(记账日期), 1, 4) From 记账凭证 Where Substr(Trim(记账日期), 1, 4) <> ? "
                           "And Trim(Coalesce(记账日期, '')) <> '' Limit 1"));
        other.bind(1, QString::number(values.year));
        if (other.valid() && other.step() == 1)
            return QStringLiteral("账簿中已有%1年的凭证，会计年度不能改为%2年。")
                .arg(other.column(0).toString())
                .arg(values.year);
    }
    if (!values.profitAccount.isEmpty()) {
        Statement found = connection->prepare(QStringLiteral("Select 1 From 财务科目 Where 科目编号 = ?"));
        found.bind(1, values.profitAccount);
        if (!found.valid() || found.step() != 1)
            return QStringLiteral("本年利润科目 %1 不在科目表中。").arg(values.profitAccount);
    }
    const QString failed = QStringLiteral("账套设置保存失败：数据文件无法写入。");
    if (!BookSettings::setValue(connection, QStringLiteral("会计年度"), QString::number(values.year))
        || !BookSettings::setValue(connection, QStringLiteral("单位名称"), name)
        || !BookSettings::setValue(connection, QStringLiteral("本年利润科目"), values.profitAccount))
        return failed;
    // The statements head with the name kept in 单位信息: it follows the setting.
    Statement count = connection->prepare(QStringLiteral("Select Count(*) From 单位信息"));
    const bool hasRow = count.valid() && count.step() == 1 && count.column(0).toLongLong() > 0;
    count.release();
    const bool named = hasRow
        ? write(*connection, QStringLiteral("Update 单位信息 Set 单位名称 = ?"), { name })
        : write(*connection, QStringLiteral("Insert Into 单位信息 (单位名称) Values (?)"), { name });
    if (!named || !tx.commit())
        return failed;
    return {};
}

} // namespace kessory::BookSetup
