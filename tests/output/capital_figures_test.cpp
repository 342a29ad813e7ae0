#include "output/CapitalFigures.h"

#include <gtest/gtest.h>

using kessory::capitalFigures;

TEST(CapitalFigures, ZerosAndCloseFollowTheUsualRules)
{
    const std::pair<qint64, const char*> cases[] = {
        { 0, "零元整" },
        { 5, "伍分" },
        { 50, "伍角整" },
        { 15, "壹角伍分" },
        { 1000, "壹拾元整" },
        { 1010, "壹拾元壹角整" },
        { 10005, "壹佰元零伍分" },
        { 10010, "壹佰元零壹角整" },
        { 100500, "壹仟零伍元整" },
        { 105000, "壹仟零伍拾元整" },
        { 1234567, "壹万贰仟叁佰肆拾伍元陆角柒分" },
        { 10000010, "壹拾万元零壹角整" },
        { 10000000001, "壹亿元零壹分" },
        { 10000000100, "壹亿零壹元整" },
        { 11000000000, "壹亿壹仟万元整" },
        { 100000000001, "壹拾亿元零壹分" },
        { 999999999999, "玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分" },
        { -1000, "负壹拾元整" },
    };
    for (const auto& [cents, text] : cases)
        EXPECT_EQ(capitalFigures(cents), QString::fromUtf8(text)) << cents;
}
