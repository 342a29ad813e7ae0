#include "output/CsvWriter.h"

#include "output/TableDocument.h"

#include <QSaveFile>

namespace kessory {
namespace {

QString joinLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& f : fields)
        quoted << csvField(f);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString cellText(const TableCell& cell)
{
    return cell.isAmount ? amountText(cell.cents, false) : cell.text;
}

} // namespace

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

bool writeCsv(const TableDocument& document, const QString& path, QString* error)
{
    QString text;
    text += joinLine({ document.title.simplified().remove(QLatin1Char(' ')) });
    QStringList info;
    for (const QString& part : { document.formNumber, document.infoLeft, document.infoCentre, document.infoRight })
        if (!part.isEmpty())
            info << part;
    if (!info.isEmpty())
        text += joinLine(info);
    text += joinLine(document.headingTexts());
    for (const TableRow& row : document.rows) {
        QStringList fields;
        for (std::size_t c = 0; c < row.cells.size() && c < document.columns.size(); ++c)
            fields << cellText(row.cells[c]);
        text += joinLine(fields);
    }
    for (const QString& footer : document.footers)
        text += joinLine({ footer });

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write("\xEF\xBB\xBF");
    file.write(text.toUtf8());
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace kessory
