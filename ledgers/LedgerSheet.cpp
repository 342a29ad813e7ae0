#include "ledgers/LedgerSheet.h"

#include "data/Numbers.h"

#include <algorithm>

namespace kessory {

qint16 funGetPageRows(int sheetHeight)
{
    using namespace LedgerSheet;
    const double rows
        = static_cast<double>(sheetHeight - kHeaderHeight - kBottomHeight - 50) / static_cast<double>(kSlotHeight)
        + 1.0;
    return std::clamp<qint16>(roundToInt16(rows), 0, kSlots);
}

SheetPage funPlanPage(int top, int itemCount, int pageRows)
{
    SheetPage page;
    page.top = std::max(top, 0);
    if (itemCount <= 0)
        return page;
    page.repaint = true;
    if (itemCount > pageRows) {
        page.scrollMax = itemCount - pageRows;
        page.top = std::min(page.top, page.scrollMax);
    }
    // Never beyond the last entry of the store.
    page.paintCount = std::clamp(std::min(pageRows, LedgerSheet::kStoreEntries - page.top), 0, LedgerSheet::kSlots);
    page.blankFrom = page.paintCount > 0 ? page.paintCount - 1 : 0;
    return page;
}

void funSetBalance(LedgerSlotView& view, double balance)
{
    const qint64 cents = toCents(balance);
    view.side = sideOfCents(cents);
    view.magnitude = fromCents(cents < 0 ? -cents : cents);
}

} // namespace kessory
