#include "output/CapitalFigures.h"

#include <array>

namespace kessory {
namespace {

const std::array<QString, 10> kDigits { QStringLiteral("零"), QStringLiteral("壹"), QStringLiteral("贰"),
                                        QStringLiteral("叁"), QStringLiteral("肆"), QStringLiteral("伍"),
                                        QStringLiteral("陆"), QStringLiteral("柒"), QStringLiteral("捌"),
                                        QStringLiteral("玖") };
const std::array<QString, 4> kPlaces { QString(), QStringLiteral("拾"), QStringLiteral("佰"), QStringLiteral("仟") };

// The name of the group that starts at a place: 万 (4), 亿 (8), 万 again for 万亿 (12), 亿 for 亿亿 (16).
QString groupName(int place)
{
    return place % 8 == 4 ? QStringLiteral("万") : QStringLiteral("亿");
}

QString digit(quint64 d)
{
    return kDigits[static_cast<std::size_t>(d)];
}

// The yuan in figures; lowest is the place of the lowest figure written (0 for 元 itself).
QString yuanText(quint64 yuan, int& lowest)
{
    QString digits = QString::number(yuan);
    const int n = static_cast<int>(digits.size());
    QString out;
    bool pendingZero = false;
    bool groupHasFigure = false;
    for (int i = 0; i < n; ++i) {
        const int place = n - 1 - i;
        const int d = digits.at(i).digitValue();
        if (d == 0) {
            pendingZero = !out.isEmpty();
        } else {
            if (pendingZero)
                out += kDigits[0];
            pendingZero = false;
            out += kDigits[static_cast<std::size_t>(d)] + kPlaces[static_cast<std::size_t>(place % 4)];
            groupHasFigure = true;
            lowest = place;
        }
        if (place > 0 && place % 4 == 0) {
            if (groupHasFigure)
                out += groupName(place);
            groupHasFigure = false;
        }
    }
    return out;
}

} // namespace

QString capitalFigures(qint64 cents)
{
    if (cents == 0)
        return QStringLiteral("零元整");
    const bool negative = cents < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    const quint64 yuan = magnitude / 100;
    const quint64 jiao = magnitude / 10 % 10;
    const quint64 fen = magnitude % 10;

    QString out = negative ? QStringLiteral("负") : QString();
    int lowest = 0;
    if (yuan > 0)
        out += yuanText(yuan, lowest) + QStringLiteral("元");
    if (jiao == 0 && fen == 0)
        return out + QStringLiteral("整");
    if (yuan > 0 && (jiao == 0 || lowest >= 2))
        out += kDigits[0];
    if (jiao > 0)
        out += digit(jiao) + QStringLiteral("角");
    if (fen == 0)
        return out + QStringLiteral("整");
    return out + digit(fen) + QStringLiteral("分");
}

} // namespace kessory
