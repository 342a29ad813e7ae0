#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace kessory {

// The day of a date text in one of the forms a book holds: year-month-day with "-" or "/" ("2026-01-05",
// "2026/1/5"), optionally followed by a time with or without seconds ("09:30", "09:30:00"); full-width digits and
// signs read like their plain forms. Nothing for any other text, an impossible day or an impossible time.
std::optional<QDate> readDateText(const QString& text);

// The month (1 to 12) of such a text; 0 when it cannot be read.
int monthOfDateText(const QString& text);

} // namespace kessory
