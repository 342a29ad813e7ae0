#pragma once

#include "ledgers/DetailLedger.h"
#include "ledgers/Direction.h"

#include <QDate>
#include <QString>
#include <vector>

namespace kessory {

// What one row slot of the detail ledger's sheet shows.
struct MXZSlotView {
    enum class Mark { Empty, Line, Opening, Total };
    Mark mark = Mark::Empty;
    QString number; // 记0007, 期初 or 合计
    QString month; // two digits, voucher lines only
    QString day;
    QString account; // the line's account code (hidden cell)
    QString summary;
    double debit = 0.0;
    double credit = 0.0;
    double balance = 0.0; // magnitude; the side gives the label
    Side side = Side::Even;
};

// One page of the sheet: the first row shown, the scroll range and the contents of every slot.
struct MXZPageView {
    int start = 0;
    int scrollMax = 0;
    // False when there is nothing to show: the rows are left as they are.
    bool drawn = false;
    // One entry per slot; rows from the first Mark::Empty onwards are cleared.
    std::vector<MXZSlotView> rows;
};

constexpr int kDetailSlots = 20;

// The number of rows a page uses for a sheet of the given heights (any one unit): the rows that fit below the
// heading band plus the partly visible one under the bottom strip, never more than the 20 rows the sheet has.
int detailPageRows(int sheetHeight, int headingHeight, int bottomHeight, int slotHeight);

// The page starting at row start with pageRows rows: pageRows - 1 rows are drawn, up to the first blank row; the
// last slot always stays empty. The start is pulled back so that a page never runs past the scroll range.
MXZPageView layoutDetailPage(const DetailLedger& ledger, int start, int pageRows);

// The date of a row's JZRQ text, invalid when it is not a date.
QDate dateOfJZRQ(const QString& text);

} // namespace kessory
