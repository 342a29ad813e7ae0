#pragma once

#include "output/TableDocument.h"

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace kessory {

// One page of a table: the rows it prints and the carry rows around them.
struct TablePage {
    int firstRow = 0;
    int rowCount = 0;
    bool broughtForward = false; // 承前页 at the head
    bool carriedForward = false; // 过次页 at the foot
};

// Splits the rows over pages of rowsPerPage row places: each page of a table with carry rows gives one place to
// 承前页 (from the second page) and one to 过次页 (on every page but the last). At least one page.
std::vector<TablePage> planTablePages(const TableDocument& document, int rowsPerPage);

// The carry row after the rows [0, end): the sum columns added over the lines, the balance columns as the last row
// before end shows them.
TableRow carryRow(const TableDocument& document, int end, const QString& caption);

// Paints the tables onto the device, each from a new page in its own orientation on A4: the title with its double
// rule, the form number, the information line and the column headings at the top of every page, ruled rows, the
// carry rows, and 第 n 页 共 m 页 at the foot. The painter is begun on the device by the caller.
void paintTables(const std::vector<TableDocument>& documents, QPagedPaintDevice& device, QPainter& painter);

} // namespace kessory
