#include "controls/ui/CashCell.h"
#include "controls/ui/ctlCashFormat.h"
#include "controls/ui/ctlCashTitle.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// The ledger-paper test window: a heading strip over an entry control with 1234567.89 and a display control with 0.
struct PaperWindow {
    QWidget window;
    ctlCashTitle* title = new ctlCashTitle(&window);
    ctlCashFormat* entry = new ctlCashFormat(&window);
    ctlCashFormat* display = new ctlCashFormat(&window);

    PaperWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->setSpacing(0);
        layout->addWidget(title);
        layout->addWidget(entry);
        layout->addWidget(display);
        entry->loadProperties(0, true);
        entry->setValue(1234567.89);
        display->loadProperties(0, false);
        entry->resize(121, 30);
        display->resize(121, 30);
        window.show();
    }
};

bool hasInk(const QImage& img, const QRect& r)
{
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (qGray(img.pixel(x, y)) < 100)
                return true;
        }
    }
    return false;
}

QRect cellRect(ctlCashFormat* c, int i, const QWidget& window)
{
    auto* cell = c->findChild<kessory::CashCell*>(QStringLiteral("tCash_%1").arg(i));
    return QRect(cell->mapTo(&window, QPoint(0, 0)), cell->size());
}

} // namespace

TEST(ctlCashLook, LinesAndDigitsLookLikeLedgerPaper)
{
    PaperWindow w;
    const QImage img = w.window.grab().toImage();
    const QByteArray dir = qgetenv("KESSORY_SHOT_DIR");
    if (!dir.isEmpty())
        img.save(QDir(QString::fromLocal8Bit(dir)).filePath("ctlCashFormat.png"));

    for (ctlCashFormat* c : { w.entry, w.display }) {
        const QPoint origin = c->mapTo(&w.window, QPoint(0, 0));
        const int y = origin.y() + 2; // above the cells: only paper and lines
        const auto at = [&](int x) { return QColor(img.pixel(origin.x() + x, y)); };
        for (int k = 1; k < 12; ++k) {
            QColor expected(192, 192, 192);
            if (k == 1 || k == 4 || k == 7)
                expected = QColor(128, 128, 128);
            if (k == 10)
                expected = QColor(255, 0, 0);
            EXPECT_EQ(at(10 * k - 2), expected) << "line " << k;
            EXPECT_EQ(at(10 * k - 5), QColor(Qt::white)) << "paper left of line " << k;
        }
        // The lines run the whole height.
        EXPECT_EQ(QColor(img.pixel(origin.x() + 98, origin.y() + c->height() - 1)), QColor(255, 0, 0));
    }
    // Digits in ink where the amount has them, paper above its highest digit; display digits read as clearly.
    for (int i = 0; i <= 8; ++i)
        EXPECT_TRUE(hasInk(img, cellRect(w.entry, i, w.window))) << "entry cell " << i;
    for (int i = 9; i < 12; ++i)
        EXPECT_FALSE(hasInk(img, cellRect(w.entry, i, w.window))) << "entry cell " << i;
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(hasInk(img, cellRect(w.display, i, w.window)), i <= 2) << "display cell " << i;
}

TEST(ctlCashLook, HeadingStripTitlesStandOverTheirColumns)
{
    PaperWindow w;
    EXPECT_EQ(w.title->width(), w.entry->width());
    QString titles;
    for (int i = 11; i >= 0; --i) {
        auto* label = w.title->findChild<QLabel*>(QStringLiteral("tCash_%1").arg(i));
        ASSERT_NE(label, nullptr) << i;
        titles += label->text();
        const QRect cell = cellRect(w.entry, i, w.window);
        const QRect head(label->mapTo(&w.window, QPoint(0, 0)), label->size());
        EXPECT_LE(std::abs(head.center().x() - cell.center().x()), 1) << i;
        // Between the ruling lines either side of the column.
        EXPECT_GT(head.left(), cell.left() - 3) << i;
        EXPECT_LT(head.right(), cell.right() + 3) << i;
    }
    EXPECT_EQ(titles, QStringLiteral("十亿千百十万千百十元角分"));
}

TEST(ctlCashLook, TheFocusedCellIsMarked)
{
    PaperWindow w;
    QApplication::setActiveWindow(&w.window);
    w.entry->setFocus();
    const QImage img = w.window.grab().toImage();
    const QByteArray dir = qgetenv("KESSORY_SHOT_DIR");
    if (!dir.isEmpty())
        img.save(QDir(QString::fromLocal8Bit(dir)).filePath("ctlCashFormat_focus.png"));
    const QColor mark = w.window.palette().color(QPalette::Active, QPalette::Highlight);
    for (int i = 0; i < 12; ++i) {
        const QRect r = cellRect(w.entry, i, w.window);
        EXPECT_EQ(QColor(img.pixel(r.topLeft())) == mark, i == 2) << i;
    }
}
