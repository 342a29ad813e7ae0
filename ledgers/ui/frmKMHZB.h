#pragma once

#include "ledgers/AccountSummary.h"
#include "ledgers/ui/LedgerSheetWindow.h"

// The account summary table (科目汇总表): one row per first-level account with lines in the range.
class frmKMHZB final : public kessory::LedgerSheetWindow {
    Q_OBJECT

public:
    explicit frmKMHZB(QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmKMHZB)

    const kessory::AccountSummary& summary() const { return m_summary; }

protected:
    void funLoadItem(qint16& start, qint16& end) override;
    void funClearData() override;
    qint16 itemCount() const override;
    kessory::LedgerSlotView slotView(int entry) const override;

private:
    void Form_Load();

    kessory::AccountSummary m_summary;
};
