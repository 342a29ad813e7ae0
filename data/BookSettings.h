#pragma once

#include <QString>

namespace kessory {

class Connection;

// The book's settings (table 账套设置). Missing table or row: the fallback.
namespace BookSettings {

QString value(Connection* connection, const QString& key, const QString& fallback = QString());
// Writes one setting; false when the table is missing or the file refused the write.
bool setValue(Connection* connection, const QString& key, const QString& value);

// The year the book keeps: 会计年度 when set, otherwise the year of the latest voucher date, otherwise the clock's.
int bookYear(Connection* connection);

} // namespace BookSettings
} // namespace kessory
