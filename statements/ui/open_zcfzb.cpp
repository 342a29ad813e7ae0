#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"

QWidget* createBalanceSheetWindow()
{
    return kessory::createPlaceholderWindow(kessory::WindowKind::ZCFZB);
}
