#include "accounts/ui/TreeIcons.h"

#include <QPainter>
#include <QPixmap>

namespace kessory {
namespace {

constexpr int kSize = 16;

// A transparent square painted by draw with the given outline and fill.
template <typename Draw> QPixmap picture(const QColor& outline, const QBrush& fill, Draw draw)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(outline);
    p.setBrush(fill);
    draw(p);
    return pixmap;
}

// A closed folder: the category that holds the first-level accounts.
QPixmap categoryPicture()
{
    return picture(QColor(150, 110, 20), QColor(240, 200, 80), [](QPainter& p) {
        p.drawRect(1, 3, 6, 2);
        p.drawRect(1, 4, 13, 10);
        p.setPen(QColor(255, 235, 160));
        p.drawLine(2, 6, 13, 6);
    });
}

// A bound ledger: an account that has (or may have) sub-accounts.
QPixmap branchPicture()
{
    return picture(QColor(20, 50, 120), QColor(60, 110, 200), [](QPainter& p) {
        p.drawRect(2, 1, 11, 13);
        p.setBrush(QColor(250, 250, 245));
        p.drawRect(5, 3, 6, 3);
        p.setPen(QColor(20, 40, 100));
        p.drawLine(3, 2, 3, 13);
    });
}

// A ruled sheet with a folded corner: a leaf account, where the postings go.
QPixmap leafPicture()
{
    return picture(QColor(90, 90, 90), Qt::white, [](QPainter& p) {
        const QPoint sheet[] = { { 3, 1 }, { 10, 1 }, { 13, 4 }, { 13, 14 }, { 3, 14 } };
        p.drawPolygon(sheet, 5);
        p.drawLine(10, 1, 10, 4);
        p.drawLine(10, 4, 13, 4);
        p.setPen(QColor(200, 60, 60));
        for (int y = 6; y <= 12; y += 2)
            p.drawLine(5, y, 11, y);
    });
}

} // namespace

TreeIconList::TreeIconList(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("iml_TreeIcon"));
    m_icons.insert(QStringLiteral("i_BM"), QIcon(categoryPicture()));
    m_icons.insert(QStringLiteral("i_GW"), QIcon(branchPicture()));
    m_icons.insert(QStringLiteral("i_MJ"), QIcon(leafPicture()));
}

QIcon TreeIconList::icon(const QString& key) const
{
    return m_icons.value(key);
}

} // namespace kessory
