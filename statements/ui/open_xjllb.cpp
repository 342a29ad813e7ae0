#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"

QWidget* createCashFlowWindow()
{
    return kessory::createPlaceholderWindow(kessory::WindowKind::XJLLB);
}
