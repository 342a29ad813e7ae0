#include "ledgers/ui/frmZZ.h"

#include "output/ui/WindowOutput.h"
#include "shell/Clock.h"

#include <QLabel>

frmZZ::frmZZ(QWidget* parent)
    : LedgerSheetWindow({ QStringLiteral("frmZZ"), QStringLiteral("账薄管理器 - 总分类账"),
                          QStringLiteral("总 分 类 账"), QStringLiteral("ZZ"), true },
                        parent)
{
    m_ledger.setClearSheetHook([this] { funClearSheet(); });
    kessory::installGeneralLedgerOutput(this);
    Form_Load();
}

void frmZZ::Form_Load()
{
    const QString month = QString::number(kessory::Clock::currentMonth());
    lblStartMonth()->setText(month);
    lblEndMonth()->setText(month);
    funInitForm();
    funRefreshData(labelValue(lblStartMonth()), labelValue(lblEndMonth()));
}

void frmZZ::funLoadItem(qint16& start, qint16& end)
{
    m_ledger.funLoadItem(start, end);
}

void frmZZ::funClearData()
{
    m_ledger.funClearData();
}

qint16 frmZZ::itemCount() const
{
    return m_ledger.intItemCount;
}

kessory::LedgerSlotView frmZZ::slotView(int entry) const
{
    return kessory::funSlotView(m_ledger.entry(entry));
}
