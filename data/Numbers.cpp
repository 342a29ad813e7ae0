#include "data/Numbers.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace kessory {

double leadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < n && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    qsizetype digits = i - digitsStart;
    if (i < n && text[i] == u'.') {
        const qsizetype fracStart = ++i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        digits += i - fracStart;
    }
    if (digits == 0)
        return 0.0;
    bool ok = false;
    const double v = QStringView(text).mid(start, i - start).toDouble(&ok);
    return ok ? v : 0.0;
}

qint16 roundToInt16(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = std::nearbyint(value); // the default rounding mode is to nearest, halves to even
    if (r > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (r < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return static_cast<qint16>(r);
}

qint64 toCents(double yuan)
{
    if (!std::isfinite(yuan))
        return 0;
    // The shortest text that reads back as the same double is what a user typed or sees.
    const QString s = QString::number(yuan, 'f', QLocale::FloatingPointShortest);
    const bool negative = s.startsWith(u'-');
    const QString body = negative ? s.mid(1) : s;
    const qsizetype point = body.indexOf(u'.');
    const QString whole = point < 0 ? body : body.left(point);
    const QString frac = point < 0 ? QString() : body.mid(point + 1);
    if (whole.size() > 16)
        return negative ? std::numeric_limits<qint64>::min() / 2 : std::numeric_limits<qint64>::max() / 2;
    qint64 cents = whole.toLongLong() * 100;
    const auto digitAt = [&frac](qsizetype k) { return k < frac.size() ? frac[k].unicode() - u'0' : 0; };
    cents += digitAt(0) * 10 + digitAt(1);
    if (digitAt(2) >= 5)
        ++cents; // halves away from zero: the magnitude rounds up
    return negative ? -cents : cents;
}

double fromCents(qint64 cents)
{
    // Division by 100 gives the double nearest to the decimal amount.
    return static_cast<double>(cents) / 100.0;
}

} // namespace kessory
