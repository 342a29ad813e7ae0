#include "ledgers/DetailLedgerPage.h"

#include "data/Numbers.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace kessory {
namespace {

// A voucher line or the opening row: the amount on its side, the running balance with its label.
MXZSlotView lineView(const typMXZJL& row, bool opening)
{
    MXZSlotView v;
    (row.FX ? v.credit : v.debit) = row.JE;
    const qint64 balance = toCents(row.YE);
    v.balance = fromCents(balance < 0 ? -balance : balance);
    v.side = sideOfCents(balance);
    if (opening) {
        v.mark = MXZSlotView::Mark::Opening;
        v.number = QStringLiteral("期初");
        v.summary = row.ZY;
        return v;
    }
    v.mark = MXZSlotView::Mark::Line;
    v.number = row.LB.trimmed() + QStringLiteral("%1").arg(row.PZHM, 4, 10, QLatin1Char('0'));
    const QDate date = dateOfJZRQ(row.JZRQ);
    if (date.isValid()) {
        v.month = QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
        v.day = QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
    }
    v.account = row.KMBH;
    v.summary = row.ZY;
    return v;
}

// The total row: the two totals and their difference.
MXZSlotView totalView(const typMXZJL& row)
{
    MXZSlotView v;
    v.mark = MXZSlotView::Mark::Total;
    v.number = QStringLiteral("合计");
    v.debit = row.JE;
    v.credit = row.YE;
    const qint64 debit = toCents(row.JE);
    const qint64 d = toCents(row.YE) - (debit < 0 ? -debit : debit);
    v.balance = fromCents(d < 0 ? -d : d);
    v.side = sideOfCents(d);
    return v;
}

} // namespace

int detailPageRows(int sheetHeight, int headingHeight, int bottomHeight, int slotHeight)
{
    if (slotHeight <= 0)
        return 1;
    const double rows = static_cast<double>(sheetHeight - headingHeight - bottomHeight - 50) / slotHeight + 1.0;
    return std::clamp<int>(roundToInt16(rows), 1, kDetailSlots);
}

MXZPageView layoutDetailPage(const DetailLedger& ledger, int start, int pageRows)
{
    MXZPageView page;
    page.rows.resize(kDetailSlots);
    start = std::max(start, 0);
    const int n = ledger.intJLCount();
    const int r = std::clamp(pageRows, 1, kDetailSlots);
    page.start = start;
    if (n <= 0)
        return page;
    page.drawn = true;
    if (n > r) {
        page.scrollMax = n - r;
        start = std::min(start, n - r);
    }
    page.start = start;
    for (int s = 0; s <= r - 2; ++s) {
        const typMXZJL& row = ledger.arrMXZJL(start + s);
        // The row's kind decides its columns: a voucher line whose summary reads 合计 is still a line.
        if (!row.LB.trimmed().isEmpty())
            page.rows[static_cast<std::size_t>(s)] = lineView(row, false);
        else if (row.ZY == DetailLedger::kTotal)
            page.rows[static_cast<std::size_t>(s)] = totalView(row);
        else if (row.ZY == DetailLedger::kOpening)
            page.rows[static_cast<std::size_t>(s)] = lineView(row, true);
        else
            break;
    }
    return page;
}

QDate dateOfJZRQ(const QString& text)
{
    const QString t = text.trimmed();
    for (const auto* format : { "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd", "yyyy-MM-ddTHH:mm:ss", "yyyy/M/d H:mm:ss",
                                "yyyy/M/d", "yyyy-M-d H:mm:ss", "yyyy-M-d" }) {
        const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(format));
        if (dt.isValid())
            return dt.date();
    }
    return QDate::fromString(t.left(10), Qt::ISODate);
}

} // namespace kessory
