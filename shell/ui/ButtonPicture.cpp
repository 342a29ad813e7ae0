#include "shell/ui/ButtonPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace kessory {

ButtonPicture::ButtonPicture(int index, QWidget* parent)
    : QWidget(parent)
    , m_index(index)
{
    setObjectName(QStringLiteral("imgButton_%1").arg(index));
    setMouseTracking(true);
    setFixedSize(40, 40);
    setCursor(Qt::PointingHandCursor);
}

void ButtonPicture::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    update();
}

void ButtonPicture::enterEvent(QEnterEvent* event)
{
    emit pointerMoved(m_index);
    QWidget::enterEvent(event);
}

void ButtonPicture::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved(m_index);
    event->accept();
}

void ButtonPicture::mousePressEvent(QMouseEvent* event)
{
    emit pressed(m_index);
    event->accept();
}

void ButtonPicture::mouseReleaseEvent(QMouseEvent* event)
{
    // Whichever mouse button was used.
    emit released(m_index);
    event->accept();
}

void ButtonPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect r = rect();
    const int shift = m_state == State::Pressed ? 1 : 0;
    drawPicture(p, r.adjusted(6 + shift, 6 + shift, -6 + shift, -6 + shift));
    p.setRenderHint(QPainter::Antialiasing, false);
    if (m_state == State::Hover) {
        p.setPen(QColor(90, 90, 90));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else if (m_state == State::Pressed) {
        p.setPen(QColor(128, 128, 128));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(Qt::white);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
}

// Small line drawings of our own, one per function.
void ButtonPicture::drawPicture(QPainter& p, const QRect& r) const
{
    const QColor ink(40, 60, 110);
    const QColor paper(255, 252, 235);
    const QColor red(200, 30, 30);
    const QColor green(30, 130, 60);
    p.setPen(QPen(ink, 1.4));
    const qreal x = r.x(), y = r.y(), w = r.width(), h = r.height();
    switch (m_index) {
    case 0: { // voucher: a ruled slip with a red stamp
        p.setBrush(paper);
        p.drawRect(QRectF(x + 2, y + 3, w - 4, h - 6));
        for (int i = 1; i <= 3; ++i)
            p.drawLine(QPointF(x + 5, y + 3 + i * (h - 6) / 4.0), QPointF(x + w - 5, y + 3 + i * (h - 6) / 4.0));
        p.setPen(QPen(red, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(x + w - 8, y + h - 9), 5, 5);
        break;
    }
    case 1: // detail ledger: an open book with many lines
    case 2: { // general ledger: a closed book with a spine
        if (m_index == 1) {
            p.setBrush(paper);
            p.drawRect(QRectF(x, y + 3, w / 2, h - 6));
            p.drawRect(QRectF(x + w / 2, y + 3, w / 2, h - 6));
            for (int i = 1; i <= 4; ++i) {
                const qreal ly = y + 3 + i * (h - 6) / 5.0;
                p.drawLine(QPointF(x + 3, ly), QPointF(x + w / 2 - 3, ly));
                p.drawLine(QPointF(x + w / 2 + 3, ly), QPointF(x + w - 3, ly));
            }
        } else {
            p.setBrush(QColor(70, 110, 170));
            p.drawRoundedRect(QRectF(x + 3, y + 1, w - 6, h - 2), 2, 2);
            p.setBrush(QColor(40, 60, 110));
            p.drawRect(QRectF(x + 3, y + 1, 5, h - 2));
            p.setBrush(paper);
            p.drawRect(QRectF(x + 12, y + 7, w - 19, 8));
        }
        break;
    }
    case 3: { // cash flow: coins with an arrow
        p.setBrush(QColor(240, 200, 60));
        p.drawEllipse(QRectF(x + 1, y + h - 13, 14, 9));
        p.drawEllipse(QRectF(x + 1, y + h - 18, 14, 9));
        p.setPen(QPen(green, 2.2));
        p.drawLine(QPointF(x + 16, y + h / 2 + 4), QPointF(x + w - 3, y + h / 2 + 4));
        p.drawLine(QPointF(x + w - 8, y + h / 2 - 1), QPointF(x + w - 3, y + h / 2 + 4));
        p.drawLine(QPointF(x + w - 8, y + h / 2 + 9), QPointF(x + w - 3, y + h / 2 + 4));
        break;
    }
    case 4: { // income: rising bars
        p.drawLine(QPointF(x, y + h), QPointF(x + w, y + h));
        const QColor bars[] = { QColor(90, 140, 200), QColor(90, 170, 110), QColor(220, 90, 70) };
        for (int i = 0; i < 3; ++i) {
            p.setBrush(bars[i]);
            const qreal bh = (i + 1) * h / 3.5;
            p.drawRect(QRectF(x + 2 + i * (w / 3.2), y + h - bh, w / 4.5, bh));
        }
        break;
    }
    case 5: { // balance sheet: a pair of scales
        p.drawLine(QPointF(x + w / 2, y + 2), QPointF(x + w / 2, y + h - 2));
        p.drawLine(QPointF(x + 3, y + 6), QPointF(x + w - 3, y + 6));
        p.drawLine(QPointF(x + w / 3, y + h - 2), QPointF(x + 2 * w / 3, y + h - 2));
        p.setBrush(QColor(240, 200, 60));
        QPainterPath left;
        left.moveTo(x + 1, y + 15);
        left.lineTo(x + 13, y + 15);
        left.arcTo(QRectF(x + 1, y + 10, 12, 10), 0, -180);
        p.drawPath(left);
        p.drawPath(left.translated(w - 14, 0));
        p.drawLine(QPointF(x + 3, y + 6), QPointF(x + 7, y + 15));
        p.drawLine(QPointF(x + w - 3, y + 6), QPointF(x + w - 7, y + 15));
        break;
    }
    case 6: { // accounts: a small tree
        p.setBrush(QColor(90, 140, 200));
        p.drawRect(QRectF(x + 1, y + 1, 9, 7));
        p.drawLine(QPointF(x + 5, y + 8), QPointF(x + 5, y + h - 4));
        for (int i = 0; i < 3; ++i) {
            const qreal ly = y + 12 + i * 8;
            p.drawLine(QPointF(x + 5, ly), QPointF(x + 12, ly));
            p.setBrush(i == 2 ? QColor(90, 170, 110) : paper);
            p.drawRect(QRectF(x + 12, ly - 3, w - 14, 6));
        }
        break;
    }
    case 7: { // summary table: a grid with a sigma
        p.setBrush(paper);
        p.drawRect(QRectF(x + 1, y + 1, w - 2, h - 2));
        for (int i = 1; i <= 2; ++i)
            p.drawLine(QPointF(x + 1, y + 1 + i * (h - 2) / 3), QPointF(x + w - 1, y + 1 + i * (h - 2) / 3));
        p.drawLine(QPointF(x + w / 2, y + 1), QPointF(x + w / 2, y + h - 1));
        p.setPen(QPen(red, 1.8));
        p.drawLine(QPointF(x + w / 2 + 4, y + 4), QPointF(x + w - 4, y + 4));
        p.drawLine(QPointF(x + w / 2 + 4, y + 4), QPointF(x + w / 2 + 8, y + 7));
        p.drawLine(QPointF(x + w / 2 + 8, y + 7), QPointF(x + w / 2 + 4, y + 10));
        p.drawLine(QPointF(x + w / 2 + 4, y + 10), QPointF(x + w - 4, y + 10));
        break;
    }
    default:
        break;
    }
}

} // namespace kessory
