#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"

QWidget* createDetailLedgerWindow()
{
    return kessory::createPlaceholderWindow(kessory::WindowKind::MXZ);
}
