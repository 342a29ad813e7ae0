#include "ledgers/ui/frmKMHZB.h"

#include "output/ui/WindowOutput.h"

frmKMHZB::frmKMHZB(QWidget* parent)
    : LedgerSheetWindow({ QStringLiteral("frmKMHZB"), QStringLiteral("账薄管理器 - 科目汇总表"),
                          QStringLiteral("科 目 汇 总 表"), QStringLiteral("KMHZ"), false },
                        parent)
{
    m_summary.setClearSheetHook([this] { funClearSheet(); });
    kessory::installSummaryOutput(this);
    Form_Load();
}

// Opens on the whole year while the heading reads 1 to the current month; the first range change loads that.
void frmKMHZB::Form_Load()
{
    funInitForm();
}

void frmKMHZB::funLoadItem(qint16& start, qint16& end)
{
    m_summary.funLoadItem(start, end);
}

void frmKMHZB::funClearData()
{
    m_summary.funClearData();
}

qint16 frmKMHZB::itemCount() const
{
    return m_summary.intItemCount;
}

kessory::LedgerSlotView frmKMHZB::slotView(int entry) const
{
    return kessory::funSlotView(m_summary.entry(entry));
}
