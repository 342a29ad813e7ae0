#pragma once

#include "statements/ui/StatementWindow.h"

// The 资产负债表 window.
class frmZCFZB final : public kessory::StatementWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmZCFZB)

public:
    explicit frmZCFZB(QWidget* parent = nullptr);
};
