// The voucher sheet: rows shown from and stored into the voucher in memory, totals, the account look-up list.
#include "controls/ui/ctlCashFormat.h"
#include "data/Numbers.h"
#include "vouchers/AccountList.h"
#include "vouchers/VoucherDate.h"
#include "vouchers/VoucherTotals.h"
#include "vouchers/ui/SheetGeometry.h"
#include "vouchers/ui/frmPZ.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

using kessory::fromCents;
using kessory::toCents;
using kessory::sheet::kRows;

void frmPZ::funShowPage(int top)
{
    if (top < 0)
        top = 0;
    if (m_store.intLineCount == 0) {
        // A clear has emptied the rows already.
        const QSignalBlocker block(m_sclPZItem);
        m_sclPZItem->setMaximum(0);
        m_shownTop = 0;
    } else {
        const int max = m_store.intLineCount > kRows ? m_store.intLineCount - kRows : 0;
        top = std::min(top, max);
        {
            const QSignalBlocker block(m_sclPZItem);
            m_sclPZItem->setMaximum(max);
            m_sclPZItem->setValue(top);
        }
        m_shownTop = top;
        for (int r = 0; r < kRows; ++r) {
            const auto i = static_cast<std::size_t>(r);
            const kessory::typVoucherLine& line = m_store.arrLines[static_cast<std::size_t>(top + r)];
            m_txtZY[i]->setText(line.摘要);
            m_txtZY[i]->setCursorPosition(0);
            m_txtKMMC[i]->setText(line.科目名称);
            m_txtKMMC[i]->setCursorPosition(0);
            m_lbl_KMBH[i]->setText(line.科目代码);
            m_csfDFJE[i]->setValue(line.方向 ? line.金额 : 0.0);
            m_csfJFJE[i]->setValue(line.方向 ? 0.0 : line.金额);
        }
        funSumVoucher();
    }
    m_timRefresh->start();
}

void frmPZ::funStoreRow(int row, int top)
{
    const int k = top + row;
    if (row < 0 || row >= kRows || k < 0 || k > kessory::kCountedSlots)
        return;
    kessory::typVoucher& h = m_store.header;
    h.凭证号码 = kessory::roundToInt16(kessory::leadingNumber(m_lbl_PZHM->text()));
    h.类别 = m_cmb_PZLB->currentText();
    h.记账人 = m_lbl_JZR->text();
    h.审核人 = m_lbl_SHR->text();
    h.制单人 = m_lbl_ZDR->text();
    h.记账日期 = dateText();
    h.附单据数 = kessory::roundToInt16(kessory::leadingNumber(m_txt_FDJS->text()));
    // The month follows the date; the save fills it from the date when the date cannot be read.
    const QDateTime when = kessory::VoucherDate::parse(h.记账日期);
    h.月份 = static_cast<qint16>(when.isValid() ? when.date().month() : 0);
    h.已作废 = m_stamps.isShown(kessory::Stamp::Voided);

    const auto i = static_cast<std::size_t>(row);
    kessory::typVoucherLine& line = m_store.arrLines[static_cast<std::size_t>(k)];
    line.编号 = static_cast<qint32>(kessory::leadingNumber(m_lbl_ID->text()));
    // A row with both cells filled is stored as it nets (the larger side, holding the difference), as the sheet
    // will show it.
    const kessory::RowAmounts net = kessory::netRow({ toCents(m_csfJFJE[i]->Value()), toCents(m_csfDFJE[i]->Value()) });
    line.方向 = net.credit != 0;
    line.金额 = fromCents(line.方向 ? net.credit : net.debit);
    line.记录号 = static_cast<qint16>(k);
    line.摘要 = m_txtZY[i]->text();
    line.科目代码 = m_lbl_KMBH[i]->text();
    line.科目名称 = m_txtKMMC[i]->text();
    line.日期 = h.记账日期;
    if (m_store.intLineCount < k)
        m_store.intLineCount = static_cast<qint16>(k);
}

