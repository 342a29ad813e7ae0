#include "statements/BookFigures.h"
#include "statements/Formula.h"
#include "statements/FormulaEval.h"

#include <gtest/gtest.h>

using namespace kessory;

namespace {

// The value of a formula with no book behind it; line n is worth n yuan.
FormulaValue value(const QString& text)
{
    const ParsedFormula parsed = parseFormula(text);
    if (!parsed.ok())
        return FormulaValue::failed(parsed.error);
    static const BookFigures none;
    FormulaScope scope;
    scope.figures = &none;
    scope.lineValue = [](int line) { return FormulaValue::of(line * 100); };
    return evaluateFormula(*parsed.root, scope, nullptr);
}

qint64 cents(const QString& text)
{
    const FormulaValue v = value(text);
    EXPECT_TRUE(v.ok) << text.toStdString() << ": " << v.error.toStdString();
    return v.cents;
}

QString error(const QString& text)
{
    const FormulaValue v = value(text);
    EXPECT_FALSE(v.ok) << text.toStdString();
    return v.error;
}

} // namespace

TEST(FormulaParser, PrecedenceAssociativityAndUnaryMinus)
{
    EXPECT_EQ(cents("1 + 2 * 3"), 700);
    EXPECT_EQ(cents("(1 + 2) × 3"), 900);
    EXPECT_EQ(cents("10 - 4 - 3"), 300);
    EXPECT_EQ(cents("8 / 4 / 2"), 100);
    EXPECT_EQ(cents("7 ÷ 2"), 350);
    EXPECT_EQ(cents("-2 * -3"), 600);
    EXPECT_EQ(cents("--5"), 500);
    EXPECT_EQ(cents("2 − −3"), 500);
    EXPECT_EQ(cents("－（1＋2）"), -300); // typed full-width through an input method
    EXPECT_EQ(cents("[5] + 行2 * 2"), 900);
    EXPECT_EQ(cents("[10] * 0.17"), 170);
    EXPECT_EQ(cents("0.05"), 5);
    // In whole fen, halves away from zero.
    EXPECT_EQ(cents("1 / 3"), 33);
    EXPECT_EQ(cents("2 / 3"), 67);
    EXPECT_EQ(cents("-2 / 3"), -67);
    EXPECT_EQ(cents("0.01 * 0.5"), 1);
}

TEST(FormulaParser, ClearChineseErrors)
{
    EXPECT_EQ(error(""), QStringLiteral("公式是空的"));
    EXPECT_EQ(error("   "), QStringLiteral("公式是空的"));
    EXPECT_TRUE(error("1 +").contains(QStringLiteral("不完整")));
    EXPECT_TRUE(error("期末余额(101").contains(QStringLiteral("缺少右括号")));
    EXPECT_TRUE(error("(1 + 2").contains(QStringLiteral("缺少右括号")));
    EXPECT_TRUE(error("[3").contains(QStringLiteral("缺少右方括号")));
    EXPECT_TRUE(error("1 2").contains(QStringLiteral("第3个字符处多了“2”")));
    EXPECT_TRUE(error("1 ) ").contains(QStringLiteral("多了“)”")));
    EXPECT_TRUE(error("1 $ 2").contains(QStringLiteral("第3个字符处的“$”不能识别")));
    EXPECT_TRUE(error("* 2").contains(QStringLiteral("应为数字、行次、函数或左括号")));
    EXPECT_TRUE(error("期末(101)").contains(QStringLiteral("不是可用的函数")));
    EXPECT_TRUE(error("期末余额 101").contains(QStringLiteral("应为左括号")));
    EXPECT_TRUE(error("期末余额(10)").contains(QStringLiteral("不是科目编号")));
    EXPECT_TRUE(error("期末余额(1011)").contains(QStringLiteral("不是科目编号")));
    EXPECT_TRUE(error("期末余额()").contains(QStringLiteral("至少要有一个科目编号")));
    EXPECT_TRUE(error("期末余额(101 102)").contains(QStringLiteral("应为逗号")));
    EXPECT_TRUE(error("借方发生额(101, 借)").contains(QStringLiteral("只有“本年累计”")));
    EXPECT_TRUE(error("本年累计(101, 贷, 102)").contains(QStringLiteral("借或贷只能写在最后")));
    EXPECT_TRUE(error("1.234").contains(QStringLiteral("两位小数")));
    EXPECT_TRUE(error("1..2").contains(QStringLiteral("写法不对")));
    EXPECT_TRUE(error("[0]").contains(QStringLiteral("行次")));
    EXPECT_TRUE(error("行 + 1").contains(QStringLiteral("行次")));
    EXPECT_TRUE(error("99999999999999999999").contains(QStringLiteral("太大")));
    EXPECT_TRUE(error(QString(3000, QLatin1Char('('))).contains(QStringLiteral("太长")));
    EXPECT_TRUE(error("5 / (2 - 2)").contains(QStringLiteral("除数为零")));
    EXPECT_TRUE(error("999999999999999 * 999999999999999").contains(QStringLiteral("超出范围")));
    EXPECT_TRUE(error("期末余额(999)").contains(QStringLiteral("科目“999”不在科目表中")));
}

TEST(CashSplit, NetCashGoesToTheOtherSideInProportionTheLeftoverFenToTheLargest)
{
    std::map<QString, qint64> in;
    std::map<QString, qint64> out;
    // 100.00 received against credits of 25.05, 25.05 and 50.00 (the bank's fee of 0.10 on the debit side takes
    // no cash): each credit gets its share rounded down, the fen left over goes to the largest.
    splitVoucherCash({ { "10201", false, 10000, true },
                       { "52202", false, 10, false },
                       { "113", true, 2505, false },
                       { "501", true, 2505, false },
                       { "2210102", true, 5000, false } },
                     in, out);
    EXPECT_EQ(in["113"], 2502);
    EXPECT_EQ(in["501"], 2502);
    EXPECT_EQ(in["2210102"], 4996);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(in.count("52202"), 0u);

    // 1.00 paid for three equal debits: 0.33 each, the fen left over to the first of equals.
    in.clear();
    splitVoucherCash({ { "521", false, 100, false },
                       { "522", false, 100, false },
                       { "503", false, 100, false },
                       { "101", true, 100, true } },
                     in, out);
    EXPECT_EQ(out["521"], 34);
    EXPECT_EQ(out["522"], 33);
    EXPECT_EQ(out["503"], 33);
    EXPECT_TRUE(in.empty());

    // Cash moved between cash accounts is no flow.
    out.clear();
    splitVoucherCash({ { "101", false, 800000, true }, { "10201", true, 800000, true } }, in, out);
    EXPECT_TRUE(in.empty());
    EXPECT_TRUE(out.empty());
}
