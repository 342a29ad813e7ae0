#pragma once

#include "ledgers/Direction.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <vector>

namespace kessory {

// Geometry of the ruled sheet shared by the general ledger and the account summary, in 1/1440 inch.
namespace LedgerSheet {
constexpr int kStoreEntries = 2049; // entries 0 to 2,048
constexpr int kSlots = 20;
constexpr int kHeaderHeight = 855;
constexpr int kBottomHeight = 100;
constexpr int kSlotHeight = 620;
constexpr int kSlotPitch = 600;
constexpr int kFirstSlotTop = 900;
constexpr int kDesignSheetHeight = 4605;
constexpr int kBlankTail = 3; // blank entries that close a complete load
} // namespace LedgerSheet

// What an entry of a ledger sheet is; its summary text only says so to the reader.
enum class EntryKind {
    Blank,
    Opening, // 期初余额: the balance before the range
    MonthTotal, // 本期合计: one month's debit, credit and net
    YearToDate, // 本年累计: the balance at the end of a month
    RangeTotal, // an account's debit, credit and net over the whole range
    GrandTotal, // 合计: both sides over every account listed
};

// The number of slots a sheet of this height paints (7 at the design height), never above 20 nor below 0.
qint16 funGetPageRows(int sheetHeight);

// What one repaint of the sheet does: entries [top, top + paintCount) go into slots [0, paintCount), then slots
// [blankFrom, 20) are blanked, which always includes the lowest painted slot.
struct SheetPage {
    int scrollMax = 0;
    int top = 0;
    int paintCount = 0;
    int blankFrom = 0;
    bool repaint = false; // false: an empty store leaves the slots as they are
};
SheetPage funPlanPage(int top, int itemCount, int pageRows);

// What one slot shows, decided without the window. A blanked slot shows nothing and its labels turn black.
struct LedgerSlotView {
    bool blank = true;
    QString code;
    QString name;
    QString period; // the month number; empty where the window has no period
    bool oddMonth = false; // odd months are red, even months green
    QString summary;
    double debit = 0.0;
    double credit = 0.0;
    double magnitude = 0.0; // the balance without its sign
    Side side = Side::Even;
    bool alarm = false; // the row shows a difference that should not be there: in red
};

// The direction label and the magnitude of a balance (credit minus debit), judged in whole cents.
void funSetBalance(LedgerSlotView& view, double balance);

// The row store of a ledger sheet: a fixed number of entries and the count the sheet scrolls through. Loaders
// call the sheet's clear hook before refilling, so the core never needs the window.
template <typename Item> class LedgerRowStore {
public:
    using ClearSheetHook = std::function<void()>;

    LedgerRowStore()
        : arrItems(LedgerSheet::kStoreEntries)
    {
    }

    // Entries that the store holds (blank entries included); 0 to 2,049 plus the blank tail.
    qint16 intItemCount = 0;
    std::vector<Item> arrItems;

    void funClearData()
    {
        intItemCount = 0;
        for (Item& item : arrItems)
            item = Item {};
    }
    void setClearSheetHook(ClearSheetHook hook) { m_clearSheet = std::move(hook); }
    // An entry for painting; a blank one past the store.
    const Item& entry(int index) const
    {
        static const Item blank {};
        return index >= 0 && index < LedgerSheet::kStoreEntries ? arrItems[static_cast<std::size_t>(index)] : blank;
    }

protected:
    // The sheet is cleared (through its hook) and the store emptied before a load fills it again.
    void clearSheetAndData()
    {
        if (m_clearSheet)
            m_clearSheet();
        funClearData();
    }
    // Stores at intItemCount; false when the store is full (the load then ends where it stands).
    bool store(const Item& item)
    {
        if (intItemCount < 0 || intItemCount >= LedgerSheet::kStoreEntries)
            return false;
        arrItems[static_cast<std::size_t>(intItemCount)] = item;
        ++intItemCount;
        return true;
    }
    void closeWithBlankTail() { intItemCount = static_cast<qint16>(intItemCount + LedgerSheet::kBlankTail); }

private:
    ClearSheetHook m_clearSheet;
};

} // namespace kessory
