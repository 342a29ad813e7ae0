#include "ledgers/LedgerSheet.h"

#include <gtest/gtest.h>

using namespace kessory;

namespace {

TEST(LedgerSheetPage, RowsPaintedForASheetHeight)
{
    EXPECT_EQ(funGetPageRows(LedgerSheet::kDesignSheetHeight), 7);
    EXPECT_EQ(funGetPageRows(4205), 6); // the smallest window
    // Halves go to the even number: 6.5 gives 6, 7.5 gives 8.
    EXPECT_EQ(funGetPageRows(1005 + 620 * 5 + 310), 6);
    EXPECT_EQ(funGetPageRows(1005 + 620 * 6 + 310), 8);
    EXPECT_EQ(funGetPageRows(100000), 20);
    EXPECT_EQ(funGetPageRows(0), 0);
}

TEST(LedgerSheetPage, TenEntriesOnSevenRows)
{
    // 10 loaded entries and 3 blank ones.
    SheetPage page = funPlanPage(6, 13, 7);
    EXPECT_TRUE(page.repaint);
    EXPECT_EQ(page.scrollMax, 6);
    EXPECT_EQ(page.top, 6);
    EXPECT_EQ(page.paintCount, 7);
    // Slot 6 is painted with entry 12 and then blanked: slots 0 to 5 show entries 6 to 11.
    EXPECT_EQ(page.blankFrom, 6);

    page = funPlanPage(11, 13, 7);
    EXPECT_EQ(page.top, 6); // the last page is shown
    page = funPlanPage(-3, 13, 7);
    EXPECT_EQ(page.top, 0);
}

TEST(LedgerSheetPage, ShortAndEmptyStores)
{
    SheetPage page = funPlanPage(0, 3, 7);
    EXPECT_EQ(page.scrollMax, 0);
    EXPECT_EQ(page.paintCount, 7);
    EXPECT_EQ(page.blankFrom, 6);

    page = funPlanPage(4, 0, 7);
    EXPECT_FALSE(page.repaint);
    EXPECT_EQ(page.scrollMax, 0);

    page = funPlanPage(0, 5, 0);
    EXPECT_EQ(page.paintCount, 0);
    EXPECT_EQ(page.blankFrom, 0);
}

TEST(LedgerSheetPage, NeverPaintsBeyondTheStore)
{
    const SheetPage page = funPlanPage(5000, 2052, 7);
    EXPECT_EQ(page.top, 2045);
    EXPECT_EQ(page.paintCount, 4); // entries 2,045 to 2,048
    EXPECT_EQ(page.blankFrom, 3);
}

} // namespace
