// The voucher list, the display of one voucher, the search and the tool bar commands.
#include "controls/ui/ctlCashFormat.h"
#include "data/BookSettings.h"
#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "shell/ui/WindowHost.h"
#include "vouchers/AttachmentCount.h"
#include "vouchers/VoucherDate.h"
#include "vouchers/VoucherSql.h"
#include "vouchers/VoucherTotals.h"
#include "vouchers/ui/SheetGeometry.h"
#include "vouchers/ui/frmPZ.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <limits>

using kessory::Stamp;
using kessory::sheet::kRows;
namespace VoucherSql = kessory::VoucherSql;

void frmPZ::funOpenVoucherList(const QString& sql)
{
    const QString query = sql.trimmed().isEmpty() ? VoucherSql::fullList() : sql;
    // The list is the window's own recordset, read whole, so no other window's query can move or replace it.
    basDBOperate::funOpenRecordset(query, m_rsList);
    m_rsList->fetchAll();
    funShowVoucher(false);
    basDBOperate::funOpenRecordset(VoucherSql::fullList(), m_rsList);
    m_rsList->fetchAll();
    funSetMoveButtons();
}

void frmPZ::funShowVoucher(bool isNew)
{
    funLoadLines(isNew);
    const kessory::typVoucher& h = m_store.header;
    funShowCategory(h.类别);
    m_lbl_ID->setText(QString::number(h.编号));
    setVoucherNumber(QString::number(h.凭证号码));
    showStamp(Stamp::Voided, h.已作废);
    showDate(h.记账日期);
    m_txt_FDJS->setText(QString::number(h.附单据数));
    m_lbl_JZR->setText(h.记账人);
    m_lbl_ZDR->setText(h.制单人);
    m_lbl_SHR->setText(h.审核人);
    showStamp(Stamp::Audited, !h.审核人.trimmed().isEmpty());
    showStamp(Stamp::Unbalanced, m_store.intLineCount == 0);
    funShowPage(0);
    funEnableSheet(!m_stamps.locksVoucher());
    // The date of a voucher that is neither audited nor voided may be changed.
    m_dtp_ZDRQ->setEnabled(!m_stamps.locksVoucher());
    takeSnapshot();
}

void frmPZ::showDate(const QString& text)
{
    m_dateText = text;
    const QDateTime when = kessory::VoucherDate::parse(text);
    {
        const QSignalBlocker block(m_dtp_ZDRQ);
        m_dtp_ZDRQ->setDate(when.isValid() ? when.date() : kessory::Clock::now().date());
    }
    m_shownDate = m_dtp_ZDRQ->date();
}

QString frmPZ::dateText() const
{
    if (m_dtp_ZDRQ->date() == m_shownDate)
        return m_dateText;
    return kessory::VoucherDate::withDay(m_dateText, m_dtp_ZDRQ->date(), kessory::Clock::now().time());
}

QString frmPZ::fingerprint()
{
    // The shown rows are stored into the voucher in memory as leaving them would; the line count stays as it was.
    const qint16 lineCount = m_store.intLineCount;
    for (int r = 0; r < kRows; ++r)
        funStoreRow(r, m_shownTop);
    m_store.intLineCount = lineCount;
    QStringList parts { dateText(), m_txt_FDJS->text().trimmed(), m_cmb_PZLB->currentText() };
    for (int i = 0; i < kessory::kCountedSlots; ++i) {
        const kessory::typVoucherLine& line = m_store.arrLines[static_cast<std::size_t>(i)];
        if (kessory::isEmptyLine(line))
            break;
        parts << line.摘要 << line.科目代码 << line.科目名称 << QString::number(line.方向)
              << QString::number(kessory::toCents(line.金额));
    }
    return parts.join(QChar(0x1f));
}

void frmPZ::takeSnapshot()
{
    m_snapshot = fingerprint();
}

bool frmPZ::isModified()
{
    return fingerprint() != m_snapshot;
}

