#include "vouchers/ui/VoucherPaper.h"

#include "vouchers/ui/SheetGeometry.h"

#include <QPainter>

namespace kessory {

using namespace sheet;

QColor formInk()
{
    return { 0, 110, 80 };
}

QColor paperColour()
{
    return { 255, 255, 255 };
}

VoucherPaper::VoucherPaper(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, paperColour());
    setPalette(p);
}

void VoucherPaper::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(formInk(), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_title) {
        // The title stands between two parallel rules 30 units apart.
        const QRect t = m_title->geometry();
        const int y = t.bottom() + 2;
        painter.drawLine(t.left(), y, t.right(), y);
        painter.drawLine(t.left(), y + tw(30), t.right(), y + tw(30));
    }
}

SheetPaper::SheetPaper(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, paperColour());
    setPalette(p);
}

void SheetPaper::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor ink = formInk();
    const int left = kSummaryX - tw(30);
    const int right = kRuleRight;
    const int bottom = kSheetHeight - 1;
    const int headerBottom = kRowTop0;
    const int amountTitleBottom = tw(300);

    painter.setPen(QPen(ink, 1));
    // Horizontal rules: the header band, one between each pair of rows, the totals row.
    for (int r = 0; r <= kRows; ++r)
        painter.drawLine(left, rowTop(r), right, rowTop(r));
    painter.drawLine(left, kRemarkTop, right, kRemarkTop);
    painter.drawLine(kDebitX - 1, amountTitleBottom, right, amountTitleBottom);
    // Vertical rules between the columns, down to the remark strip.
    for (int x : { kAccountX, kDebitX - 1, kCreditX - 1 })
        painter.drawLine(x, 0, x, kRemarkTop);
    // The outer frame, drawn heavier as on printed forms.
    painter.setPen(QPen(ink, 2));
    painter.drawRect(QRect(QPoint(left, 1), QPoint(right, bottom)));
    painter.drawLine(left, headerBottom, right, headerBottom);
}

} // namespace kessory
