#pragma once

#include "shell/ui/Twips.h"

#include <QColor>

// The detail ledger's sheet as designed, in pixels (designed in 1/1440 inch).
namespace kessory::mxz {

// Column edges across a row slot, left to right: month, day, voucher number, summary, debit, credit, direction,
// balance.
constexpr int kMonthLeft = 0;
constexpr int kDayLeft = tw(375);
constexpr int kNumberLeft = tw(750);
constexpr int kSummaryLeft = tw(1650);
constexpr int kDebitLeft = tw(4620);
constexpr int kCreditLeft = tw(6495);
constexpr int kSideLeft = tw(8370);
constexpr int kBalanceLeft = tw(8820);
constexpr int kRowWidth = tw(10695);
constexpr int kScrollWidth = tw(255);
constexpr int kSheetWidth = kRowWidth + kScrollWidth;
// An amount control stands this far inside its column.
constexpr int kAmountInset = tw(30);

constexpr int kHeadingHeight = 855; // the column-heading band shpZYTitle
constexpr int kBottomHeight = 100; // the strip picBottom
constexpr int kSlotTop = 900; // slot 0
constexpr int kSlotPitch = 600;
constexpr int kSlotHeight = 620;

constexpr int kToolBarHeight = 540;
constexpr int kFrameWidth = 11250; // picMXZ
constexpr int kFrameDesignHeight = 5955;
constexpr int kSheetTop = 1050; // picMXZSheet inside picMXZ

inline QColor ruleColor()
{
    return QColor(96, 160, 176);
}

inline QColor paperColor()
{
    return QColor(255, 255, 250);
}

} // namespace kessory::mxz