bool frmPZ::funConfirmLeave()
{
    if (!isModified())
        return true;
    switch (kessory::Msg::show(QStringLiteral("凭证已修改，是否保存？"), QStringLiteral("提示"),
                               kessory::Msg::Buttons::YesNoCancel)) {
    case kessory::Msg::Answer::Yes:
        return onSave();
    case kessory::Msg::Answer::No:
        return true;
    default:
        return false;
    }
}

bool frmPZ::returnToRow(qint64 id)
{
    m_rsList->moveFirst();
    while (m_rsList->hasCurrent()) {
        if (m_rsList->integer(QStringLiteral("编号")) == id)
            return true;
        m_rsList->moveNext();
    }
    m_rsList->moveFirst();
    return false;
}

// A move asks first; a save on the way reopens the list at its first voucher, so the move then starts again from
// the voucher the list stood on.
bool frmPZ::leaveFor(bool move)
{
    const qint64 id = move && m_rsList->hasCurrent() ? m_rsList->integer(QStringLiteral("编号")) : -1;
    const bool wasModified = isModified();
    if (!funConfirmLeave())
        return false;
    if (wasModified && id >= 0 && !isModified())
        returnToRow(id);
    return true;
}

bool frmPZ::funLoadLines(bool isNew)
{
    qint32 id = 0;
    if (!isNew) {
        // Past either end of the list there is no voucher to read: the one shown stays.
        if (!m_rsList->hasCurrent())
            return false;
        id = static_cast<qint32>(m_rsList->integer(QStringLiteral("编号")));
    }
    funClearVoucher();
    const bool hasLines = basDBOperate::funOpenRecordset(VoucherSql::linesWithAccounts(id), basDBOperate::rsShared2);
    if (!isNew)
        m_store.funLoadVoucher(*m_rsList, hasLines ? basDBOperate::rsShared2.get() : nullptr);
    basDBOperate::rsShared2->close();
    return true;
}

void frmPZ::funClearVoucher()
{
    m_store.funClearBuffer();
    m_store.header.类别 = QStringLiteral("记");
    {
        const QSignalBlocker block(m_sclPZItem);
        m_sclPZItem->setMaximum(0);
        m_sclPZItem->setValue(0);
    }
    m_shownTop = 0;
    m_cmb_PZLB->hide();
    m_picKMSelect->hide();
    m_intCurRow = 0;
    m_blnNewVoucher = false;
    m_lbl_ID->clear();
    setVoucherNumber(QString());
    m_txt_FDJS->clear();
    m_lbl_JZR->clear();
    m_lbl_SHR->clear();
    m_lbl_ZDR->clear();
    funShowCategory(QStringLiteral("记"));
    for (int r = 0; r < kRows; ++r) {
        const auto i = static_cast<std::size_t>(r);
        m_txtZY[i]->clear();
        m_txtKMMC[i]->clear();
        m_lbl_KMBH[i]->clear();
        m_csfJFJE[i]->setValue(0.0);
        m_csfDFJE[i]->setValue(0.0);
    }
    m_csfJFHJ->setValue(0.0);
    m_csfDFHJ->setValue(0.0);
    m_csfDiff->setValue(0.0);
    m_dateText.clear();
    for (int s = 0; s < kessory::kStampCount; ++s)
        showStamp(static_cast<Stamp>(s), false);
    funLoadAccountList();
}

void frmPZ::funShowCategory(const QString& category)
{
    QString c = category.trimmed();
    if (c.size() != 1)
        c = QStringLiteral("记");
    m_lbl_PZLB->setText(c + QStringLiteral("字"));
    m_lbl_PZTitle->setText(c + QStringLiteral(" 账 凭 证"));
    m_cmb_PZLB->setEditText(c);
    m_cmb_PZLB->hide();
}

