#pragma once

#include "statements/ui/StatementWindow.h"

// The 现金流量表 window.
class frmXJLLB final : public kessory::StatementWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmXJLLB)

public:
    explicit frmXJLLB(QWidget* parent = nullptr);
};
