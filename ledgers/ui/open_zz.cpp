#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"

QWidget* createGeneralLedgerWindow()
{
    return kessory::createPlaceholderWindow(kessory::WindowKind::ZZ);
}
