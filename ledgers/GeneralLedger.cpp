#include "ledgers/GeneralLedger.h"

#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "ledgers/BookSums.h"
#include "shell/Clock.h"

#include <utility>

namespace kessory {

namespace {

// The balance of an account before a month: the opening and the months from January; 0 outside 1 to 13.
qint64 balanceBefore(const FirstLevelAccount& account, qint64 month)
{
    if (month < 1 || month > 13)
        return 0;
    return account.openingCents + account.periods(1, month - 1).net();
}

typZZItem newEntry(const FirstLevelAccount& account, EntryKind kind, qint16 month)
{
    typZZItem item;
    item.KMBH = account.code;
    item.KMMC = account.name;
    item.KJQJ = month;
    item.kind = kind;
    switch (kind) {
    case EntryKind::Opening:
        item.ZY = QStringLiteral("期初余额");
        break;
    case EntryKind::MonthTotal:
        item.ZY = QStringLiteral("本期合计");
        break;
    case EntryKind::YearToDate:
        item.ZY = QStringLiteral("本年累计");
        break;
    case EntryKind::Blank:
    case EntryKind::RangeTotal:
    case EntryKind::GrandTotal:
        break;
    }
    return item;
}

} // namespace

void GeneralLedger::funCorrectRange(qint16& start, qint16& end, int currentMonth)
{
    if (start < 0 || start > currentMonth)
        start = 1;
    if (end < 0 || end > currentMonth)
        end = static_cast<qint16>(currentMonth);
    if (start > end)
        std::swap(start, end);
}

double GeneralLedger::funGetBalance(qint16 month, const QString& code)
{
    if (month < 1 || month > 13)
        return 0.0;
    Connection* connection = basDBOperate::cnnDB.get();
    bool ok = false;
    const qint64 lines = movementCents(connection, code, 1, month - 1, &ok);
    if (!ok)
        return 0.0;
    return fromCents(openingCents(connection, code) + lines);
}

bool GeneralLedger::storeAccount(const FirstLevelAccount& account, qint16 start, qint16 end)
{
    typZZItem head = newEntry(account, EntryKind::Opening, start);
    head.Diff = fromCents(balanceBefore(account, start));
    if (!store(head))
        return false;
    for (qint16 i = start; i <= end; ++i) {
        const SideSums month = account.periods(i, i);
        typZZItem total = newEntry(account, EntryKind::MonthTotal, i);
        total.DFJE = fromCents(month.creditCents);
        total.JFJE = fromCents(month.debitCents);
        total.Diff = fromCents(month.net());
        typZZItem toDate = newEntry(account, EntryKind::YearToDate, i);
        toDate.Diff = fromCents(balanceBefore(account, i + 1));
        if (!store(total) || !store(toDate))
            return false;
    }
    return true;
}

bool GeneralLedger::funLoadItem(qint16& start, qint16& end)
{
    intItemCount = 0;
    funCorrectRange(start, end, Clock::currentMonth());
    bool cleared = false;
    bool full = false;
    const bool read = readBookSums(basDBOperate::cnnDB.get(), [&](FirstLevelAccount&& account) {
        if (!std::exchange(cleared, true))
            clearSheetAndData();
        // Listed when it has an opening balance or a line in the range.
        if (balanceBefore(account, start) == 0 && account.periods(start, end).lines() == 0)
            return true;
        full = !storeAccount(account, start, end);
        return !full; // a full store needs no more accounts
    });
    if (!read || !cleared || full)
        return false;
    closeWithBlankTail();
    return true;
}

LedgerSlotView funSlotView(const typZZItem& item)
{
    LedgerSlotView view;
    if (item.kind != EntryKind::Opening && item.kind != EntryKind::MonthTotal && item.kind != EntryKind::YearToDate)
        return view;
    view.blank = false;
    if (item.kind == EntryKind::Opening) {
        view.code = item.KMBH;
        view.name = item.KMMC;
    }
    view.period = QString::number(item.KJQJ);
    view.oddMonth = item.KJQJ % 2 != 0;
    view.summary = item.ZY;
    if (item.kind == EntryKind::MonthTotal) {
        view.debit = item.JFJE;
        view.credit = item.DFJE;
    }
    funSetBalance(view, item.Diff);
    return view;
}

} // namespace kessory
