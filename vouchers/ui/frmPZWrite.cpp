// The voucher window's writes: it asks and tells, the store writes.
#include "shell/Msg.h"
#include "vouchers/VoucherSql.h"
#include "vouchers/ui/frmPZ.h"

namespace {

const QString kTitle = QStringLiteral("提示");

// Shows a refusal; true when there is none.
bool allowed(const QString& refusal)
{
    if (refusal.isEmpty())
        return true;
    kessory::Msg::show(refusal, kTitle);
    return false;
}

} // namespace

bool frmPZ::writeDone(const kessory::VoucherWrite& write)
{
    if (write)
        return true;
    if (write.incompleteLine >= 0)
        bringLineIntoView(write.incompleteLine);
    else if (!write.message.isEmpty())
        kessory::Msg::show(write.message, kTitle);
    return false;
}

void frmPZ::showWritten()
{
    funOpenVoucherList(kessory::VoucherSql::voucherById(m_store.header.编号));
}

bool frmPZ::funSaveVoucher(bool silent)
{
    if (!writeDone(m_store.saveVoucher()))
        return false;
    if (!silent)
        kessory::Msg::show(QStringLiteral("凭证记录保存成功。"), kTitle);
    showWritten();
    return true;
}

bool frmPZ::funVoidVoucher()
{
    if (!allowed(m_store.voidRefusal(m_stamps)) || !kessory::Msg::ask(QStringLiteral("是否作废当前凭证？"), kTitle)
        || !writeDone(m_store.voidVoucher()))
        return false;
    showWritten();
    kessory::Msg::show(QStringLiteral("当前凭证已作废。"), kTitle);
    return true;
}

bool frmPZ::funAuditVoucher(const kessory::StampSet& stamps)
{
    if (!allowed(m_store.auditRefusal(stamps)) || !kessory::Msg::ask(QStringLiteral("是否审核当前凭证？"), kTitle)
        || !writeDone(m_store.auditVoucher()))
        return false;
    showWritten();
    kessory::Msg::show(QStringLiteral("凭证审核完成。"), kTitle);
    return true;
}

bool frmPZ::funDeleteVoucher(bool silent)
{
    if (!allowed(m_store.deleteRefusal(m_stamps)) || !kessory::Msg::ask(QStringLiteral("是否删除当前凭证？"), kTitle)
        || !writeDone(m_store.deleteVoucher()))
        return false;
    if (!silent)
        kessory::Msg::show(QStringLiteral("凭证删除成功。"), kTitle);
    return true;
}