void frmPZ::setVoucherNumber(const QString& caption)
{
    m_lbl_PZHM->setText(caption);
    // The search box always holds the shown voucher's number.
    m_txt_Search->setText(QString::number(static_cast<qint64>(kessory::leadingNumber(caption))));
}

void frmPZ::showStamp(Stamp stamp, bool shown)
{
    m_stamps.set(stamp, shown);
    QLabel* picture = m_imgState[static_cast<std::size_t>(stamp)];
    picture->setVisible(shown);
    if (shown)
        picture->raise();
}

void frmPZ::funSetMoveButtons()
{
    const bool atEnd = m_rsList->eof();
    const bool atStart = m_rsList->bof();
    m_cmd_Last->setEnabled(!atEnd);
    m_cmd_Next->setEnabled(!atEnd);
    m_cmd_First->setEnabled(!atStart);
    m_cmd_Prev->setEnabled(!atStart);
}

void frmPZ::funNewVoucher(const QString& category)
{
    funShowVoucher(true);
    funShowPage(0);
    setVoucherNumber(QString::number(kessory::VoucherStore::funNextVoucherNo(category)));
    showDate(kessory::Clock::generalDate());
    m_dtp_ZDRQ->setEnabled(true);
    m_blnNewVoucher = true;
    funShowCategory(category);
    showTotals();
    takeSnapshot();
}

void frmPZ::funSearchData(QString& category, qint16& number)
{
    if (!leaveFor(false))
        return;
    if (category.isEmpty() || number == 0) {
        category = m_cmb_Search->currentText();
        const double typed = kessory::leadingNumber(m_txt_Search->text());
        // No voucher carries a number beyond 16 bits: such a search finds nothing, not the voucher at the limit.
        if (typed > std::numeric_limits<qint16>::max() || typed < std::numeric_limits<qint16>::min()) {
            number = 0;
            return;
        }
        number = kessory::roundToInt16(typed);
    }
    funOpenVoucherList(VoucherSql::findVoucher(number, category));
    // The search boxes name the voucher found, also when another window asked for it.
    if (m_store.header.凭证号码 == number && m_store.header.类别 == category)
        m_cmb_Search->setEditText(category);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    }
    activateWindow();
}

void frmPZ::onFirst()
{
    if (!leaveFor(true))
        return;
    if (!m_rsList->bof())
        m_rsList->moveFirst();
    funSetMoveButtons();
    m_cmd_First->setEnabled(false);
    m_cmd_Prev->setEnabled(false);
    funShowVoucher(false);
}

void frmPZ::onPrevious()
{
    if (!leaveFor(true))
        return;
    if (!m_rsList->bof())
        m_rsList->movePrevious();
    funSetMoveButtons();
    funShowVoucher(false);
}

void frmPZ::onNext()
{
    if (!leaveFor(true))
        return;
    if (!m_rsList->eof())
        m_rsList->moveNext();
    funSetMoveButtons();
    funShowVoucher(false);
}

void frmPZ::onLast()
{
    if (!leaveFor(true))
        return;
    if (!m_rsList->eof())
        m_rsList->moveLast();
    funSetMoveButtons();
    m_cmd_Last->setEnabled(false);
    m_cmd_Next->setEnabled(false);
    funShowVoucher(false);
}

void frmPZ::onRefresh()
{
    if (!leaveFor(false))
        return;
    funOpenVoucherList(QString());
}

void frmPZ::onSearch()
{
    QString category;
    qint16 number = 0;
    funSearchData(category, number);
}

bool frmPZ::attachmentCountHolds()
{
    if (kessory::attachmentCount(m_txt_FDJS->text()))
        return true;
    kessory::Msg::show(kessory::attachmentCountRefusal(), QStringLiteral("提示"));
    m_txt_FDJS->setFocus(Qt::OtherFocusReason);
    m_txt_FDJS->selectAll();
    return false;
}

