#include "output/ui/TablePainter.h"

#include "output/ui/PrintFonts.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace kessory {
namespace {

// Heights on the page, in millimetres.
constexpr double kTitleHeight = 11.0;
constexpr double kFormTop = 12.0;
constexpr double kInfoTop = 16.0;
constexpr double kInfoHeight = 6.0;
constexpr double kHeadTop = 23.0;
constexpr double kHeadHeight = 8.0;
constexpr double kRowHeight = 7.0;
constexpr double kFootHeight = 8.0;

class PageGeometry {
public:
    PageGeometry(const QPagedPaintDevice& device, const TableDocument& doc)
        : m_unit(device.logicalDpiX() / 25.4)
        , m_width(device.width())
        , m_height(device.height())
    {
        int units = 0;
        for (const TableColumn& c : doc.columns)
            units += std::max(c.width, 1);
        double x = 0;
        for (const TableColumn& c : doc.columns) {
            m_left.push_back(x);
            x += m_width * std::max(c.width, 1) / std::max(units, 1);
        }
        m_left.push_back(m_width);
    }
    double mm(double v) const { return v * m_unit; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    int rowsPerPage() const
    {
        return std::max(3, static_cast<int>((m_height - mm(kHeadTop + kHeadHeight + kFootHeight)) / mm(kRowHeight)));
    }
    QRectF cell(std::size_t column, double top, double height) const
    {
        return { m_left[column], top, m_left[column + 1] - m_left[column], height };
    }

private:
    double m_unit;
    double m_width;
    double m_height;
    std::vector<double> m_left;
};

Qt::Alignment alignmentOf(const TableColumn& column)
{
    if (column.kind == ColumnKind::Amount)
        return Qt::AlignRight | Qt::AlignVCenter;
    // Codes and narrow columns (month, day, side, line number) are centred, as on a printed book.
    if (column.width <= 3 || column.kind == ColumnKind::Code)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

void drawCellText(QPainter& painter, const QRectF& rect, Qt::Alignment alignment, const QString& text, double pad)
{
    const QRectF inner = rect.adjusted(pad, 0, -pad, 0);
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(inner.width()));
    painter.drawText(inner, static_cast<int>(alignment), shown);
}

void paintHeading(QPainter& painter, const PageGeometry& g, const TableDocument& doc)
{
    painter.setPen(QPen(Qt::black, 0));
    painter.setFont(printFont(16, true));
    const QRectF titleRect(0, 0, g.width(), g.mm(kTitleHeight) - g.mm(2));
    painter.drawText(titleRect, Qt::AlignCenter, doc.title);
    // The title stands on a double rule, as on the printed forms.
    const double textWidth = painter.fontMetrics().horizontalAdvance(doc.title) + g.mm(8);
    const double left = (g.width() - textWidth) / 2;
    for (double y : { g.mm(kTitleHeight - 1.4), g.mm(kTitleHeight - 0.6) })
        painter.drawLine(QPointF(left, y), QPointF(left + textWidth, y));

    painter.setFont(printFont(9));
    if (!doc.formNumber.isEmpty())
        painter.drawText(QRectF(0, g.mm(kFormTop), g.width(), g.mm(4)), Qt::AlignRight | Qt::AlignVCenter,
                         doc.formNumber);
    const QRectF info(0, g.mm(kInfoTop), g.width(), g.mm(kInfoHeight));
    painter.drawText(info, Qt::AlignLeft | Qt::AlignVCenter, doc.infoLeft);
    painter.drawText(info, Qt::AlignHCenter | Qt::AlignVCenter, doc.infoCentre);
    painter.drawText(info, Qt::AlignRight | Qt::AlignVCenter, doc.infoRight);

    painter.setFont(printFont(9.5, true));
    const double top = g.mm(kHeadTop);
    for (std::size_t c = 0; c < doc.columns.size(); ++c) {
        const QRectF rect = g.cell(c, top, g.mm(kHeadHeight));
        painter.drawRect(rect);
        painter.drawText(rect, Qt::AlignCenter, doc.columns[c].heading);
    }
}

// Where a row stands in a run of its group column on the page: whether the rule above and below it are drawn, and
// the text the group cell shows (the run's name at the top of a page).
struct GroupPlace {
    bool ruleAbove = true;
    bool ruleBelow = true;
    QString text;
    bool replaces = false;
};

GroupPlace groupPlace(const TableDocument& doc, int row, int firstOnPage, int endOnPage)
{
    GroupPlace place;
    const auto c = static_cast<std::size_t>(doc.groupColumn);
    const auto blankAt = [&](int r) {
        const TableRow& x = doc.rows[static_cast<std::size_t>(r)];
        return c < x.cells.size() && !x.cells[c].isAmount && x.cells[c].text.isEmpty();
    };
    if (doc.groupColumn < 0)
        return place;
    place.ruleAbove = !blankAt(row) || row == firstOnPage;
    place.ruleBelow = row + 1 >= endOnPage || !blankAt(row + 1);
    if (row == firstOnPage && blankAt(row)) {
        for (int r = row - 1; r >= 0; --r) {
            if (!blankAt(r)) {
                place.text = doc.rows[static_cast<std::size_t>(r)].cells[c].text;
                place.replaces = true;
                break;
            }
        }
    }
    return place;
}

void paintRow(QPainter& painter, const PageGeometry& g, const TableDocument& doc, const TableRow& row, double top,
              const GroupPlace& group = {})
{
    painter.setFont(printFont(9, row.kind != RowKind::Line));
    for (std::size_t c = 0; c < doc.columns.size(); ++c) {
        const QRectF rect = g.cell(c, top, g.mm(kRowHeight));
        if (static_cast<int>(c) == doc.groupColumn) {
            painter.drawLine(rect.topLeft(), rect.bottomLeft());
            painter.drawLine(rect.topRight(), rect.bottomRight());
            if (group.ruleAbove)
                painter.drawLine(rect.topLeft(), rect.topRight());
            if (group.ruleBelow)
                painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        } else {
            painter.drawRect(rect);
        }
        if (c >= row.cells.size())
            continue;
        const TableCell& cell = row.cells[c];
        QString text = cell.isAmount ? amountText(cell.cents, true) : cell.text;
        if (static_cast<int>(c) == doc.groupColumn && group.replaces)
            text = group.text;
        drawCellText(painter, rect, alignmentOf(doc.columns[c]), text, g.mm(1.2));
    }
}

} // namespace

std::vector<TablePage> planTablePages(const TableDocument& doc, int rowsPerPage)
{
    std::vector<TablePage> pages;
    const int total = static_cast<int>(doc.rows.size());
    const bool carry = doc.carry.enabled;
    const int places = std::max(rowsPerPage, 3);
    int next = 0;
    do {
        TablePage page;
        page.firstRow = next;
        page.broughtForward = carry && next > 0;
        int room = places - (page.broughtForward ? 1 : 0);
        if (total - next > room && carry) {
            page.carriedForward = true;
            --room;
        }
        page.rowCount = std::min(room, total - next);
        next += page.rowCount;
        pages.push_back(page);
    } while (next < total);
    return pages;
}

TableRow carryRow(const TableDocument& doc, int end, const QString& caption)
{
    TableRow row;
    row.kind = RowKind::Total;
    row.cells.assign(doc.columns.size(), TableCell::ofText({}));
    const auto at = [&row](int c) -> TableCell& { return row.cells[static_cast<std::size_t>(c)]; };
    if (doc.carry.captionColumn >= 0 && doc.carry.captionColumn < static_cast<int>(row.cells.size()))
        at(doc.carry.captionColumn) = TableCell::ofText(caption);
    for (int c : doc.carry.sumColumns) {
        qint64 sum = 0;
        for (int r = 0; r < end; ++r) {
            const TableRow& source = doc.rows[static_cast<std::size_t>(r)];
            if (source.kind == RowKind::Line && c < static_cast<int>(source.cells.size())
                && source.cells[static_cast<std::size_t>(c)].isAmount)
                sum += source.cells[static_cast<std::size_t>(c)].cents;
        }
        at(c) = TableCell::ofCents(sum);
    }
    if (end > 0) {
        const TableRow& last = doc.rows[static_cast<std::size_t>(end - 1)];
        for (int c : doc.carry.balanceColumns)
            if (c < static_cast<int>(last.cells.size()))
                at(c) = last.cells[static_cast<std::size_t>(c)];
    }
    return row;
}

void paintTables(const std::vector<TableDocument>& documents, QPagedPaintDevice& device, QPainter& painter)
{
    bool firstPage = true;
    for (const TableDocument& doc : documents) {
        if (!firstPage) {
            device.setPageOrientation(doc.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            device.newPage();
        }
        const PageGeometry g(device, doc);
        const std::vector<TablePage> pages = planTablePages(doc, g.rowsPerPage());
        for (std::size_t p = 0; p < pages.size(); ++p) {
            if (!firstPage && p > 0)
                device.newPage();
            firstPage = false;
            const TablePage& page = pages[p];
            paintHeading(painter, g, doc);
            double top = g.mm(kHeadTop + kHeadHeight);
            if (page.broughtForward) {
                paintRow(painter, g, doc, carryRow(doc, page.firstRow, QStringLiteral("承前页")), top);
                top += g.mm(kRowHeight);
            }
            const int end = page.firstRow + page.rowCount;
            for (int r = page.firstRow; r < end; ++r) {
                paintRow(painter, g, doc, doc.rows[static_cast<std::size_t>(r)], top,
                         groupPlace(doc, r, page.firstRow, end));
                top += g.mm(kRowHeight);
            }
            if (page.carriedForward) {
                paintRow(painter, g, doc, carryRow(doc, page.firstRow + page.rowCount, QStringLiteral("过次页")), top);
                top += g.mm(kRowHeight);
            }
            // The table's outer frame is drawn heavier.
            painter.save();
            painter.setPen(QPen(Qt::black, g.mm(0.4)));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(0, g.mm(kHeadTop), g.width(), top - g.mm(kHeadTop)));
            painter.restore();
            if (p + 1 == pages.size() && !doc.footers.isEmpty()) {
                painter.setFont(printFont(9));
                painter.drawText(QRectF(0, top + g.mm(1), g.width(), g.mm(6)), Qt::AlignLeft | Qt::AlignVCenter,
                                 doc.footers.join(QStringLiteral("　　")));
            }
            painter.setFont(printFont(9));
            painter.drawText(QRectF(0, g.height() - g.mm(6), g.width(), g.mm(6)), Qt::AlignCenter,
                             QStringLiteral("第 %1 页  共 %2 页").arg(p + 1).arg(pages.size()));
        }
    }
}

} // namespace kessory
