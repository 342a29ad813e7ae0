#include "ledgers/ui/frmKMHZB.h"
#include "shell/ui/WindowFactories.h"

QWidget* createSummaryWindow()
{
    return new frmKMHZB;
}
