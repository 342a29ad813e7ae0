#pragma once

#include "statements/ui/StatementWindow.h"

// The 损益表 window.
class frmSYB final : public kessory::StatementWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSYB)

public:
    explicit frmSYB(QWidget* parent = nullptr);
};
