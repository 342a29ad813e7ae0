#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"

QWidget* createVoucherWindow()
{
    return kessory::createPlaceholderWindow(kessory::WindowKind::PZ);
}
