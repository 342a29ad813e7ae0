#include "vouchers/AccountList.h"

#include "data/basDBOperate.h"
#include "vouchers/VoucherSql.h"

namespace kessory::AccountList {

std::optional<QStringList> load()
{
    RecordsetPtr rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(VoucherSql::accounts(), rs))
        return std::nullopt;
    QStringList entries;
    while (!rs->eof()) {
        entries << rs->text(QStringLiteral("科目编号")) + QLatin1Char(' ') + rs->text(QStringLiteral("科目名称"));
        rs->moveNext();
    }
    rs->close();
    return entries;
}

Entry split(const QString& entry)
{
    const QString trimmed = entry.trimmed();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return { trimmed, QString(), false };
    const QString name = trimmed.mid(blank + 1).trimmed();
    return { trimmed.left(blank), name, !name.isEmpty() };
}

int locate(const QStringList& entries, const QString& text, int current)
{
    if (text.isEmpty())
        return entries.isEmpty() ? current : 0;
    for (int i = 0; i < entries.size(); ++i) {
        const Entry e = split(entries[i]);
        if (e.code.startsWith(text, Qt::CaseSensitive) || e.name.contains(text, Qt::CaseSensitive))
            return i;
    }
    return current;
}

} // namespace kessory::AccountList
