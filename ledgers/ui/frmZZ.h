#pragma once

#include "ledgers/GeneralLedger.h"
#include "ledgers/ui/LedgerSheetWindow.h"

// The general ledger (总分类账) of the first-level accounts.
class frmZZ final : public kessory::LedgerSheetWindow {
    Q_OBJECT

public:
    explicit frmZZ(QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmZZ)

    const kessory::GeneralLedger& ledger() const { return m_ledger; }

protected:
    void funLoadItem(qint16& start, qint16& end) override;
    void funClearData() override;
    qint16 itemCount() const override;
    kessory::LedgerSlotView slotView(int entry) const override;

private:
    void Form_Load();

    kessory::GeneralLedger m_ledger;
};
