#include "output/XlsxWriter.h"

#include "output/TableDocument.h"

#include <QFile>
#include <QSet>
#include <algorithm>
#include <cstdio>
#include <xlsxwriter.h>

namespace kessory {
namespace {

// A sheet name a workbook accepts: at most 31 characters, none of []:*?/\, and unique in the workbook.
QString sheetName(const QString& wanted, QSet<QString>& used)
{
    QString name = wanted.isEmpty() ? QStringLiteral("Sheet") : wanted;
    for (const QChar c : QStringLiteral("[]:*?/\\"))
        name.remove(c);
    name = name.left(28);
    QString unique = name;
    for (int i = 2; used.contains(unique); ++i)
        unique = name + QString::number(i);
    used.insert(unique);
    return unique;
}

struct Formats {
    lxw_format* title = nullptr;
    lxw_format* info = nullptr;
    lxw_format* infoRight = nullptr;
    lxw_format* heading = nullptr;
    lxw_format* text = nullptr;
    lxw_format* money = nullptr;
    lxw_format* boldText = nullptr;
    lxw_format* boldMoney = nullptr;
};

Formats makeFormats(lxw_workbook* book)
{
    Formats f;
    f.title = workbook_add_format(book);
    format_set_bold(f.title);
    format_set_font_size(f.title, 16);
    format_set_align(f.title, LXW_ALIGN_CENTER);
    f.info = workbook_add_format(book);
    f.infoRight = workbook_add_format(book);
    format_set_align(f.infoRight, LXW_ALIGN_RIGHT);
    f.heading = workbook_add_format(book);
    format_set_bold(f.heading);
    format_set_align(f.heading, LXW_ALIGN_CENTER);
    format_set_border(f.heading, LXW_BORDER_THIN);
    f.text = workbook_add_format(book);
    format_set_border(f.text, LXW_BORDER_THIN);
    format_set_num_format(f.text, "@");
    f.money = workbook_add_format(book);
    format_set_border(f.money, LXW_BORDER_THIN);
    format_set_num_format(f.money, "#,##0.00");
    f.boldText = workbook_add_format(book);
    format_set_border(f.boldText, LXW_BORDER_THIN);
    format_set_bold(f.boldText);
    f.boldMoney = workbook_add_format(book);
    format_set_border(f.boldMoney, LXW_BORDER_THIN);
    format_set_num_format(f.boldMoney, "#,##0.00");
    format_set_bold(f.boldMoney);
    return f;
}

void writeSheet(lxw_worksheet* sheet, const TableDocument& doc, const Formats& f)
{
    const auto columns = static_cast<lxw_col_t>(std::max<std::size_t>(doc.columns.size(), 1));
    const lxw_col_t last = columns - 1;
    lxw_row_t r = 0;
    const QByteArray title = doc.title.toUtf8();
    if (last > 0)
        worksheet_merge_range(sheet, r, 0, r, last, title.constData(), f.title);
    else
        worksheet_write_string(sheet, r, 0, title.constData(), f.title);
    worksheet_set_row(sheet, r, 24, nullptr);
    ++r;

    // The information line: left part in the first column, the centre in the middle, the form number and the
    // unit at the right, as on the window's page.
    const QString right = QStringList({ doc.formNumber, doc.infoRight }).join(QLatin1Char(' ')).trimmed();
    if (!doc.infoLeft.isEmpty() || !doc.infoCentre.isEmpty() || !right.isEmpty()) {
        worksheet_write_string(sheet, r, 0, doc.infoLeft.toUtf8().constData(), f.info);
        if (!doc.infoCentre.isEmpty())
            worksheet_write_string(sheet, r, last / 2 == 0 && last > 0 ? 1 : last / 2,
                                   doc.infoCentre.toUtf8().constData(), f.info);
        if (!right.isEmpty() && last > 0)
            worksheet_write_string(sheet, r, last, right.toUtf8().constData(), f.infoRight);
        ++r;
    }

    std::vector<int> widths(doc.columns.size(), 4);
    for (std::size_t c = 0; c < doc.columns.size(); ++c) {
        worksheet_write_string(sheet, r, static_cast<lxw_col_t>(c), doc.columns[c].heading.toUtf8().constData(),
                               f.heading);
        widths[c] = std::max(widths[c], displayWidth(doc.columns[c].heading));
    }
    const lxw_row_t headingRow = r;
    ++r;

    for (const TableRow& row : doc.rows) {
        const bool bold = row.kind != RowKind::Line;
        for (std::size_t c = 0; c < row.cells.size() && c < doc.columns.size(); ++c) {
            const TableCell& cell = row.cells[c];
            const auto col = static_cast<lxw_col_t>(c);
            if (cell.isAmount) {
                worksheet_write_number(sheet, r, col, static_cast<double>(cell.cents) / 100.0,
                                       bold ? f.boldMoney : f.money);
                widths[c] = std::max(widths[c], displayWidth(amountText(cell.cents, true)));
            } else {
                worksheet_write_string(sheet, r, col, cell.text.toUtf8().constData(), bold ? f.boldText : f.text);
                widths[c] = std::max(widths[c], displayWidth(cell.text));
            }
        }
        ++r;
    }
    for (const QString& footer : doc.footers) {
        worksheet_write_string(sheet, r, 0, footer.toUtf8().constData(), f.info);
        ++r;
    }
    for (std::size_t c = 0; c < widths.size(); ++c)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), widths[c] + 2, nullptr);
    worksheet_freeze_panes(sheet, headingRow + 1, 0);
    if (doc.landscape)
        worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, 9); // A4
    worksheet_repeat_rows(sheet, 0, headingRow);
}

} // namespace

int displayWidth(const QString& text)
{
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x2E80 ? 2 : 1;
    return width;
}

bool writeXlsx(const std::vector<TableDocument>& documents, const QString& path, QString* error)
{
    // The library writes the file in one go at its close; it is written under a temporary name first so that a
    // failed write leaves an existing file as it was.
    const QString temporary = path + QStringLiteral(".part");
    lxw_workbook* book = workbook_new(QFile::encodeName(temporary).constData());
    if (!book) {
        if (error)
            *error = QStringLiteral("无法创建文件");
        return false;
    }
    const Formats formats = makeFormats(book);
    QSet<QString> used;
    for (const TableDocument& doc : documents) {
        lxw_worksheet* sheet = workbook_add_worksheet(book, sheetName(doc.sheetName, used).toUtf8().constData());
        if (sheet)
            writeSheet(sheet, doc, formats);
    }
    const lxw_error result = workbook_close(book);
    if (result != LXW_NO_ERROR) {
        QFile::remove(temporary);
        if (error)
            *error = QString::fromUtf8(lxw_strerror(result));
        return false;
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temporary);
        if (error)
            *error = QStringLiteral("无法写入文件");
        return false;
    }
    return true;
}

} // namespace kessory
