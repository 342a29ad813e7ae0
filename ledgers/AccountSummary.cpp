#include "ledgers/AccountSummary.h"

#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "ledgers/BookSums.h"

#include <utility>

namespace kessory {

void AccountSummary::funCorrectRange(qint16& start, qint16& end)
{
    if (start < 0 || start > 12)
        start = 0;
    if (end < 0 || end > 12)
        end = 0;
    if (start > end)
        std::swap(start, end);
}

bool AccountSummary::funLoadItem(qint16& start, qint16& end)
{
    intItemCount = 0;
    funCorrectRange(start, end);
    const bool wholeYear = start <= 0 && end <= 0;
    SideSums all;
    bool cleared = false;
    bool full = false;
    const bool read = readBookSums(basDBOperate::cnnDB.get(), [&](FirstLevelAccount&& account) {
        if (!std::exchange(cleared, true))
            clearSheetAndData();
        const SideSums range = wholeYear ? account.wholeYear() : account.periods(start, end);
        if (range.lines() == 0)
            return true;
        all += range;
        typKMHZItem item;
        item.KMBH = account.code;
        item.KMMC = account.name;
        item.DFJE = fromCents(range.creditCents);
        item.JFJE = fromCents(range.debitCents);
        item.Diff = fromCents(range.net());
        item.kind = EntryKind::RangeTotal;
        full = !store(item);
        return !full;
    });
    if (!read || !cleared || full)
        return false;
    if (all.lines() > 0) {
        typKMHZItem total;
        total.KMMC = QStringLiteral("合计");
        total.DFJE = fromCents(all.creditCents);
        total.JFJE = fromCents(all.debitCents);
        total.Diff = fromCents(all.net());
        total.kind = EntryKind::GrandTotal;
        if (!store(total))
            return false;
    }
    closeWithBlankTail();
    return true;
}

LedgerSlotView funSlotView(const typKMHZItem& item)
{
    LedgerSlotView view;
    view.blank = false;
    view.code = item.KMBH;
    view.name = item.KMMC;
    view.summary = item.ZY;
    view.debit = item.JFJE;
    view.credit = item.DFJE;
    funSetBalance(view, item.Diff);
    view.alarm = item.kind == EntryKind::GrandTotal && view.side != Side::Even;
    return view;
}

} // namespace kessory
