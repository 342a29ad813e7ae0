#include "vouchers/VoucherDate.h"

#include "shell/Clock.h"

namespace kessory::VoucherDate {

QDateTime parse(const QString& text)
{
    const QString t = text.trimmed();
    for (const QString& format : { QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-M-d H:m:s"),
                                   QStringLiteral("yyyy/M/d H:m:s") }) {
        const QDateTime when = QDateTime::fromString(t, format);
        if (when.isValid())
            return when;
    }
    for (const QString& format :
         { QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy-M-d"), QStringLiteral("yyyy/M/d") }) {
        const QDate day = QDate::fromString(t, format);
        if (day.isValid())
            return QDateTime(day, QTime(0, 0));
    }
    return {};
}

QString withDay(const QString& stored, const QDate& day, const QTime& now)
{
    const QDateTime was = parse(stored);
    if (was.isValid() && was.date() == day)
        return stored;
    const bool hasTime = was.isValid() && stored.trimmed().contains(QLatin1Char(' '));
    return Clock::generalDate(QDateTime(day, hasTime ? was.time() : now));
}

QString outsideYearMessage(const QDate& day, int bookYear)
{
    return QStringLiteral("制单日期 %1 不在本账套的会计年度（%2 年）内，请改为 %2 年的日期。")
        .arg(day.toString(QStringLiteral("yyyy-MM-dd")))
        .arg(bookYear);
}

} // namespace kessory::VoucherDate
