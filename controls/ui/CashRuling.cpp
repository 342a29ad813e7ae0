#include "controls/ui/CashRuling.h"

#include "shell/ui/Twips.h"

#include <QPainter>

namespace kessory {

QColor cashLineColor(cash::LineKind kind)
{
    switch (kind) {
    case cash::LineKind::Thousands:
        return QColor(128, 128, 128);
    case cash::LineKind::Point:
        return QColor(255, 0, 0);
    case cash::LineKind::Light:
        break;
    }
    return QColor(192, 192, 192);
}

CashSurface* setUpCashControl(QWidget* control, const QString& name, int fontPixels)
{
    control->setObjectName(name);
    QFont font = control->font();
    font.setPixelSize(fontPixels);
    control->setFont(font);
    auto* surface = new CashSurface(control);
    surface->setObjectName(QStringLiteral("picCash"));
    return surface;
}

CashSurface::CashSurface(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void CashSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    for (int k = 0; k < cash::kCells; ++k) {
        const int x = tw(cash::lineX(k));
        p.setPen(cashLineColor(cash::lineKind(k)));
        p.drawLine(x, 0, x, height() - 1);
    }
}

} // namespace kessory
