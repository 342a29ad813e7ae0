#include "tests/controls/ui/CashHost.h"

#include <QSignalSpy>

using kessory::test::CashHost;

TEST(ctlCashFormat, ChildrenAndDesignLayout)
{
    CashHost h;
    EXPECT_NE(h.csf->findChild<QWidget*>("picCash"), nullptr);
    EXPECT_EQ(h.csf->width(), 121);
    for (int i = 0; i < 12; ++i) {
        auto* c = h.cell(i);
        ASSERT_NE(c, nullptr) << i;
        EXPECT_EQ(c->x(), (11 - i) * 10) << i;
        EXPECT_EQ(c->width(), 7);
        EXPECT_EQ(c->height(), 13);
    }
}

TEST(ctlCashFormat, TypingDigitsPointAndJiaoFen)
{
    CashHost h;
    h.enterAtYuan();
    EXPECT_EQ(h.focusCell(), 2);
    CashHost::keys("12.34");
    EXPECT_EQ(h.csf->Value(), 12.34);
    EXPECT_EQ(h.shown(), "________1234");
    EXPECT_EQ(h.focusCell(), 0);
}
