#include "shell/ui/WindowFactories.h"
#include "statements/ui/frmXJLLB.h"

frmXJLLB::frmXJLLB(QWidget* parent)
    : StatementWindow(kessory::cashFlowStatement(), parent)
{
}

QWidget* createCashFlowWindow()
{
    return new frmXJLLB;
}
