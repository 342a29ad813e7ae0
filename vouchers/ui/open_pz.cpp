#include "shell/ui/WindowFactories.h"
#include "shell/ui/WindowHost.h"
#include "vouchers/ui/frmPZ.h"

QWidget* createVoucherWindow()
{
    return new frmPZ;
}

void searchVoucher(const QString& category, qint16 number)
{
    // Opening runs the window's load when it is not open yet; the search then replaces what the load showed.
    auto* window = qobject_cast<frmPZ*>(kessory::WindowHost::instance().open(kessory::WindowKind::PZ));
    if (!window)
        return;
    QString c = category;
    qint16 n = number;
    window->funSearchData(c, n);
}
