#include "accounts/AccountCode.h"

#include "data/Numbers.h"
#include "data/basDBOperate.h"

#include <cmath>

namespace kessory::accounts {

QString normalizeCode(const QString& text)
{
    const double value = leadingNumber(text);
    // Thirteen digits are well inside a double's exact integers; print them without an exponent.
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

int levelOfLength(qsizetype length)
{
    if (length < kLevel1Length || length > kMaxCodeLength || length % 2 == 0)
        return 0;
    return static_cast<int>((length - kLevel1Length) / 2 + 1);
}

bool isValidCode(const QString& code)
{
    if (levelOfLength(code.size()) == 0)
        return false;
    for (const QChar c : code) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

QString parentCode(const QString& code)
{
    if (code.size() <= kLevel1Length)
        return {};
    return code.left(code.size() - 2).trimmed();
}

QString funCategoryOfCode(const QString& code)
{
    if (code.isEmpty() || code[0] < u'1' || code[0] > u'9')
        return {};
    auto rs = basDBOperate::funNewRecordset();
    const SqlCommand sql { QStringLiteral("Select * From 财务科目类别 Where 编号 = ?"), { code.left(1) } };
    if (!basDBOperate::funOpenRecordset(sql, rs))
        return {};
    return rs->text(QStringLiteral("类别名称"));
}

} // namespace kessory::accounts

namespace kessory::accounts {

CodeField funCodeFieldChange(const QString& text)
{
    if (!(leadingNumber(text) > 0))
        return {};
    CodeField field { text.left(kMaxCodeLength), QString() };
    field.category = funCategoryOfCode(normalizeCode(field.code));
    if (field.category.isEmpty())
        return {};
    return field;
}

} // namespace kessory::accounts
