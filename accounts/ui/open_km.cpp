#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"

QWidget* createAccountWindow()
{
    return kessory::createPlaceholderWindow(kessory::WindowKind::KM);
}
