#include "ledgers/ui/frmKMHZB.h"

#include "output/ui/WindowOutput.h"

frmKMHZB::frmKMHZB(QWidget* parent)
    : LedgerStoreWindow({ QStringLiteral("frmKMHZB"), QStringLiteral("账薄管理器 - 科目汇总表"),
                          QStringLiteral("科 目 汇 总 表"), QStringLiteral("KMHZ"), false },
                        parent)
{
    // Opens on the whole year while the heading reads 1 to the current month; the first range change loads that.
    kessory::installSummaryOutput(this);
    funInitForm();
}
