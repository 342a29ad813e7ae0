#pragma once

#include <QString>

namespace kessory::bench {

struct SyntheticOptions {
    int vouchers = 10000;
    int linesPerVoucher = 5;
    int year = 2026;
    unsigned seed = 20260101;
    // One voucher in this many is voided.
    int voidEvery = 97;
    // 0 keeps the supplied chart of accounts; otherwise a chart of this many first-level accounts (codes 101 up, in
    // the five categories), two of every three with two second-level accounts and one third-level account.
    int firstLevelAccounts = 0;
    // Lines go to leaf accounts only, or, when set, half to first-level codes and half to their sub-accounts, so
    // that the general ledger (first-level codes) and the prefix matches of the detail ledger both have work.
    bool postToEveryLevel = false;
};

// The large books the benchmark command measures: 12,000 vouchers of five lines (60,000 lines) over twelve months,
// 150 first-level accounts with sub-accounts, 3% of the vouchers voided. KESSORY_BENCH_LINES=N makes them N lines.
SyntheticOptions largeBooks();

// Makes a database file at path from the schema with the supplied chart of accounts, departments and statement
// templates, and fills it with balanced vouchers spread evenly over the twelve months, numbered per category.
// False when the file cannot be written.
bool makeSyntheticBooks(const QString& path, const SyntheticOptions& options = {});

// The folder of the source tree's data files (schema.sql, sample.sql).
QString sourceDataFolder();

} // namespace kessory::bench
