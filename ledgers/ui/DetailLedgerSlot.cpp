#include "ledgers/ui/DetailLedgerSlot.h"

#include "controls/ui/ctlCashFormat.h"
#include "ledgers/ui/DetailLedgerGeometry.h"
#include "ledgers/ui/DirectionColor.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace kessory {
namespace {

void setTextColor(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    w->setPalette(p);
}

QColor markColor(MXZSlotView::Mark mark)
{
    switch (mark) {
    case MXZSlotView::Mark::Total:
        return sideColor(Side::Debit); // dark red
    case MXZSlotView::Mark::Opening:
        return sideColor(Side::Credit); // green
    case MXZSlotView::Mark::Line:
    case MXZSlotView::Mark::Empty:
        break;
    }
    return QColor(0, 0, 0);
}

QLabel* cellLabel(const QString& name, int index, int left, int width, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("%1_%2").arg(name).arg(index));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(left, 0, width, tw(mxz::kSlotHeight));
    return label;
}

ctlCashFormat* amountCell(const QString& name, int index, int left, QWidget* parent)
{
    auto* cell = new ctlCashFormat(parent);
    cell->setObjectName(QStringLiteral("%1_%2").arg(name).arg(index));
    cell->loadProperties(0.0, false);
    // Between the slot's two rules, so its column rules run from line to line; its digit row stays centred.
    cell->setGeometry(left + mxz::kAmountInset, 1, cell->width(), tw(mxz::kSlotHeight) - 2);
    return cell;
}

} // namespace

DetailLedgerSlot::DetailLedgerSlot(int index, QWidget* parent)
    : QWidget(parent)
{
    using namespace mxz;
    setObjectName(QStringLiteral("picMXZJL_%1").arg(index));
    setAutoFillBackground(false);

    m_month = cellLabel(QStringLiteral("lblMonth"), index, kMonthLeft, kDayLeft - kMonthLeft, this);
    m_day = cellLabel(QStringLiteral("lblDay"), index, kDayLeft, kNumberLeft - kDayLeft, this);
    m_pzhm = cellLabel(QStringLiteral("lblPZHM"), index, kNumberLeft, kSummaryLeft - kNumberLeft, this);

    m_zy = new QLineEdit(this);
    m_zy->setObjectName(QStringLiteral("txtZY_%1").arg(index));
    m_zy->setFrame(false);
    m_zy->setGeometry(kSummaryLeft + 3, 3, kDebitLeft - kSummaryLeft - 5, tw(kSlotHeight) - 6);
    QPalette p = m_zy->palette();
    p.setColor(QPalette::Base, Qt::transparent);
    m_zy->setPalette(p);

    m_debit = amountCell(QStringLiteral("csfJFJE"), index, kDebitLeft, this);
    m_credit = amountCell(QStringLiteral("csfDFJE"), index, kCreditLeft, this);
    m_fx = cellLabel(QStringLiteral("lblFX"), index, kSideLeft, kBalanceLeft - kSideLeft, this);
    m_diff = amountCell(QStringLiteral("csfDiff"), index, kBalanceLeft, this);

    m_kmbh = new QLabel(this);
    m_kmbh->setObjectName(QStringLiteral("lbl_KMBH_%1").arg(index));
    m_kmbh->hide();

    resize(kRowWidth, tw(kSlotHeight));
    clearRow(true);
}

void DetailLedgerSlot::showRow(const MXZSlotView& row)
{
    setTextColor(m_pzhm, markColor(row.mark));
    m_pzhm->setText(row.number);
    if (row.mark == MXZSlotView::Mark::Line)
        m_pzhm->setToolTip(QStringLiteral("双击查看凭证"));
    m_month->setText(row.month);
    m_day->setText(row.day);
    m_kmbh->setText(row.account);
    setTextColor(m_zy, QColor(0, 0, 0));
    m_zy->setText(row.summary);
    m_zy->setCursorPosition(0);
    m_debit->setValue(row.debit);
    m_credit->setValue(row.credit);
    m_diff->setValue(row.balance);
    setTextColor(m_fx, sideColor(row.side));
    m_fx->setText(sideText(row.side));
}

void DetailLedgerSlot::clearRow(bool resetMark)
{
    if (resetMark) {
        m_pzhm->setAlignment(Qt::AlignCenter);
        m_pzhm->setToolTip(QString());
    }
    setTextColor(m_pzhm, QColor(0, 0, 0));
    m_pzhm->clear();
    m_debit->setValue(0.0);
    m_credit->setValue(0.0);
    m_diff->setValue(0.0);
    setTextColor(m_fx, QColor(0, 0, 0));
    m_fx->clear();
    m_month->clear();
    m_day->clear();
    m_kmbh->clear();
    setTextColor(m_zy, QColor(0, 0, 0));
    m_zy->clear();
}

void DetailLedgerSlot::paintEvent(QPaintEvent*)
{
    using namespace mxz;
    QPainter painter(this);
    painter.fillRect(rect(), paperColor());
    painter.setPen(ruleColor());
    const int bottom = height() - 1;
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, bottom, width() - 1, bottom);
    for (int x : { kDayLeft, kNumberLeft, kSummaryLeft, kDebitLeft, kCreditLeft, kSideLeft, kBalanceLeft })
        painter.drawLine(x, 0, x, bottom);
    painter.drawLine(0, 0, 0, bottom);
    painter.drawLine(width() - 1, 0, width() - 1, bottom);
}

} // namespace kessory
