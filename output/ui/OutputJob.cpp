#include "output/ui/OutputJob.h"

#include "output/CsvWriter.h"
#include "output/XlsxWriter.h"
#include "output/ui/TablePainter.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace kessory {
namespace {

void setTablePage(QPagedPaintDevice& device, bool landscape)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter));
}

std::vector<TableDocument> tablesOf(const OutputJob& job)
{
    return job.vouchers ? std::vector<TableDocument> { voucherListDocument(job.voucherList) } : job.tables;
}

} // namespace

OutputFormat formatOfPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("pdf"))
        return OutputFormat::Pdf;
    if (suffix == QStringLiteral("xlsx"))
        return OutputFormat::Xlsx;
    if (suffix == QStringLiteral("csv"))
        return OutputFormat::Csv;
    return OutputFormat::Unknown;
}

void paintJob(const OutputJob& job, QPagedPaintDevice& device)
{
    if (job.vouchers)
        setVoucherPage(device, job.paper);
    else
        setTablePage(device, !job.tables.empty() && job.tables.front().landscape);
    QPainter painter(&device);
    if (job.vouchers)
        paintVouchers(job.voucherList, job.paper, device, painter);
    else
        paintTables(job.tables, device, painter);
}

bool writeJob(const OutputJob& job, const QString& path, QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    switch (formatOfPath(path)) {
    case OutputFormat::Pdf: {
        // Written in full before it replaces an existing file.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString()));
        {
            QPdfWriter writer(&file);
            writer.setCreator(QStringLiteral("Kessory"));
            writer.setTitle(job.fileName);
            paintJob(job, writer);
        }
        if (!file.commit())
            return fail(QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString()));
        return true;
    }
    case OutputFormat::Xlsx: {
        QString reason;
        if (!writeXlsx(tablesOf(job), path, &reason))
            return fail(QStringLiteral("无法写入文件 %1：%2").arg(path, reason));
        return true;
    }
    case OutputFormat::Csv: {
        const std::vector<TableDocument> tables = tablesOf(job);
        QString reason;
        if (tables.empty() || !writeCsv(tables.front(), path, &reason))
            return fail(QStringLiteral("无法写入文件 %1：%2").arg(path, reason));
        return true;
    }
    case OutputFormat::Unknown:
        break;
    }
    return fail(QStringLiteral("不支持的文件类型：请用 .pdf、.xlsx 或 .csv 作扩展名"));
}

} // namespace kessory
