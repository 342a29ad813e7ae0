#pragma once

#include <QString>

namespace kessory {

struct TableDocument;

// The table as CSV: UTF-8 with a byte-order mark (so a spreadsheet reads the Chinese), the title and information
// lines first, then the headings, the rows and the footers; amounts plain with two decimals, codes as written. Cells
// holding a comma, a quote or a line break are quoted. False with a reason when the file cannot be written.
bool writeCsv(const TableDocument& document, const QString& path, QString* error);

// One CSV field, quoted when it must be.
QString csvField(const QString& text);

} // namespace kessory
