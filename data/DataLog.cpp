#include "data/DataLog.h"

#include "data/Connection.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

Q_LOGGING_CATEGORY(lcData, "kessory.data")

namespace kessory {
namespace {

constexpr qint64 kLogLimit = 2 * 1024 * 1024;

QString& logPath()
{
    static QString path;
    return path;
}

void appendToFile(const QString& line)
{
    const QString& path = logPath();
    if (path.isEmpty())
        return;
    if (QFileInfo(path).size() > kLogLimit) {
        const QString older = path + QStringLiteral(".1");
        QFile::remove(older);
        QFile::rename(path, older);
    }
    QFile file(path);
    // A log that cannot be written (a read-only folder) must never stop the program.
    if (file.open(QIODevice::Append | QIODevice::Text))
        file.write(line.toUtf8() + '\n');
}

} // namespace

void setDataLogFile(const QString& path)
{
    logPath() = path;
}

void logFailedStatement(const SqlError& error)
{
    QString statement = error.statement.simplified();
    const QString line = QStringLiteral("%1 SQL error %2 (%3): %4")
                             .arg(QDateTime::currentDateTime().toString(Qt::ISODate))
                             .arg(error.code)
                             .arg(error.message, statement);
    qCWarning(lcData).noquote() << line;
    appendToFile(line);
}

} // namespace kessory

namespace kessory {

void logRefusedWrite(const QString& what, const QString& reason)
{
    const QString line = QStringLiteral("%1 %2 refused: %3")
                             .arg(QDateTime::currentDateTime().toString(Qt::ISODate), what, reason.simplified());
    qCWarning(lcData).noquote() << line;
    appendToFile(line);
}

} // namespace kessory
