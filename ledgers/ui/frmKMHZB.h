#pragma once

#include "ledgers/AccountSummary.h"
#include "ledgers/ui/LedgerStoreWindow.h"

// The account summary table (科目汇总表): one row per first-level account with lines in the range, then 合计.
class frmKMHZB final : public kessory::LedgerStoreWindow<kessory::AccountSummary> {
    Q_OBJECT

public:
    explicit frmKMHZB(QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmKMHZB)
};
