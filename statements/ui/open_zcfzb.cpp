#include "shell/ui/WindowFactories.h"
#include "statements/ui/frmZCFZB.h"

frmZCFZB::frmZCFZB(QWidget* parent)
    : StatementWindow(kessory::balanceSheet(), parent)
{
}

QWidget* createBalanceSheetWindow()
{
    return new frmZCFZB;
}
