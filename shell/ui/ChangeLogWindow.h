#pragma once

#include "data/ChangeLog.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace kessory {

// Lists the change log, filtered by date, operator and voucher, and exports what it shows as CSV.
class ChangeLogWindow final : public QDialog {
    Q_OBJECT
public:
    explicit ChangeLogWindow(QWidget* parent = nullptr);

    // Lists the rows that pass the filters.
    void query();
    const QList<ChangeLog::Row>& shownRows() const { return m_rows; }
    // The filters in words, as the printed or exported log names them.
    QString filterText() const;

private:
    QCheckBox* m_byDate = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QComboBox* m_operator = nullptr;
    QLineEdit* m_voucher = nullptr;
    QTableWidget* m_grid = nullptr;
    QLabel* m_count = nullptr;
    QList<ChangeLog::Row> m_rows;
};

} // namespace kessory
