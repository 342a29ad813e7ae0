#pragma once

#include <QString>

namespace kessory::bench {

struct SyntheticOptions {
    int vouchers = 10000;
    int linesPerVoucher = 5;
    int year = 2026;
    unsigned seed = 20260101;
};

// Makes a database file at path from the schema with the supplied chart of accounts, departments and statement
// templates, and fills it with balanced vouchers spread evenly over the twelve months, numbered per category.
// False when the file cannot be written.
bool makeSyntheticBooks(const QString& path, const SyntheticOptions& options = {});

// The folder of the source tree's data files (schema.sql, sample.sql).
QString sourceDataFolder();

} // namespace kessory::bench
