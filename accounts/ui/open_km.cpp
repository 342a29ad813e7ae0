#include "accounts/ui/frmKM.h"
#include "shell/ui/WindowFactories.h"

QWidget* createAccountWindow()
{
    return new frmKM;
}
