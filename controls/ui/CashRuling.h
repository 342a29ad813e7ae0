#pragma once

#include "controls/CashDigits.h"

#include <QColor>
#include <QWidget>

namespace kessory {

// Light grey in general, mid grey at the thousands, red at the decimal point.
QColor cashLineColor(cash::LineKind kind);

// A surface ruled like the amount columns of ledger paper: window-coloured, with the twelve vertical lines running
// its full height. The amount control and its heading strip both stand on one.
class CashSurface final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CashSurface)
public:
    explicit CashSurface(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Names an amount control or heading strip, sets its font's pixel size and gives it its surface picCash, on which
// its cells stand.
CashSurface* setUpCashControl(QWidget* control, const QString& name, int fontPixels);

} // namespace kessory
