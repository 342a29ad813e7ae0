#include "accounts/PageFormat.h"

namespace kessory::accounts {

QStringList pageFormats()
{
    return { QStringLiteral("金额式"), QStringLiteral("数量金额式"), QStringLiteral("外币金额式"),
             QStringLiteral("数量外币式") };
}

PageFormatOptions pageFormatOptions(const QString& pageFormat)
{
    PageFormatOptions o;
    if (pageFormat == QStringLiteral("数量金额式")) {
        o.quantityOffered = o.quantityTicked = true;
    } else if (pageFormat == QStringLiteral("外币金额式")) {
        o.currencyOffered = o.currencyTicked = true;
    } else if (pageFormat == QStringLiteral("数量外币式")) {
        o.currencyOffered = o.currencyTicked = true;
        o.quantityOffered = o.quantityTicked = true;
    }
    return o;
}

QString bookKeepingMode(bool journal, bool bank)
{
    if (journal && bank)
        return QStringLiteral("3");
    if (journal)
        return QStringLiteral("1");
    if (bank)
        return QStringLiteral("2");
    return QStringLiteral("0");
}

bool modeHasJournal(const QString& mode)
{
    const QString m = mode.trimmed();
    return m == QLatin1String("1") || m == QLatin1String("3");
}

bool modeHasBank(const QString& mode)
{
    const QString m = mode.trimmed();
    return m == QLatin1String("2") || m == QLatin1String("3");
}

} // namespace kessory::accounts
