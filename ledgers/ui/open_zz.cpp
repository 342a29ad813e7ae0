#include "ledgers/ui/frmZZ.h"
#include "shell/ui/WindowFactories.h"

QWidget* createGeneralLedgerWindow()
{
    return new frmZZ;
}
