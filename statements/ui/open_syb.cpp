#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"

QWidget* createIncomeWindow()
{
    return kessory::createPlaceholderWindow(kessory::WindowKind::SYB);
}
