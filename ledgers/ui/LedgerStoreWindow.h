#pragma once

#include "ledgers/ui/LedgerSheetWindow.h"

namespace kessory {

// A ledger sheet window over one row store: Store loads (funLoadItem), holds the entries (entry, intItemCount) and
// says how one is painted (a funSlotView overload for its entry type). The general ledger and the account summary
// differ only in their store and their start.
template <typename Store> class LedgerStoreWindow : public LedgerSheetWindow {
public:
    const Store& ledger() const { return m_store; }

protected:
    LedgerStoreWindow(const Design& design, QWidget* parent)
        : LedgerSheetWindow(design, parent)
    {
        m_store.setClearSheetHook([this] { funClearSheet(); });
    }

    void funLoadItem(qint16& start, qint16& end) override { m_store.funLoadItem(start, end); }
    void funClearData() override { m_store.funClearData(); }
    qint16 itemCount() const override { return m_store.intItemCount; }
    LedgerSlotView slotView(int entry) const override { return funSlotView(m_store.entry(entry)); }

private:
    Store m_store;
};

} // namespace kessory
