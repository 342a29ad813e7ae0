#include "ledgers/Direction.h"

#include "data/Numbers.h"

namespace kessory {

Side sideOfCents(qint64 balanceCents)
{
    if (balanceCents > 0)
        return Side::Credit;
    if (balanceCents < 0)
        return Side::Debit;
    return Side::Even;
}

Side sideOf(double balance)
{
    return sideOfCents(toCents(balance));
}

QString sideText(Side side)
{
    switch (side) {
    case Side::Credit:
        return QStringLiteral("贷");
    case Side::Debit:
        return QStringLiteral("借");
    case Side::Even:
        break;
    }
    return QStringLiteral("平");
}

} // namespace kessory
