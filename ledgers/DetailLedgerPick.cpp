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
    const qsizetype blank = entry.indexOf(u' ');
    KMPickEntry e;
    e.code = blank < 0 ? entry : entry.left(blank);
    e.twoWords = blank >= 0;
    e.name = blank < 0 ? QString() : entry.mid(blank + 1);
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
