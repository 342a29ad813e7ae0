#include "ledgers/ui/frmZZ.h"

#include "output/ui/WindowOutput.h"
#include "shell/Clock.h"

#include <QLabel>

frmZZ::frmZZ(QWidget* parent)
    : LedgerStoreWindow({ QStringLiteral("frmZZ"), QStringLiteral("账薄管理器 - 总分类账"),
                          QStringLiteral("总 分 类 账"), QStringLiteral("ZZ"), true },
                        parent)
{
    // Opens on January to the current month.
    const QString month = QString::number(kessory::Clock::currentMonth());
    lblStartMonth()->setText(month);
    lblEndMonth()->setText(month);
    kessory::installGeneralLedgerOutput(this);
    funInitForm();
    funRefreshData(labelValue(lblStartMonth()), labelValue(lblEndMonth()));
}
