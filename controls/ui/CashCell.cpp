#include "controls/ui/CashCell.h"

#include <QKeyEvent>
#include <QPainter>

namespace kessory {

CashCell::CashCell(int index, QWidget* parent)
    : QLineEdit(parent)
    , m_index(index)
{
    setObjectName(QStringLiteral("tCash_%1").arg(index));
    setFrame(false);
    setAlignment(Qt::AlignCenter);
    // Text reaches the cell only through the owner's key handling: no paste, drop, undo or input method.
    setReadOnly(true);
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

void CashCell::setKeyHandlers(KeyHandler press, KeyHandler release)
{
    m_press = std::move(press);
    m_release = std::move(release);
}

void CashCell::keyPressEvent(QKeyEvent* event)
{
    if (m_press)
        m_press(m_index, event);
    else
        event->ignore();
}

void CashCell::keyReleaseEvent(QKeyEvent* event)
{
    if (m_release)
        m_release(m_index, event);
    else
        event->ignore();
}

void CashCell::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QString shown = text();
    // The focused cell is marked whole, as its digit is what the next key replaces.
    if (hasFocus()) {
        p.fillRect(rect(), palette().color(QPalette::Active, QPalette::Highlight));
        p.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
    } else {
        // Digits of display cells are disabled but must read as clearly as ink on the ledger.
        p.setPen(palette().color(QPalette::Active, QPalette::Text));
    }
    if (!shown.isEmpty()) {
        p.setFont(font());
        p.drawText(rect(), Qt::AlignCenter, shown);
    }
}

} // namespace kessory
