#include "statements/StatementCaption.h"

#include <gtest/gtest.h>

using kessory::sectionRuleCaption;
using kessory::totalRuleCaption;

namespace {

QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

} // namespace

TEST(TotalRule, TotalLinesAreTrimmedAndIndentedByLength)
{
    // Six characters ending in 合计, stored with blanks on both sides.
    EXPECT_EQ(totalRuleCaption(QStringLiteral("  流动资产合计 ")), blanks(12) + QStringLiteral("流动资产合计"));
    // 13 characters after trimming still get the deep indent; 14 get the shallow one.
    const QString thirteen = QStringLiteral("一二三四五六七八九十一合计");
    const QString fourteen = QStringLiteral("一二三四五六七八九十一二合计");
    ASSERT_EQ(thirteen.size(), 13);
    ASSERT_EQ(fourteen.size(), 14);
    EXPECT_EQ(totalRuleCaption(QStringLiteral("   ") + thirteen + QStringLiteral("  ")), blanks(12) + thirteen);
    EXPECT_EQ(totalRuleCaption(QStringLiteral(" ") + fourteen), blanks(3) + fourteen);
    EXPECT_EQ(totalRuleCaption(QStringLiteral("负债和所有者权益（或股东权益）总计")),
              blanks(3) + QStringLiteral("负债和所有者权益（或股东权益）总计"));
    // A caption that is nothing but 计 is a total line too.
    EXPECT_EQ(totalRuleCaption(QStringLiteral("计")), blanks(12) + QStringLiteral("计"));
}

TEST(TotalRule, OtherCaptionsStayExactlyAsStored)
{
    for (const QString& caption :
         { QStringLiteral("  主营业务税金及附加 "), QStringLiteral("减：所得税"), QStringLiteral("计划外支出"),
           QString(), QStringLiteral("   "), QStringLiteral("A") })
        EXPECT_EQ(totalRuleCaption(caption), caption);
    // Only the plain blank is trimmed: a full-width space after 计 is part of the caption, which then does not end
    // with 计.
    const QString wide = QStringLiteral("资产总计\u3000");
    EXPECT_EQ(totalRuleCaption(wide), wide);
}

TEST(SectionRule, HeadingsSubtotalsAndOrdinaryLines)
{
    EXPECT_EQ(sectionRuleCaption(QStringLiteral("一、经营活动产生的现金流量")),
              QStringLiteral("一、经营活动产生的现金流量"));
    EXPECT_EQ(sectionRuleCaption(QStringLiteral("现金流入小计")), blanks(24) + QStringLiteral("现金流入小计"));
    // 小计 wins over a heading's 、.
    EXPECT_EQ(sectionRuleCaption(QStringLiteral("二、小计")), blanks(24) + QStringLiteral("二、小计"));
    EXPECT_EQ(sectionRuleCaption(QStringLiteral("收到的税费返还")), blanks(4) + QStringLiteral("收到的税费返还"));
    // 、 anywhere but second does not make a heading.
    EXPECT_EQ(sectionRuleCaption(QStringLiteral("销售商品、提供劳务收到的现金")),
              blanks(4) + QStringLiteral("销售商品、提供劳务收到的现金"));
}

TEST(SectionRule, NoTrimmingAndShortCaptions)
{
    // Leading blanks are kept and 4 more come before them.
    EXPECT_EQ(sectionRuleCaption(QStringLiteral("  其中：利息")), blanks(6) + QStringLiteral("其中：利息"));
    // A trailing blank hides 小计 from the rule.
    EXPECT_EQ(sectionRuleCaption(QStringLiteral("现金流出小计 ")), blanks(4) + QStringLiteral("现金流出小计 "));
    // A blank before 、 makes it third, not second.
    EXPECT_EQ(sectionRuleCaption(QStringLiteral(" 三、筹资")), blanks(4) + QStringLiteral(" 三、筹资"));
    // Nothing to be a second character: an ordinary line.
    EXPECT_EQ(sectionRuleCaption(QString()), blanks(4));
    EXPECT_EQ(sectionRuleCaption(QStringLiteral("、")), blanks(4) + QStringLiteral("、"));
    EXPECT_EQ(sectionRuleCaption(QStringLiteral("计")), blanks(4) + QStringLiteral("计"));
}
