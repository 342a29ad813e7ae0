#include "shell/ChangeLogDocument.h"

#include "shell/Clock.h"

namespace kessory {

TableDocument changeLogDocument(const QList<ChangeLog::Row>& rows, const QString& filterText)
{
    TableDocument doc;
    doc.sheetName = QStringLiteral("操作日志");
    doc.title = QStringLiteral("操 作 日 志");
    doc.infoLeft = filterText;
    doc.infoRight = QStringLiteral("导出时间：") + Clock::generalDate();
    doc.landscape = true;
    // The time, names and actions whole; the two hashes share what the page has left (whole in a spreadsheet).
    doc.columns = {
        { QStringLiteral("序号"), ColumnKind::Code, 3 },     { QStringLiteral("时间"), ColumnKind::Text, 12 },
        { QStringLiteral("操作员"), ColumnKind::Text, 5 },   { QStringLiteral("动作"), ColumnKind::Text, 4 },
        { QStringLiteral("对象类型"), ColumnKind::Text, 5 }, { QStringLiteral("对象"), ColumnKind::Code, 5 },
        { QStringLiteral("说明"), ColumnKind::Text, 8 },     { QStringLiteral("摘要"), ColumnKind::Code, 28 },
        { QStringLiteral("哈希"), ColumnKind::Code, 28 },
    };
    for (const ChangeLog::Row& r : rows) {
        TableRow row;
        for (const QString& text :
             { QString::number(r.seq), r.time, r.operatorName, r.action, r.kind, r.target, r.note, r.digest, r.hash })
            row.cells.push_back(TableCell::ofText(text));
        doc.rows.push_back(std::move(row));
    }
    doc.footers << QStringLiteral("共 %1 条").arg(rows.size());
    return doc;
}

} // namespace kessory
