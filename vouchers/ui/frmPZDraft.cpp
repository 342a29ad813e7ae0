// Vouchers the program drafts for review, and the refusals of a closed month or a read-only book.
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "vouchers/PeriodClose.h"
#include "vouchers/VoucherTotals.h"
#include "vouchers/ui/frmPZ.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

bool frmPZ::writeRefused(const QString& date)
{
    // A new voucher has no stored month yet; only its date can lie in a closed one.
    const qint32 stored = m_blnNewVoucher ? 0 : m_store.header.编号;
    const QString why = kessory::PeriodClose::voucherRefusal(basDBOperate::cnnDB.get(), stored, date);
    if (why.isEmpty())
        return false;
    kessory::Msg::show(why, QStringLiteral("提示"));
    return true;
}

bool frmPZ::loadNewVoucher(const QString& category, const QString& date, const QList<kessory::typVoucherLine>& lines)
{
    if (!numberHolds(category, kessory::VoucherStore::funNextVoucherNo(category)))
        return false;
    m_cmb_Search->setEditText(category);
    funNewVoucher(category);
    m_lbl_ZDRQ->setText(date);
    m_store.header.记账日期 = date;
    const qsizetype count = std::min<qsizetype>(lines.size(), kessory::kCountedSlots);
    for (qsizetype i = 0; i < count; ++i)
        m_store.arrLines[static_cast<std::size_t>(i)] = lines[i];
    m_store.intLineCount = static_cast<qint16>(count);
    funShowPage(0);
    // The stamp of the empty new voucher goes once the drafted lines agree.
    showStamp(kessory::Stamp::Unbalanced, kessory::sumLines(m_store.arrLines).difference() != 0);
    return true;
}
