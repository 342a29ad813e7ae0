#include "shell/ui/WindowFactories.h"
#include "statements/ui/frmSYB.h"

frmSYB::frmSYB(QWidget* parent)
    : StatementWindow(kessory::incomeStatement(), parent)
{
}

QWidget* createIncomeWindow()
{
    return new frmSYB;
}
