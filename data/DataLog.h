#pragma once

#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcData)

namespace kessory {

struct SqlError;

// Failed statements go to standard error through the category "kessory.data" and, once a file is set, to that file
// as well. The file is kept to a few megabytes: when it grows past its limit it becomes "<name>.1" (replacing the one
// before) and a new one is begun.
void setDataLogFile(const QString& path);
void logFailedStatement(const SqlError& error);
// A write the program refused before or inside its transaction, with the reason the user was given.
void logRefusedWrite(const QString& what, const QString& reason);

} // namespace kessory
