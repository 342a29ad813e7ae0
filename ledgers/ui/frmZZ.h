#pragma once

#include "ledgers/GeneralLedger.h"
#include "ledgers/ui/LedgerStoreWindow.h"

// The general ledger (总分类账) of the first-level accounts.
class frmZZ final : public kessory::LedgerStoreWindow<kessory::GeneralLedger> {
    Q_OBJECT

public:
    explicit frmZZ(QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmZZ)
};
