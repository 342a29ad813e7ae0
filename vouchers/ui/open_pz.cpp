#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"

QWidget* createVoucherWindow()
{
    return kessory::createPlaceholderWindow(kessory::WindowKind::PZ);
}

void searchVoucher(const QString&, qint16)
{
    kessory::WindowHost::instance().open(kessory::WindowKind::PZ);
}
