// The account boxes with their pick list, the in-place period list and the clickable cells of the detail ledger.
#include "data/basDBOperate.h"
#include "ledgers/DetailLedgerPick.h"
#include "ledgers/ui/DetailLedgerSlot.h"
#include "ledgers/ui/frmMXZ.h"
#include "shell/ui/Twips.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

namespace kessory {

void frmMXZ::funFillKMList()
{
    m_lstKMSelect->clear();
    m_lstKMSelect->addItem(allAccountsEntry());
    RecordsetPtr rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(QStringLiteral("Select * From 财务科目 Order By 科目编号"), rs))
        return;
    for (; rs->hasCurrent(); rs->moveNext())
        m_lstKMSelect->addItem(
            pickEntryText(rs->text(QStringLiteral("科目编号")), rs->text(QStringLiteral("科目名称"))));
    rs->close();
}

void frmMXZ::funFindKM(const QString& text)
{
    QStringList entries;
    entries.reserve(m_lstKMSelect->count());
    for (int i = 0; i < m_lstKMSelect->count(); ++i)
        entries << m_lstKMSelect->item(i)->text();
    const int current = m_lstKMSelect->currentRow();
    const int found = findPickEntry(entries, text, current);
    if (found != current && found >= 0) {
        m_lstKMSelect->setCurrentRow(found);
        m_lstKMSelect->scrollToItem(m_lstKMSelect->item(found));
    }
}

int frmMXZ::boxIndex(QObject* watched) const
{
    if (watched == m_txtKMMC[0])
        return 0;
    if (watched == m_txtKMMC[1])
        return 1;
    return -1;
}

void frmMXZ::showPickList(int index)
{
    const QLineEdit* box = m_txtKMMC[static_cast<std::size_t>(index)];
    // Hangs just under the box in either container.
    const int top = (m_picMXZ->y() + tw(120)) * index + box->y() + box->height() - tw(90);
    const int left = m_picMXZ->x() * index + box->x() + tw(30);
    m_picKMSelect->move(left, top);
    m_picKMSelect->show();
    m_picKMSelect->raise();
}

void frmMXZ::moveHighlight(int index, int step)
{
    const int current = m_lstKMSelect->currentRow();
    int next = current;
    if (step < 0 && current >= 0)
        next = current - 1;
    else if (step > 0 && current < m_lstKMSelect->count() - 1)
        next = current + 1;
    if (next == current)
        return;
    if (next < 0) {
        m_lstKMSelect->setCurrentRow(-1);
        m_lstKMSelect->clearSelection();
        return;
    }
    m_lstKMSelect->setCurrentRow(next);
    m_lstKMSelect->scrollToItem(m_lstKMSelect->item(next));
    const KMPickEntry e = splitPickEntry(m_lstKMSelect->item(next)->text());
    if (e.twoWords) {
        m_lblSelectKMBH[static_cast<std::size_t>(index)]->setText(e.code);
        m_txtKMMC[static_cast<std::size_t>(index)]->setText(e.name);
    }
}

void frmMXZ::commitPick(int index)
{
    const QListWidgetItem* item = m_lstKMSelect->currentItem();
    if (!item || m_lstKMSelect->currentRow() < 0)
        return;
    const bool wasBusy = m_busy;
    m_busy = true;
    const KMPickEntry e = splitPickEntry(item->text());
    m_txtKMMC[static_cast<std::size_t>(index)]->setText(e.name);
    m_lblSelectKMBH[static_cast<std::size_t>(index)]->setText(e.code);
    m_picKMSelect->hide();
    if (index == 0) {
        m_txtKMMC[1]->setText(e.name);
        m_lblSelectKMBH[1]->setText(e.code);
    }
    m_txtKMMC[1]->hide();
    funLoadLedger(0, 0, m_lblSelectKMBH[1]->text(), sheetPeriod());
    m_busy = wasBusy;
}

bool frmMXZ::onBoxKeyPress(int index, QKeyEvent* event)
{
    QLineEdit* box = m_txtKMMC[static_cast<std::size_t>(index)];
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;
    if (key == Qt::Key_Escape) {
        box->clear();
        m_lblSelectKMBH[static_cast<std::size_t>(index)]->clear();
        m_picKMSelect->hide();
        return true;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        moveHighlight(index, key == Qt::Key_Up ? -1 : 1);
        return true;
    }
    funFindKM(box->text());
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_picKMSelect->isVisible())
            commitPick(index);
        else
            showPickList(index);
        return true;
    }
    if (!event->text().isEmpty() || key == Qt::Key_Backspace)
        showPickList(index);
    return false;
}

void frmMXZ::onBoxKeyRelease(int index, QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_picKMSelect->hide();
        return;
    }
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return;
    funFindKM(m_txtKMMC[static_cast<std::size_t>(index)]->text());
}

void frmMXZ::onBoxFocusOut(int index)
{
    if (m_busy)
        return;
    // Leaving the box with the list open commits the highlighted account; with it closed, nothing changes.
    if (m_picKMSelect->isVisible())
        commitPick(index);
    m_picKMSelect->hide();
    m_txtKMMC[1]->hide();
}

bool frmMXZ::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const int box = boxIndex(watched);
    if (box >= 0) {
        if (type == QEvent::KeyPress)
            return onBoxKeyPress(box, static_cast<QKeyEvent*>(event));
        if (type == QEvent::InputMethod && !static_cast<QInputMethodEvent*>(event)->commitString().isEmpty()) {
            // Chinese from an input method arrives whole, without key presses: it opens the pick list and finds
            // the account just as typed characters do.
            showPickList(box);
            static_cast<QObject*>(m_txtKMMC[static_cast<std::size_t>(box)])->event(event);
            funFindKM(m_txtKMMC[static_cast<std::size_t>(box)]->text());
            return true;
        }
        if (type == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            onBoxKeyRelease(box, static_cast<QKeyEvent*>(event));
        else if (type == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            onBoxFocusOut(box);
        return false;
    }
    if (type == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            return false;
        if (watched == m_lblSelectKMMC) {
            m_txtKMMC[1]->show();
            m_txtKMMC[1]->raise();
            m_txtKMMC[1]->setFocus(Qt::MouseFocusReason);
        } else if (watched == m_lblKJQJ) {
            m_cmbKJQJ->setEditText(m_lblKJQJ->text());
            m_cmbKJQJ->show();
            m_cmbKJQJ->raise();
            m_cmbKJQJ->setFocus(Qt::MouseFocusReason);
        }
        return false;
    }
    if (type == QEvent::FocusOut && (watched == m_cmbKJQJ || watched == m_cmbKJQJ->lineEdit())) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && !m_cmbKJQJ->view()->isVisible())
            m_cmbKJQJ->hide();
        return false;
    }
    if (type == QEvent::MouseButtonDblClick) {
        for (std::size_t s = 0; s < m_slots.size(); ++s) {
            if (watched == m_slots[s]->numberCell()) {
                onNumberDoubleClicked(static_cast<int>(s));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kessory
