#pragma once

#include <QString>
#include <vector>

namespace kessory {

struct TableDocument;

// The tables as one workbook, one sheet per table (named by its sheetName): the title, the information line and
// the headings as the window shows them, amounts as numbers in the money format #,##0.00, codes and other texts as
// text, every column as wide as its longest entry. False with a reason when the file cannot be written.
bool writeXlsx(const std::vector<TableDocument>& documents, const QString& path, QString* error);

// How many character widths a text takes in a spreadsheet cell: a Chinese character counts as two.
int displayWidth(const QString& text);

} // namespace kessory