void frmPZ::funNetRows()
{
    for (int r = 0; r < kRows; ++r) {
        const auto i = static_cast<std::size_t>(r);
        const kessory::RowAmounts before { toCents(m_csfJFJE[i]->Value()), toCents(m_csfDFJE[i]->Value()) };
        const kessory::RowAmounts after = kessory::netRow(before);
        // Only a changed cell is rewritten, so a cell that is being typed into keeps its state.
        if (after.credit != before.credit)
            m_csfDFJE[i]->setValue(fromCents(after.credit));
        if (after.debit != before.debit)
            m_csfJFJE[i]->setValue(fromCents(after.debit));
    }
}

void frmPZ::funSumVoucher()
{
    funNetRows();
    showTotals();
}

void frmPZ::showTotals()
{
    m_store.intLineCount = m_store.funCountLines();
    const kessory::VoucherTotals totals = kessory::sumLines(m_store.arrLines);
    m_csfDFHJ->setValue(fromCents(totals.credit));
    m_csfJFHJ->setValue(fromCents(totals.debit));
    m_csfDiff->setValue(fromCents(totals.difference()));
    // The stamp follows the totals: on while the sides differ, and on a stored voucher without lines; a new
    // voucher that holds nothing yet shows none.
    const bool noLines = m_store.intLineCount == 0 && !m_blnNewVoucher;
    showStamp(kessory::Stamp::Unbalanced, totals.difference() != 0 || noLines);
}

void frmPZ::liveTotals(int row)
{
    if (row < 0 || row >= kRows)
        return;
    funStoreRow(row, m_sclPZItem->value());
    showTotals();
}

void frmPZ::funEnableSheet(bool flag)
{
    for (int r = 0; r < kRows; ++r) {
        const auto i = static_cast<std::size_t>(r);
        m_txtZY[i]->setEnabled(flag);
        m_txtKMMC[i]->setEnabled(flag);
        for (ctlCashFormat* cash : { m_csfJFJE[i], m_csfDFJE[i] }) {
            cash->setEnabledProperty(flag);
            // Every digit cell follows at once, so no cell of a locked voucher stays typeable.
            cash->setValue(cash->Value());
        }
    }
}

void frmPZ::onTimerTick()
{
    // The row just left is netted and stored before the totals are taken, so they count what it shows now.
    funNetRows();
    funStoreRow(m_intCurRow, m_sclPZItem->value());
    funSumVoucher();
    m_timRefresh->stop();
}

void frmPZ::onScroll(int value)
{
    if (value == m_shownTop)
        return;
    for (int r = 0; r < kRows; ++r)
        funStoreRow(r, m_shownTop);
    funShowPage(value);
}

void frmPZ::bringLineIntoView(int line)
{
    int top = m_sclPZItem->value();
    if (line < top)
        top = line;
    else if (line > top + kRows - 1)
        top = line - (kRows - 1);
    if (top != m_sclPZItem->value())
        m_sclPZItem->setValue(top);
    const int row = line - m_sclPZItem->value();
    if (row < 0 || row >= kRows)
        return;
    QLineEdit* box = m_txtZY[static_cast<std::size_t>(row)];
    if (box->isEnabled() && box->isVisible())
        box->setFocus(Qt::OtherFocusReason);
}

void frmPZ::moveFocusOn()
{
    focusNextChild();
}

void frmPZ::funLoadAccountList()
{
    // The chart is read again only when the file may have changed since it was read: paging through vouchers
    // never rereads it.
    if (!m_accountCache.refresh()) {
        selectAccount(-1);
        return;
    }
    m_accounts = m_accountCache.entries();
    m_lstKMSelect->clear();
    m_lstKMSelect->addItems(m_accounts);
}

