#include "ledgers/ui/frmMXZ.h"
#include "shell/ui/WindowFactories.h"

QWidget* createDetailLedgerWindow()
{
    return new kessory::frmMXZ;
}
