#include "ledgers/DetailLedgerPick.h"

#include "data/Numbers.h"

namespace kessory {

QString allAccountsEntry()
{
    return QStringLiteral("000 全部");
}

QString pickEntryText(const QString& code, const QString& name)
{
    return code + u' ' + name;
}

KMPickEntry splitPickEntry(const QString& entry)
{
    const QStringList words = entry.split(u' ');
    KMPickEntry e;
    e.code = words.value(0);
    e.twoWords = words.size() >= 2;
    e.name = words.value(1);
    return e;
}

int findPickEntry(const QStringList& entries, const QString& text, int current)
{
    for (int i = 0; i < entries.size(); ++i) {
        const KMPickEntry e = splitPickEntry(entries[i]);
        if (e.name.contains(text, Qt::CaseSensitive) || e.code.startsWith(text, Qt::CaseSensitive))
            return i;
    }
    return current;
}

qint16 periodOfText(const QString& text)
{
    return roundToInt16(leadingNumber(text));
}

qint16 loadPeriod(qint16 period, int currentMonth)
{
    return (period > currentMonth || period < 0) ? qint16(0) : period;
}

} // namespace kessory
