#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace kessory {

// An entry of the detail ledger's account pick list: code, one blank, name.
struct KMPickEntry {
    QString code;
    QString name;
    // False when the entry has no blank (no name word at all).
    bool twoWords = false;
};

// The first entry of the pick list: all accounts.
QString allAccountsEntry();
// The entry text of an account.
QString pickEntryText(const QString& code, const QString& name);
// Splits an entry at its first blank: the code before it, the whole name after it (blanks inside the name kept, so an
// account named with a blank is shown and found by its full name).
KMPickEntry splitPickEntry(const QString& entry);
// The first entry whose name contains text or whose code begins with it (exact comparison); current when none.
int findPickEntry(const QStringList& entries, const QString& text, int current);

// A period read from a caption or list text: its leading number to the nearest integer, 0 for "全部".
qint16 periodOfText(const QString& text);
// The period a load uses: a month after the current one, or one below 0, is the whole year (0).
qint16 loadPeriod(qint16 period, int currentMonth);

} // namespace kessory
