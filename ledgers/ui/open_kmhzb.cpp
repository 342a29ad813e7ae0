#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"

QWidget* createSummaryWindow()
{
    return kessory::createPlaceholderWindow(kessory::WindowKind::KMHZB);
}
