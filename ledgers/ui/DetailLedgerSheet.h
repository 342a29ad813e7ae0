#pragma once

#include <QWidget>

class QLabel;

namespace kessory {

// The ruled sheet picMXZSheet of the detail ledger: the column-heading band shpZYTitle with its captions and digit
// headings, and the paper behind the row slots.
class DetailLedgerSheet final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DetailLedgerSheet)

public:
    explicit DetailLedgerSheet(QWidget* parent);

    QLabel* yearLabel() const { return m_year; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_year;
};

} // namespace kessory
