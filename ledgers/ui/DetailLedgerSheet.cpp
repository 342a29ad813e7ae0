#include "ledgers/ui/DetailLedgerSheet.h"

#include "controls/ui/ctlCashTitle.h"
#include "ledgers/ui/DetailLedgerGeometry.h"

#include <QLabel>
#include <QPainter>

namespace kessory {
namespace {

using namespace mxz;

constexpr int kBand = tw(kHeadingHeight);
constexpr int kUpper = tw(435); // the caption row; the digit headings sit below it

QLabel* caption(QWidget* parent, const QString& text, int left, int top, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(left, top, width, height);
    return label;
}

void amountHeading(QWidget* parent, const QString& text, int left)
{
    caption(parent, text, left, 0, kCreditLeft - kDebitLeft, kUpper);
    auto* digits = new ctlCashTitle(parent);
    digits->move(left + kAmountInset, kUpper + (kBand - kUpper - digits->height()) / 2);
}

} // namespace

DetailLedgerSheet::DetailLedgerSheet(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("picMXZSheet"));

    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("shpZYTitle"));
    band->setAttribute(Qt::WA_TransparentForMouseEvents);
    band->setGeometry(0, 0, kRowWidth, kBand);

    m_year = caption(this, QString(), kMonthLeft, 0, kDayLeft - kMonthLeft, kUpper);
    m_year->setObjectName(QStringLiteral("lblND"));
    caption(this, QStringLiteral("年"), kDayLeft, 0, kNumberLeft - kDayLeft, kUpper);
    caption(this, QStringLiteral("月"), kMonthLeft, kUpper, kDayLeft - kMonthLeft, kBand - kUpper);
    caption(this, QStringLiteral("日"), kDayLeft, kUpper, kNumberLeft - kDayLeft, kBand - kUpper);

    const int half = (kSummaryLeft - kNumberLeft) / 2;
    caption(this, QStringLiteral("凭"), kNumberLeft, 0, half, kUpper);
    caption(this, QStringLiteral("证"), kNumberLeft + half, 0, half, kUpper);
    caption(this, QStringLiteral("号"), kNumberLeft, kUpper, half, kBand - kUpper);
    caption(this, QStringLiteral("码"), kNumberLeft + half, kUpper, half, kBand - kUpper);

    caption(this, QStringLiteral("摘     要"), kSummaryLeft, 0, kDebitLeft - kSummaryLeft, kBand);
    amountHeading(this, QStringLiteral("借 方 金 额"), kDebitLeft);
    amountHeading(this, QStringLiteral("贷 方 金 额"), kCreditLeft);
    caption(this, QStringLiteral("方"), kSideLeft, 0, kBalanceLeft - kSideLeft, kUpper);
    caption(this, QStringLiteral("向"), kSideLeft, kUpper, kBalanceLeft - kSideLeft, kBand - kUpper);
    amountHeading(this, QStringLiteral("余   额"), kBalanceLeft);
}

void DetailLedgerSheet::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), paperColor());
    painter.setPen(ruleColor());
    const int right = kRowWidth - 1;
    painter.drawRect(0, 0, right, kBand - 1);
    // Half-height rules: under the year, the voucher number's first half, the direction and the amount captions.
    painter.drawLine(kMonthLeft, kUpper, kNumberLeft, kUpper);
    painter.drawLine(kDebitLeft, kUpper, kSideLeft, kUpper);
    painter.drawLine(kBalanceLeft, kUpper, right, kUpper);
    for (int x : { kDayLeft, kNumberLeft, kSummaryLeft, kDebitLeft, kCreditLeft, kSideLeft, kBalanceLeft })
        painter.drawLine(x, x == kDayLeft ? kUpper : 0, x, kBand - 1);
    // The double rule under the heading band, as on account-book paper.
    painter.drawLine(0, kBand + 1, right, kBand + 1);
    painter.drawLine(0, tw(kSlotTop) - 1, right, tw(kSlotTop) - 1);
}

} // namespace kessory
