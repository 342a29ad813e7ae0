#include "statements/StatementHeading.h"

#include "data/basDBOperate.h"
#include "shell/Clock.h"

#include <QRegularExpression>

namespace kessory {

QString funEnterpriseName()
{
    RecordsetPtr rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(QStringLiteral("Select 单位名称 From 单位信息"), rs))
        return {};
    const QString name = rs->text(QStringLiteral("单位名称")).trimmed();
    rs->close();
    return name;
}

int funAccountingYear()
{
    RecordsetPtr rs = basDBOperate::funNewRecordset();
    int year = 0;
    if (basDBOperate::funOpenRecordset(QStringLiteral("Select Max(记账日期) As 最近日期 From 记账凭证"), rs))
        year = yearOfDateText(rs->text(QStringLiteral("最近日期")));
    rs->close();
    return year > 0 ? year : Clock::currentYear();
}

int yearOfDateText(const QString& date)
{
    static const QRegularExpression fourDigits(QStringLiteral("(?<!\\d)(\\d{4})(?!\\d)"));
    const QRegularExpressionMatch m = fourDigits.match(date);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace kessory
