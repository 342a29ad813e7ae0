#include "statements/StatementHeading.h"

#include "data/BookSettings.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"

namespace kessory {

QString funEnterpriseName()
{
    const QString set = BookSettings::value(basDBOperate::cnnDB.get(), QStringLiteral("单位名称")).trimmed();
    if (!set.isEmpty())
        return set;
    RecordsetPtr rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(QStringLiteral("Select 单位名称 From 单位信息"), rs))
        return {};
    const QString name = rs->text(QStringLiteral("单位名称")).trimmed();
    rs->close();
    return name;
}

int funAccountingYear()
{
    return BookSettings::bookYear(basDBOperate::cnnDB.get());
}

int funDefaultEndMonth()
{
    const int bookYear = funAccountingYear();
    const int year = Clock::currentYear();
    if (year == bookYear)
        return Clock::currentMonth();
    return year > bookYear ? 12 : 1;
}

} // namespace kessory
