#include "accounts/AccountCheck.h"

#include "accounts/AccountCode.h"
#include "data/basDBOperate.h"

namespace kessory::accounts {
namespace {

bool accountExists(const QString& code)
{
    auto rs = basDBOperate::funNewRecordset();
    return basDBOperate::funOpenRecordset(
        SqlCommand { QStringLiteral("Select * From 财务科目 Where 科目编号 = ? Order By 科目编号"), { code } }, rs);
}

} // namespace

QString funCheckCode(const QString& code)
{
    if (code.trimmed().isEmpty())
        return QStringLiteral("缺少参数");
    const QString c = normalizeCode(code);
    // A code is digits only: "100.5" has a valid length but could never be a code.
    if (!isValidCode(c))
        return QStringLiteral("无效的编号长度");
    if (!accountExists(c.left(kLevel1Length)))
        return QStringLiteral("科目类别不存在");
    if (accountExists(c))
        return QStringLiteral("科目已存在");
    if (!accountExists(parentCode(c)))
        return QStringLiteral("上级科目不存在");
    return QStringLiteral("OK");
}

QString childKeyRefusal(const QString& key)
{
    if (key.size() >= kMaxCodeLength)
        return QStringLiteral("已达到科目级长极限,无法建立子科目");
    if (key.size() < kLevel1Length)
        return QStringLiteral("无法建立一级科目");
    return {};
}

std::optional<QString> proposeChildCode(const QString& code)
{
    const QString s = code.trimmed();
    const qsizetype childLength = s.size() + 2;
    auto rs = basDBOperate::funNewRecordset();
    const SqlCommand sql { QStringLiteral("Select max(科目编号) As 最大编号 From 财务科目 Where 科目编号 Like ?"),
                           { s + u'%' } };
    if (!basDBOperate::funOpenRecordset(sql, rs))
        return s; // a later check then reports the code as existing
    QString highest = rs->text(QStringLiteral("最大编号")).trimmed();
    if (highest.isEmpty())
        highest = s;
    // The highest code of the sub-tree may belong to a deeper level (1000201 above 10002): its first digits are then
    // the highest child, or above it, and one more is still free.
    if (highest.size() > childLength)
        highest.truncate(childLength);
    else
        highest = highest.leftJustified(childLength, u'0');
    bool ok = false;
    const qint64 value = highest.toLongLong(&ok);
    const QString next
        = ok ? QStringLiteral("%1").arg(value + 1, static_cast<int>(childLength), 10, QLatin1Char('0')) : QString();
    if (!ok || next.size() != childLength || !next.startsWith(s))
        return std::nullopt;
    return next;
}

} // namespace kessory::accounts
