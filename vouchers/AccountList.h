#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kessory {

// The entries of the account look-up list: code, one blank, name, for every account in code order.
namespace AccountList {

// Reads the chart of accounts on a recordset of its own; nothing when the query fails or finds no account.
std::optional<QStringList> load();

// The look-up list read once and read again only when the file may have changed since: a write through the
// program's connection, or another program's commit. Paging through vouchers then never rereads the chart.
class Cache {
public:
    // True when the entries were read again (they may differ); false when they stand as they were, or the read
    // failed (the entries then stay too).
    bool refresh();
    const QStringList& entries() const { return m_entries; }

private:
    QStringList m_entries;
    qint64 m_dataVersion = -1;
    qint64 m_changes = -1;
    const void* m_connection = nullptr;
    bool m_loaded = false;
};

struct Entry {
    QString code;
    QString name;
    // Whether the entry had a name part after its code.
    bool hasName = false;
};
// Splits an entry at its first blank: the code before it, the name (blanks inside it kept) after it.
Entry split(const QString& entry);

// The first entry whose code begins with text or whose name contains it (both case-sensitive); 0 for an empty text
// when there are entries; current when nothing matches.
int locate(const QStringList& entries, const QString& text, int current);

} // namespace AccountList
} // namespace kessory
