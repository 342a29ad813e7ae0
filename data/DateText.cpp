#include "data/DateText.h"

#include <QRegularExpression>
#include <QTime>

namespace kessory {

std::optional<QDate> readDateText(const QString& text)
{
    QString t = text.trimmed();
    // Full-width digits, "－", "／" and "：" become their plain forms.
    for (const QChar c : t) {
        if (c.unicode() >= 0xFF00) {
            t = t.normalized(QString::NormalizationForm_KC).trimmed();
            break;
        }
    }
    // Plain digits only: a pattern's \d would also take digits of other scripts.
    static const QRegularExpression form(QStringLiteral(
        R"(^([0-9]{4})[-/]([0-9]{1,2})[-/]([0-9]{1,2})(?:[ T]+([0-9]{1,2}):([0-9]{1,2})(?::([0-9]{1,2}))?)?$)"));
    const QRegularExpressionMatch m = form.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate day(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!day.isValid())
        return std::nullopt;
    if (m.hasCaptured(4) && !QTime::isValid(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt()))
        return std::nullopt;
    return day;
}

int monthOfDateText(const QString& text)
{
    const std::optional<QDate> day = readDateText(text);
    return day ? day->month() : 0;
}

} // namespace kessory
