#pragma once

#include "output/TableDocument.h"
#include "output/VoucherSelection.h"
#include "output/ui/VoucherPainter.h"

#include <QString>
#include <vector>

class QPagedPaintDevice;

namespace kessory {

// What one 打印 or 导出 produces: vouchers (paper forms; a line list in a spreadsheet) or tables of books and
// statements.
struct OutputJob {
    bool vouchers = false;
    std::vector<PrintedVoucher> voucherList;
    VoucherPaperKind paper = VoucherPaperKind::Voucher;
    std::vector<TableDocument> tables;
    QString fileName; // the name a save dialog proposes, without extension
};

// The formats a file's extension names.
enum class OutputFormat { Unknown, Pdf, Xlsx, Csv };
OutputFormat formatOfPath(const QString& path);

// Sets the device's first page for the job and paints all of it (the device gets new pages as needed).
void paintJob(const OutputJob& job, QPagedPaintDevice& device);

// Writes the job to a file in the format of its extension: PDF (the printed pages, fonts embedded), XLSX (a sheet per
// table) or CSV (the first table; vouchers as their line list). False with a Chinese reason.
bool writeJob(const OutputJob& job, const QString& path, QString* error);

} // namespace kessory