bool frmPZ::numberHolds(const QString& category, qint32 number)
{
    // A number beyond 16 bits would be stored clamped onto the last voucher of the category and overwrite it.
    if (number <= std::numeric_limits<qint16>::max())
        return true;
    kessory::Msg::show(category.trimmed() + QStringLiteral("字凭证号码已达上限 32767，无法新增凭证。"),
                       QStringLiteral("提示"));
    return false;
}

void frmPZ::onCreateNew()
{
    if (writeRefused(QString()) || !leaveFor(false))
        return;
    const QString category = m_cmb_Search->currentText();
    if (!numberHolds(category, kessory::VoucherStore::funNextVoucherNo(category)))
        return;
    funNewVoucher(category);
    m_txtZY[0]->setFocus(Qt::OtherFocusReason);
}

bool frmPZ::onSave()
{
    if (!attachmentCountHolds())
        return false;
    for (int r = 0; r < kRows; ++r)
        funStoreRow(r, m_sclPZItem->value());
    // An incomplete line is refused silently before anything is asked.
    m_store.intLineCount = m_store.funCountLines();
    if (const qint16 incomplete = m_store.funCheckLines(); incomplete != -1) {
        bringLineIntoView(incomplete);
        return false;
    }
    if (writeRefused(dateText()) || !dateHolds() || !balanceHolds())
        return false;
    return funSaveVoucher(false);
}

bool frmPZ::dateHolds()
{
    const QDate day = m_dtp_ZDRQ->date();
    // A stored voucher keeps the date it has; only a date the user gives is checked.
    if (!m_blnNewVoucher && day == m_shownDate)
        return true;
    const int year = kessory::BookSettings::bookYear(basDBOperate::cnnDB.get());
    if (day.year() == year)
        return true;
    kessory::Msg::show(kessory::VoucherDate::outsideYearMessage(day, year), QStringLiteral("提示"));
    m_dtp_ZDRQ->setFocus(Qt::OtherFocusReason);
    return false;
}

bool frmPZ::balanceHolds()
{
    m_store.intLineCount = m_store.funCountLines();
    const qint64 difference = kessory::sumLines(m_store.arrLines).difference();
    if (difference == 0)
        return true;
    const QString amount = QString::number(static_cast<double>(difference) / 100.0, 'f', 2);
    return kessory::Msg::show(QStringLiteral("借贷不平衡（差额 %1 元），是否仍然保存？").arg(amount),
                              QStringLiteral("提示"), kessory::Msg::Buttons::YesNoDefaultNo)
        == kessory::Msg::Answer::Yes;
}

void frmPZ::onVoid()
{
    if (writeRefused(QString()) || !attachmentCountHolds())
        return;
    funVoidVoucher();
}

void frmPZ::onAudit()
{
    if (writeRefused(QString()) || !attachmentCountHolds())
        return;
    // A voucher without lines is never audited, also a new one that shows no stamp.
    kessory::StampSet stamps = m_stamps;
    if (m_store.funCountLines() == 0)
        stamps.set(Stamp::Unbalanced, true);
    funAuditVoucher(stamps);
}

void frmPZ::onDelete()
{
    if (writeRefused(QString()))
        return;
    if (funDeleteVoucher(false))
        funOpenVoucherList(QString());
}

void frmPZ::onQuit()
{
    kessory::closeWindow(this);
}

void frmPZ::onCategoryLabelClicked()
{
    if (!m_blnNewVoucher)
        return;
    m_cmb_PZLB->show();
    m_cmb_PZLB->raise();
    m_cmb_PZLB->setFocus(Qt::MouseFocusReason);
}

void frmPZ::onCategoryChosen(int index)
{
    const QString chosen = m_cmb_PZLB->itemText(index);
    const qint32 next = kessory::VoucherStore::funNextVoucherNo(chosen);
    if (!numberHolds(chosen, next)) {
        funShowCategory(m_cmb_Search->currentText());
        return;
    }
    m_cmb_Search->setEditText(chosen);
    setVoucherNumber(QString::number(next));
    funShowCategory(chosen);
}
