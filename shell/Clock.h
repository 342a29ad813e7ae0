#pragma once

#include <QDateTime>
#include <QString>

// "Now" for the whole program; tests set it so that dates written into the books are known.
namespace kessory::Clock {

QDateTime now();
void setNow(const QDateTime& fixed);
void reset();

// The general date form the program writes: "yyyy-MM-dd HH:mm:ss".
QString generalDate();
QString generalDate(const QDateTime& when);
int currentMonth();
int currentYear();

} // namespace kessory::Clock
