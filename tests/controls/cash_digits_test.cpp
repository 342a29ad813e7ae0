#include "controls/CashDigits.h"

#include "data/Numbers.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using kessory::CashDigits;
namespace cash = kessory::cash;

namespace {

// The twelve cells from 十亿 (left) to 分 (right), '_' for a blank cell.
std::string shown(const CashDigits& d)
{
    std::string s;
    for (int i = cash::kCells - 1; i >= 0; --i)
        s += d.cellText(i).isEmpty() ? std::string("_") : d.cellText(i).toStdString();
    return s;
}

CashDigits entry(double value)
{
    CashDigits d;
    d.funSetValue(0);
    d.funSetEnabled(true);
    d.funSetValue(value);
    return d;
}

} // namespace

TEST(CashDigits, FormatKeepsDigitsOnlyWithoutLeadingZerosAndAtLeastThree)
{
    EXPECT_EQ(CashDigits::formatDigits(" 00123 ", "9"), "123");
    EXPECT_EQ(CashDigits::formatDigits("-4,210.5a", "9"), "42105");
    EXPECT_EQ(CashDigits::formatDigits("0", "9"), "000");
    EXPECT_EQ(CashDigits::formatDigits("7", "9"), "007");
    EXPECT_EQ(CashDigits::formatDigits("x", "9"), "000");
    // A blank text falls back to the current digits.
    EXPECT_EQ(CashDigits::formatDigits("   ", " 12 "), "012");
    // Long strings stay exact: no trip through a double.
    EXPECT_EQ(CashDigits::formatDigits("000012345678901234567890123", ""), "12345678901234567890123");
}

TEST(CashDigits, ReadCellsTakesLastDigitOfJiaoAndFenAndRawTextAbove)
{
    CashDigits::Cells cells;
    cells[0] = "12"; // two digits: the second counts
    cells[1] = "a"; // no number: 0
    cells[2] = " 7 ";
    cells[3] = "x"; // left for formatDigits to drop
    cells[4] = "3";
    EXPECT_EQ(CashDigits::readCells(cells), "3x702");
    EXPECT_EQ(CashDigits::formatDigits(CashDigits::readCells(cells), ""), "3702");
    cells.fill(QString());
    EXPECT_EQ(CashDigits::readCells(cells), "00");
}

TEST(CashDigits, CreationShowsZeroDisabledUntilLoaded)
{
    CashDigits d;
    EXPECT_FALSE(d.blnEnabled());
    EXPECT_EQ(shown(d), "_________000");
    for (int i = 0; i < cash::kCells; ++i)
        EXPECT_FALSE(d.cellEnabled(i)) << i;
    EXPECT_EQ(d.focusTarget(2), -1);
}

TEST(CashDigits, ValueExamples)
{
    struct Case {
        double value;
        const char* cells;
        double readBack;
    };
    const Case cases[] = {
        { 0, "_________000", 0 },
        { 1234567.89, "___123456789", 1234567.89 },
        { 0.5, "_________050", 0.5 },
        { -42.1, "________4210", 42.1 },
        { 0.125, "_________013", 0.13 },
        { 9999999999.99, "999999999999", 9999999999.99 },
        // Beyond twelve columns only the last twelve digits show, but Value keeps the whole amount.
        { 123456789012.34, "345678901234", 123456789012.34 },
    };
    for (const Case& c : cases) {
        CashDigits d = entry(c.value);
        EXPECT_EQ(shown(d), c.cells) << c.value;
        EXPECT_EQ(d.funGetValue(), c.readBack) << c.value;
        for (int i = 0; i < cash::kCells; ++i)
            EXPECT_EQ(d.cellEnabled(i), !d.cellText(i).isEmpty()) << c.value << " cell " << i;
    }
}

TEST(CashDigits, OverlongAmountIsReplacedByShownDigitsAtNextRefresh)
{
    CashDigits d = entry(123456789012.34);
    d.funRefreshValue();
    EXPECT_EQ(d.funGetValue(), 3456789012.34);
    // Zeros at the front of the last twelve digits are shown as digits, then read back as nothing.
    d = entry(1000000000000.5);
    EXPECT_EQ(shown(d), "000000000050");
    d.funRefreshValue();
    EXPECT_EQ(shown(d), "_________050");
}

TEST(CashDigits, RoundsTheDecimalTheUserSeesHalfAwayFromZero)
{
    EXPECT_EQ(entry(1.005).strDigits(), "101");
    EXPECT_EQ(entry(0.125).strDigits(), "013");
    EXPECT_EQ(entry(2.675).strDigits(), "268");
    EXPECT_EQ(entry(0.29).strDigits(), "029");
    EXPECT_EQ(entry(1.0049).strDigits(), "100");
    EXPECT_EQ(entry(-0.005).strDigits(), "001");
    EXPECT_EQ(entry(1e-9).strDigits(), "000");
    // Every amount ending in a half cent rounds up in magnitude, whatever its binary neighbour.
    for (qint64 k = 0; k < 200000; ++k) {
        const double half = static_cast<double>(k * 10 + 5) / 1000.0;
        ASSERT_EQ(kessory::toCents(half), k + 1) << half;
        ASSERT_EQ(kessory::toCents(-half), -(k + 1)) << -half;
    }
}

