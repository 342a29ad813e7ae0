#pragma once

#include "ledgers/DetailLedgerPage.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class ctlCashFormat;

namespace kessory {

// One row slot picMXZJL_i of the detail ledger's sheet: month, day, voucher number, summary, the three amount cells,
// the direction label and the hidden account code, ruled like a line of account-book paper.
class DetailLedgerSlot final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DetailLedgerSlot)

public:
    DetailLedgerSlot(int index, QWidget* parent);

    // Draws a row into the slot.
    void showRow(const MXZSlotView& row);
    // Empties every cell; with resetMark the number cell also loses its tooltip and is centred again.
    void clearRow(bool resetMark);

    QLabel* numberCell() const { return m_pzhm; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_month;
    QLabel* m_day;
    QLabel* m_pzhm;
    QLineEdit* m_zy;
    ctlCashFormat* m_debit;
    ctlCashFormat* m_credit;
    QLabel* m_fx;
    ctlCashFormat* m_diff;
    QLabel* m_kmbh;
};

} // namespace kessory
