#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kessory {

// The entries of the account look-up list: code, one blank, name, for every account in code order.
namespace AccountList {

// Reads the chart of accounts on a recordset of its own; nothing when the query fails or finds no account.
std::optional<QStringList> load();

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
