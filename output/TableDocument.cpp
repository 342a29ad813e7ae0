#include "output/TableDocument.h"

namespace kessory {

QStringList TableDocument::headingTexts() const
{
    QStringList out;
    for (const TableColumn& c : columns)
        out << c.heading;
    return out;
}

QString amountText(qint64 cents, bool grouped)
{
    const bool negative = cents < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    QString yuan = QString::number(magnitude / 100);
    if (grouped) {
        for (qsizetype i = yuan.size() - 3; i > 0; i -= 3)
            yuan.insert(i, QLatin1Char(','));
    }
    return (negative ? QStringLiteral("-") : QString()) + yuan + QLatin1Char('.')
        + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

} // namespace kessory
