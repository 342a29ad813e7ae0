#include "statements/StatementHeading.h"

#include "data/BookSettings.h"
#include "data/basDBOperate.h"

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

} // namespace kessory
