#include "data/Numbers.h"

#include <gtest/gtest.h>

using namespace kessory;

TEST(LeadingNumber, ReadsTheLeadingDecimalNumberOnly)
{
    EXPECT_EQ(leadingNumber("3"), 3);
    EXPECT_EQ(leadingNumber("3月"), 3);
    EXPECT_EQ(leadingNumber("  12.5abc"), 12.5);
    EXPECT_EQ(leadingNumber("-4"), -4);
    EXPECT_EQ(leadingNumber("全部"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("."), 0);
    EXPECT_EQ(leadingNumber("记0007"), 0);
}

TEST(RoundToInt16, HalvesGoToEvenAndLargeValuesAreClamped)
{
    EXPECT_EQ(roundToInt16(2.5), 2);
    EXPECT_EQ(roundToInt16(3.5), 4);
    EXPECT_EQ(roundToInt16(-2.5), -2);
    EXPECT_EQ(roundToInt16(7.49), 7);
    EXPECT_EQ(roundToInt16(1e9), 32767);
    EXPECT_EQ(roundToInt16(-1e9), -32768);
}

TEST(Cents, RoundHalfAwayFromZeroOnTheDecimalValueSeen)
{
    EXPECT_EQ(toCents(1.005), 101);
    EXPECT_EQ(toCents(0.125), 13);
    EXPECT_EQ(toCents(2.675), 268);
    EXPECT_EQ(toCents(0.29), 29);
    EXPECT_EQ(toCents(-42.1), -4210);
    EXPECT_EQ(toCents(-0.125), -13);
    EXPECT_EQ(toCents(1234567.89), 123456789);
    EXPECT_EQ(toCents(9999999999.99), 999999999999);
    EXPECT_EQ(toCents(0.1 + 0.2 - 0.3), 0);
    EXPECT_EQ(toCents(0.0), 0);
    EXPECT_EQ(fromCents(toCents(0.29)), 0.29);
    // Every amount of two decimals survives the trip through a double.
    for (qint64 c = 0; c < 200000; c += 7)
        ASSERT_EQ(toCents(fromCents(c)), c);
}
