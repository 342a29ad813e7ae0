#pragma once

#include "shell/ui/Twips.h"

// The voucher as designed on paper, in pixels from its lengths in 1/1440 inch.
namespace kessory::sheet {

// The voucher picture and the sheet inside it.
constexpr int kPaperWidth = tw(9885);
constexpr int kPaperHeight = tw(6315);
constexpr int kSheetLeft = tw(180);
constexpr int kSheetTop = tw(960);
constexpr int kSheetWidth = tw(9495);
constexpr int kSheetHeight = tw(5025);
constexpr int kScrollWidth = tw(255);
constexpr int kHeaderHeight = tw(615);

// The five row containers, in sheet coordinates.
constexpr int kRows = 5;
constexpr int kRowLeft = tw(100);
constexpr int kRowTop0 = tw(690);
constexpr int kRowPitch = tw(600);
constexpr int kRowWidth = tw(9045);
constexpr int kRowHeight = tw(620);
constexpr int rowTop(int r)
{
    return tw(690 + 600 * r);
}

// Column header cells, in sheet coordinates.
constexpr int kSummaryX = tw(90);
constexpr int kAccountX = tw(2040);
constexpr int kDebitX = tw(5490);
constexpr int kCreditX = tw(7320);
constexpr int kAmountWidth = tw(1815);
constexpr int kRuleRight = kCreditX + kAmountWidth;

// Controls inside a row, in row coordinates.
constexpr int kSummaryBoxX = tw(30);
constexpr int kSummaryBoxWidth = tw(1845);
constexpr int kNameBoxX = tw(2010);
constexpr int kNameBoxWidth = tw(3315);
constexpr int kDebitCellX = tw(5390);
constexpr int kCreditCellX = tw(7220);

// The totals row and the remark strip below the rows.
constexpr int kTotalsTop = tw(3690);
constexpr int kTotalsHeight = tw(600);
constexpr int kRemarkTop = kTotalsTop + kTotalsHeight;

// The amount control's fixed size.
constexpr int kCashWidth = 121;
constexpr int kCashHeight = 47;

} // namespace kessory::sheet
