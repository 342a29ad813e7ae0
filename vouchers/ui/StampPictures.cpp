#include "vouchers/ui/StampPictures.h"

#include <QFont>
#include <QPainter>

namespace kessory {
namespace {

QColor stampInk(int index)
{
    switch (index) {
    case 0:
        return { 200, 20, 20 };
    case 1:
        return { 220, 90, 0 };
    case 2:
        return { 20, 60, 190 };
    default:
        return { 110, 40, 140 };
    }
}

} // namespace

QString stampText(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("作 废");
    case 1:
        return QStringLiteral("不平衡");
    case 2:
        return QStringLiteral("已审核");
    case 3:
        return QStringLiteral("已记账");
    default:
        return QStringLiteral("已结账");
    }
}

QPixmap stampPicture(int index)
{
    QPixmap pixmap(96, 44);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor ink = stampInk(index);
    // A slight tilt and a double border make it read as stamped on, not printed.
    p.translate(48, 22);
    p.rotate(-8);
    const QRectF outer(-42, -16, 84, 32);
    p.setPen(QPen(ink, 2.5));
    p.drawRoundedRect(outer, 5, 5);
    p.setPen(QPen(ink, 1));
    p.drawRoundedRect(outer.adjusted(3.5, 3.5, -3.5, -3.5), 3, 3);
    QFont f;
    f.setBold(true);
    f.setPixelSize(15);
    p.setFont(f);
    p.drawText(outer, Qt::AlignCenter, stampText(index));
    return pixmap;
}

} // namespace kessory
