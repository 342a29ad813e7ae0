#include "statements/StatementCaption.h"

namespace kessory {
namespace {

// Only the plain blank counts: captions may be indented with full-width spaces on purpose, and those stay.
QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString blanks(qsizetype count)
{
    return QString(count, QLatin1Char(' '));
}

} // namespace

QString totalRuleCaption(const QString& caption)
{
    const QString trimmed = trimBlanks(caption);
    if (!trimmed.endsWith(QStringLiteral("计")))
        return caption;
    return blanks(trimmed.size() < 14 ? 12 : 3) + trimmed;
}

QString sectionRuleCaption(const QString& caption)
{
    if (caption.endsWith(QStringLiteral("小计")))
        return blanks(24) + caption;
    if (caption.size() < 2 || caption.at(1) != QChar(0x3001)) // 、
        return blanks(4) + caption;
    return caption;
}

QString shownCaption(CaptionRule rule, const QString& caption)
{
    return rule == CaptionRule::Total ? totalRuleCaption(caption) : sectionRuleCaption(caption);
}

} // namespace kessory
