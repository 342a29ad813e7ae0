#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <vector>

namespace kessory {

// What a column holds: plain text, an amount in fen (a number in a spreadsheet, right-aligned with two decimals on
// paper), or a code (kept as text so that its leading digits stay).
enum class ColumnKind { Text, Amount, Code };

struct TableColumn {
    QString heading;
    ColumnKind kind = ColumnKind::Text;
    int width = 10; // in characters of a Chinese figure: what the paper and the spreadsheet give it
};

struct TableCell {
    QString text;
    qint64 cents = 0;
    bool isAmount = false;

    static TableCell ofText(const QString& text) { return { text, 0, false }; }
    static TableCell ofCents(qint64 cents) { return { QString(), cents, true }; }
};

// Opening and total rows are set in bold; lines are what the carry rows of a paged book add up.
enum class RowKind { Line, Opening, Total };

struct TableRow {
    std::vector<TableCell> cells;
    RowKind kind = RowKind::Line;
};

// The carry rows of a paged book: at the foot of each full page 过次页, at the head of the next 承前页, holding the
// running totals of the sum columns over the lines so far and the balance columns of the last row above.
struct CarrySpec {
    bool enabled = false;
    int captionColumn = 0;
    std::vector<int> sumColumns;
    std::vector<int> balanceColumns;
};

// A book or statement as a table, filled by each book and read by every writer (paper, PDF, XLSX, CSV).
struct TableDocument {
    QString sheetName; // the spreadsheet's sheet and the file's default name
    QString title; // 明 细 分 类 账
    QString formNumber; // 会企01表, above the table on the right
    // The line under the title, in three parts: left (编制单位 or the account), centre (the year or the months),
    // right (单位：元).
    QString infoLeft;
    QString infoCentre;
    QString infoRight;
    std::vector<TableColumn> columns;
    std::vector<TableRow> rows;
    QStringList footers;
    CarrySpec carry;
    // A column whose blank cells continue the value above: on paper one cell spans the run (and names it again at
    // the top of a page). -1 for none.
    int groupColumn = -1;
    bool landscape = false;

    // The headings' line; the title and information lines above it.
    QStringList headingTexts() const;
};

// An amount in yuan with two decimals; grouped in thousands for paper ("12,345.60"), plain for a file
// ("12345.60").
QString amountText(qint64 cents, bool grouped);

} // namespace kessory
