#include "shell/Clock.h"

#include <optional>

namespace kessory::Clock {
namespace {

std::optional<QDateTime>& fixedNow()
{
    static std::optional<QDateTime> value;
    return value;
}

} // namespace

QDateTime now()
{
    return fixedNow() ? *fixedNow() : QDateTime::currentDateTime();
}

void setNow(const QDateTime& fixed)
{
    fixedNow() = fixed;
}

void reset()
{
    fixedNow().reset();
}

QString generalDate()
{
    return generalDate(now());
}

QString generalDate(const QDateTime& when)
{
    // Fixed digits whatever the locale.
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}


int currentMonth()
{
    return now().date().month();
}

int currentYear()
{
    return now().date().year();
}

} // namespace kessory::Clock