int frmPZ::selectedAccount() const
{
    QListWidgetItem* item = m_lstKMSelect->currentItem();
    return item && item->isSelected() ? m_lstKMSelect->row(item) : -1;
}

void frmPZ::selectAccount(int index)
{
    if (index < 0 || index >= m_lstKMSelect->count()) {
        m_lstKMSelect->clearSelection();
        m_lstKMSelect->setCurrentItem(nullptr);
        return;
    }
    m_lstKMSelect->setCurrentRow(index);
    m_lstKMSelect->item(index)->setSelected(true);
    m_lstKMSelect->scrollToItem(m_lstKMSelect->item(index));
}

void frmPZ::funLocateAccount(const QString& text)
{
    const int current = selectedAccount();
    const int found = kessory::AccountList::locate(m_accounts, text, current);
    if (found != current && found >= 0)
        selectAccount(found);
}

void frmPZ::takeSelectedName(int row)
{
    const int selected = selectedAccount();
    if (selected < 0)
        return;
    const kessory::AccountList::Entry e = kessory::AccountList::split(m_lstKMSelect->item(selected)->text());
    if (e.hasName)
        m_txtKMMC[static_cast<std::size_t>(row)]->setText(e.name);
}

void frmPZ::showLookup(int row)
{
    const QLineEdit* box = m_txtKMMC[static_cast<std::size_t>(row)];
    const QWidget* rowBox = m_picPZJL[static_cast<std::size_t>(row)];
    const QPoint at(m_picPZSheet->x() + rowBox->x() + box->x(),
                    m_picPZSheet->y() + rowBox->y() + box->y() + box->height());
    m_picKMSelect->move(at);
    m_picKMSelect->show();
    m_picKMSelect->raise();
}

bool frmPZ::nameKeyDown(int row, QKeyEvent* key)
{
    const auto i = static_cast<std::size_t>(row);
    switch (key->key()) {
    case Qt::Key_Escape:
        m_txtKMMC[i]->clear();
        m_lbl_KMBH[i]->clear();
        m_picKMSelect->hide();
        return true;
    case Qt::Key_Up: {
        const int selected = selectedAccount();
        if (selected >= 0) {
            selectAccount(selected - 1);
            takeSelectedName(row);
        }
        return true;
    }
    case Qt::Key_Down: {
        const int selected = selectedAccount();
        if (selected < m_lstKMSelect->count() - 1) {
            selectAccount(selected + 1);
            takeSelectedName(row);
        }
        return true;
    }
    default:
        funLocateAccount(m_txtKMMC[i]->text());
        return false;
    }
}

bool frmPZ::nameKeyPress(int row, QKeyEvent* key)
{
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        nameEnter(row);
        return true;
    }
    const QString text = key->text();
    const bool character = key->key() == Qt::Key_Backspace || (!text.isEmpty() && text.at(0).isPrint());
    if (character && key->key() != Qt::Key_Escape)
        showLookup(row);
    return false;
}

void frmPZ::nameKeyUp(int row, QKeyEvent* key)
{
    if (key->key() == Qt::Key_Escape) {
        m_picKMSelect->hide();
        return;
    }
    // An arrow has chosen its entry already; looking the name up again would jump back to the first account of
    // the same name and make the ones after it unreachable.
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)
        return;
    funLocateAccount(m_txtKMMC[static_cast<std::size_t>(row)]->text());
}

void frmPZ::nameEnter(int row)
{
    if (!m_picKMSelect->isVisible()) {
        showLookup(row);
        return;
    }
    const int selected = selectedAccount();
    if (selected >= 0) {
        const kessory::AccountList::Entry e = kessory::AccountList::split(m_lstKMSelect->item(selected)->text());
        m_lbl_KMBH[static_cast<std::size_t>(row)]->setText(e.code);
        m_txtKMMC[static_cast<std::size_t>(row)]->setText(e.name);
    }
    m_picKMSelect->hide();
    moveFocusOn();
}
