#include "ledgers/ui/LedgerSheetParts.h"

#include "ledgers/LedgerSheet.h"
#include "shell/ui/Twips.h"

#include <QPainter>

namespace kessory {

const std::array<LedgerColumn, 8> kLedgerColumns { {
    { 60, 1230, "科目代码", false, false },
    { 1305, 2010, "科 目 名 称", false, false },
    { 3330, 375, "期间", true, false },
    { 3720, 1065, "摘  要", false, false },
    { 4800, 1815, "借 方 金 额", false, true },
    { 6630, 1815, "贷 方 金 额", false, true },
    { 8460, 285, "方向", true, false },
    { 8760, 1815, "余   额", false, true },
} };

namespace {

const QColor kRule(96, 96, 96);
const QColor kPaleRule(176, 176, 176);
constexpr int kHeaderTop = 45;
constexpr int kCaptionHeight = 420; // the amount captions' line; the digit titles take the rest

// The x of the rule left of column i (midway in the gap to its neighbour), in sheet units.
int ruleBefore(std::size_t i)
{
    if (i == 0)
        return kLedgerColumns[0].x - 8;
    const LedgerColumn& left = kLedgerColumns[i - 1];
    return (left.x + left.width + kLedgerColumns[i].x) / 2;
}

int ruleAfterLast()
{
    const LedgerColumn& last = kLedgerColumns.back();
    return last.x + last.width + 8;
}

} // namespace

int slotLeftPixels()
{
    return tw(ruleBefore(0));
}

int slotWidthPixels()
{
    return tw(ruleAfterLast()) - slotLeftPixels() + 1;
}

int slotX(int sheetX)
{
    return tw(sheetX) - slotLeftPixels();
}

LedgerPage::LedgerPage(const QString& title, QWidget* parent)
    : QWidget(parent)
    , m_title(title)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);
}

void LedgerPage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QFont font = this->font();
    font.setPointSize(18);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    const QRect titleRect(0, tw(120), width(), tw(480));
    p.drawText(titleRect, Qt::AlignHCenter | Qt::AlignBottom, m_title);
    const int half = p.fontMetrics().horizontalAdvance(m_title) / 2 + tw(300);
    const int y = titleRect.bottom() + tw(60);
    p.drawLine(width() / 2 - half, y, width() / 2 + half, y);
    p.drawLine(width() / 2 - half, y + tw(30), width() / 2 + half, y + tw(30));
}

LedgerSheetHeader::LedgerSheetHeader(QWidget* parent)
    : QWidget(parent)
{
}

void LedgerSheetHeader::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(kRule);
    const int top = tw(kHeaderTop);
    const int bottom = tw(LedgerSheet::kFirstSlotTop);
    p.drawLine(tw(ruleBefore(0)), top, tw(ruleAfterLast()), top);
    p.drawLine(tw(ruleBefore(0)), bottom, tw(ruleAfterLast()), bottom);
    for (std::size_t i = 0; i < kLedgerColumns.size(); ++i)
        p.drawLine(tw(ruleBefore(i)), top, tw(ruleBefore(i)), bottom);
    p.drawLine(tw(ruleAfterLast()), top, tw(ruleAfterLast()), bottom);

    QFont font = this->font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    for (const LedgerColumn& c : kLedgerColumns) {
        const QString caption = QString::fromUtf8(c.caption);
        if (c.amount) {
            const int lineY = tw(kHeaderTop + kCaptionHeight);
            p.drawText(QRect(tw(c.x), top, tw(c.width), lineY - top), Qt::AlignCenter, caption);
            p.setPen(kRule);
            p.drawLine(tw(c.x) - 1, lineY, tw(c.x + c.width), lineY);
            p.setPen(Qt::black);
        } else if (c.stacked) {
            p.drawText(QRect(tw(c.x), top, tw(c.width), bottom - top), Qt::AlignCenter,
                       caption.left(1) + QLatin1Char('\n') + caption.mid(1));
        } else {
            p.drawText(QRect(tw(c.x), top, tw(c.width), bottom - top), Qt::AlignCenter, caption);
        }
    }
}

LedgerSlotStrip::LedgerSlotStrip(QWidget* parent)
    : QWidget(parent)
{
}

void LedgerSlotStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(kPaleRule);
    p.drawLine(0, 0, width(), 0);
    p.drawLine(0, height() - 1, width(), height() - 1);
    p.setPen(kRule);
    for (std::size_t i = 0; i < kLedgerColumns.size(); ++i)
        p.drawLine(slotX(ruleBefore(i)), 0, slotX(ruleBefore(i)), height());
    p.drawLine(slotX(ruleAfterLast()), 0, slotX(ruleAfterLast()), height());
}

LedgerBottomStrip::LedgerBottomStrip(QWidget* parent)
    : QWidget(parent)
{
}

void LedgerBottomStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(kRule);
    p.drawLine(tw(ruleBefore(0)), 0, tw(ruleAfterLast()), 0);
}

} // namespace kessory
