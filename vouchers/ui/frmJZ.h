#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace kessory {
// 结转损益: drafts the transfer voucher of the first open month and shows it, unsaved, in the voucher window for
// review. False (after its message) when there is none to draft.
bool draftProfitTransfer();
} // namespace kessory

// 月末结账: the twelve months with their state; 结转损益, 结账 (the first open month) and 反结账 (the latest closed).
class frmJZ final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmJZ)
public:
    explicit frmJZ(QWidget* parent = nullptr);
    ~frmJZ() override;

    bool closeMonth();
    bool reopenMonth();
    void refresh();

private:
    QLabel* m_lblYear = nullptr;
    QTableWidget* m_months = nullptr;
    QPushButton* m_cmdClose = nullptr;
    QPushButton* m_cmdReopen = nullptr;
};