TEST(CashDigits, EveryCentAmountSurvivesTheRoundTrip)
{
    CashDigits d = entry(0);
    for (qint64 cents = 0; cents < 300000; ++cents) {
        d.funSetValue(kessory::fromCents(cents));
        ASSERT_EQ(d.strDigits(), CashDigits::formatDigits(QString::number(cents), "")) << cents;
        d.funRefreshValue();
        ASSERT_EQ(d.funGetValue(), static_cast<double>(cents) / 100.0) << cents;
    }
    auto* rng = QRandomGenerator::global();
    for (int n = 0; n < 20000; ++n) {
        const qint64 cents = static_cast<qint64>(rng->bounded(999999999999.0) + 1);
        d.funSetValue(kessory::fromCents(cents));
        ASSERT_EQ(d.strDigits(), QString::number(cents)) << cents;
    }
}

TEST(CashDigits, EnabledWriteReachesCellsAboveYuanOnlyAtTheNextShow)
{
    CashDigits d = entry(123.45);
    d.funSetEnabled(false);
    for (int i = 0; i <= 2; ++i)
        EXPECT_FALSE(d.cellEnabled(i));
    EXPECT_TRUE(d.cellEnabled(3));
    EXPECT_TRUE(d.cellEnabled(4));
    d.funSetValue(123.45);
    for (int i = 0; i < cash::kCells; ++i)
        EXPECT_FALSE(d.cellEnabled(i));
}

TEST(CashDigits, DigitsTypedIntoYuanShiftTheHigherCells)
{
    CashDigits d = entry(0);
    for (char c : std::string("123")) {
        EXPECT_EQ(d.keyPress(2, QChar(c)).focusCell, 2);
        d.keyUp();
    }
    EXPECT_EQ(shown(d), "_______12300");
    // Zeros shifted up above the highest digit stay blank.
    d = entry(0);
    d.keyPress(2, u'0');
    d.keyUp();
    EXPECT_EQ(shown(d), "_________000");
    // A full column loses its 十亿 digit.
    d = entry(9876543210.12);
    d.keyPress(2, u'5');
    d.keyUp();
    EXPECT_EQ(shown(d), "876543210512");
    // Typing into a higher cell shifts only the cells above it.
    d = entry(123.45);
    d.keyPress(3, u'9');
    d.keyUp();
    EXPECT_EQ(shown(d), "______129345");
}

TEST(CashDigits, JiaoFenAndTopCellsReplaceTheirDigit)
{
    CashDigits d = entry(123.45);
    auto a = d.keyPress(1, u'7');
    EXPECT_EQ(a.focusCell, 0); // on to 分
    d.keyUp();
    a = d.keyPress(0, u'8');
    EXPECT_EQ(a.focusCell, 0);
    d.keyUp();
    EXPECT_EQ(d.funGetValue(), 123.78);
    d = entry(1234567890.12);
    d.keyPress(11, u'5');
    d.keyUp();
    EXPECT_EQ(d.funGetValue(), 5234567890.12);
    // A zero typed over the highest digit makes it a leading zero: blank, disabled.
    d.keyPress(11, u'0');
    d.keyUp();
    EXPECT_EQ(shown(d), "_23456789012");
    EXPECT_FALSE(d.cellEnabled(11));
}

TEST(CashDigits, DeletingOrOverTypingDropsTheDigit)
{
    CashDigits d = entry(123.45);
    d.keyDown(2, CashDigits::Key::Delete);
    d.keyUp();
    EXPECT_EQ(d.funGetValue(), 12.45);
    d = entry(123.45);
    d.keyDown(0, CashDigits::Key::Delete);
    d.keyUp();
    EXPECT_EQ(d.funGetValue(), 123.40);
    // A letter replaces the digit until the release drops it: above 元 the digits move down, in 角 it becomes 0.
    d = entry(123.45);
    EXPECT_EQ(d.keyPress(3, u'a').focusCell, -1);
    EXPECT_EQ(d.cellText(3), "a");
    d.keyUp();
    EXPECT_EQ(d.funGetValue(), 13.45);
    d = entry(123.45);
    d.keyPress(1, u'-');
    d.keyUp();
    EXPECT_EQ(d.funGetValue(), 123.05);
    // Backspace empties the cell at key-down, so when the key-press takes the typed cell again the focus lands on
    // the next digit to the right (in 分 it has nowhere to go).
    d = entry(123.45);
    d.keyDown(2, CashDigits::Key::Backspace);
    EXPECT_EQ(d.focusTarget(2), 1);
    EXPECT_EQ(d.keyPress(2, u'\b').focusCell, -1);
    d.keyUp();
    EXPECT_EQ(d.funGetValue(), 12.45);
    d.keyDown(0, CashDigits::Key::Backspace);
    EXPECT_EQ(d.focusTarget(0), -1);
    d.keyPress(0, u'\b');
    d.keyUp();
    EXPECT_EQ(shown(d), "________1240");
}
