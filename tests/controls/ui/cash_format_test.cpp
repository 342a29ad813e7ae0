#include "tests/controls/ui/CashHost.h"

#include <QSignalSpy>

using kessory::test::CashHost;

TEST(ctlCashFormat, ChildrenLayoutAndResizeRule)
{
    CashHost h;
    EXPECT_NE(h.csf->findChild<QWidget*>("picCash"), nullptr);
    h.csf->setParent(nullptr); // out of the host's layout, so the control alone answers the sizes set
    h.csf->show();
    h.csf->resize(300, 100);
    EXPECT_EQ(h.csf->size(), QSize(121, 100));
    auto* surface = h.csf->findChild<QWidget*>("picCash");
    EXPECT_EQ(surface->size(), QSize(121, 100));
    for (int i = 0; i < 12; ++i) {
        auto* c = h.cell(i);
        ASSERT_NE(c, nullptr) << i;
        EXPECT_EQ(c->geometry(), QRect((11 - i) * 10, (100 - 13) / 2, 7, 13)) << i;
    }
    // Below one cell's height the control comes back at exactly that height.
    h.csf->resize(121, 5);
    EXPECT_EQ(h.csf->size(), QSize(121, 13));
    EXPECT_EQ(surface->height(), 13);
    EXPECT_EQ(h.cell(0)->y(), 0);
    delete h.csf;
}

TEST(ctlCashFormat, PropertiesAreSilentApartFromTheStoredPropertyNotice)
{
    CashHost h;
    QSignalSpy changed(h.csf, &ctlCashFormat::storedPropertyChanged);
    QSignalSpy got(h.csf, &ctlCashFormat::gotFocus);
    EXPECT_TRUE(h.csf->setProperty("Value", 1234567.89));
    EXPECT_EQ(h.csf->property("Value").toDouble(), 1234567.89);
    EXPECT_EQ(h.shown(), "___123456789");
    EXPECT_TRUE(h.csf->setProperty("Enabled", false));
    EXPECT_FALSE(h.csf->property("Enabled").toBool());
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(0).at(0).toString(), "Value");
    EXPECT_EQ(changed.at(1).at(0).toString(), "Enabled");
    h.csf->funSetValue(5);
    EXPECT_EQ(h.csf->funGetValue(), 5.0);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(got.count(), 0);
}

TEST(ctlCashFormat, ValueExamplesInBothUses)
{
    CashHost h;
    const struct {
        double value;
        const char* cells;
        double readBack;
    } cases[] = { { 0, "_________000", 0 },
                  { 1234567.89, "___123456789", 1234567.89 },
                  { 0.5, "_________050", 0.5 },
                  { -42.1, "________4210", 42.1 },
                  { 0.125, "_________013", 0.13 },
                  { 9999999999.99, "999999999999", 9999999999.99 },
                  { 123456789012.34, "345678901234", 123456789012.34 } };
    for (const auto& c : cases) {
        for (ctlCashFormat* csf : { h.csf, h.csfShow }) {
            csf->setValue(c.value);
            EXPECT_EQ(h.shown(csf), c.cells) << c.value;
            EXPECT_EQ(csf->Value(), c.readBack) << c.value;
            for (int i = 0; i < 12; ++i) {
                const bool digit = !h.cell(i, csf)->text().isEmpty();
                EXPECT_EQ(h.cell(i, csf)->isEnabled(), digit && csf == h.csf) << c.value << " cell " << i;
            }
        }
    }
    // The overlong amount holds until a key release in the control replaces it by what is shown.
    h.csf->setValue(123456789012.34);
    h.enterAtYuan();
    CashHost::key(Qt::Key_Shift);
    EXPECT_EQ(h.csf->Value(), 3456789012.34);
}

TEST(ctlCashFormat, DigitsPointJiaoAndFen)
{
    CashHost h;
    h.enterAtYuan();
    EXPECT_EQ(h.focusCell(), 2);
    CashHost::keys("123");
    EXPECT_EQ(h.csf->Value(), 123.0);
    EXPECT_EQ(h.focusCell(), 2);
    h.csf->setValue(0);
    CashHost::keys("12.34");
    EXPECT_EQ(h.csf->Value(), 12.34);
    EXPECT_EQ(h.shown(), "________1234");
    EXPECT_EQ(h.focusCell(), 0);
    // Another digit in 分 replaces it.
    CashHost::key('9');
    EXPECT_EQ(h.csf->Value(), 12.39);
    EXPECT_EQ(h.focusCell(), 0);
    // A point from a higher cell goes to 角.
    CashHost::key(Qt::Key_Left);
    CashHost::key(Qt::Key_Left);
    CashHost::key(Qt::Key_Left);
    EXPECT_EQ(h.focusCell(), 3);
    CashHost::key('.');
    EXPECT_EQ(h.focusCell(), 1);
    EXPECT_EQ(h.csf->Value(), 12.39);
}

TEST(ctlCashFormat, BackspaceDeleteAndStrayCharacters)
{
    CashHost h(123.45);
    h.enterAtYuan();
    CashHost::key(Qt::Key_Backspace);
    EXPECT_EQ(h.csf->Value(), 12.45);
    EXPECT_EQ(h.focusCell(), 1); // the emptied cell passes the focus right
    CashHost::key(Qt::Key_Backspace);
    EXPECT_EQ(h.csf->Value(), 12.05);
    EXPECT_EQ(h.focusCell(), 0);
    CashHost::key(Qt::Key_Backspace);
    EXPECT_EQ(h.csf->Value(), 12.0);
    EXPECT_EQ(h.focusCell(), 0); // 分 keeps it
    EXPECT_EQ(h.shown(), "________1200");

    h.csf->setValue(123.45);
    h.enterAtYuan();
    CashHost::key(Qt::Key_Delete);
    EXPECT_EQ(h.csf->Value(), 12.45);
    EXPECT_EQ(h.focusCell(), 2);
    // Deleting the highest digit leaves its cell blank: the focus moves to the digit on its right.
    CashHost::key(Qt::Key_Left);
    EXPECT_EQ(h.focusCell(), 3);
    CashHost::key(Qt::Key_Delete);
    EXPECT_EQ(h.csf->Value(), 2.45);
    EXPECT_EQ(h.focusCell(), 2);

    h.csf->setValue(123.45);
    h.enterAtYuan();
    CashHost::key(Qt::Key_Left);
    CashHost::key('a');
    EXPECT_EQ(h.csf->Value(), 13.45);
    EXPECT_EQ(h.shown(), "________1345");
    CashHost::key('.');
    CashHost::key('x');
    EXPECT_EQ(h.csf->Value(), 13.05);
    EXPECT_EQ(h.focusCell(), 1);
    // Between press and release the stray character is in the cell; the release removes it.
    QTest::keyPress(QApplication::focusWidget(), '-');
    EXPECT_EQ(h.cell(1)->text(), "-");
    QTest::keyRelease(QApplication::focusWidget(), '-');
    EXPECT_EQ(h.cell(1)->text(), "0");
}

TEST(ctlCashFormat, LeftAndRightStopAtTheDigitsAndRightLeavesFromFen)
{
    CashHost h(123.45);
    h.enterAtYuan();
    for (int expected : { 3, 4, 4 }) {
        CashHost::key(Qt::Key_Left);
        EXPECT_EQ(h.focusCell(), expected);
    }
    for (int expected : { 3, 2, 1, 0 }) {
        CashHost::key(Qt::Key_Right);
        EXPECT_EQ(h.focusCell(), expected);
    }
    CashHost::key(Qt::Key_Right);
    EXPECT_TRUE(h.next->hasFocus());
    // 十亿 is the last cell: Left there has nowhere to go.
    h.csf->setValue(9876543210.12);
    h.enterAtYuan();
    for (int i = 0; i < 12; ++i)
        CashHost::key(Qt::Key_Left);
    EXPECT_EQ(h.focusCell(), 11);
    EXPECT_EQ(h.csf->Value(), 9876543210.12);
}

TEST(ctlCashFormat, EnterAndTabLeaveForTheHostsFields)
{
    CashHost h(123.45);
    h.enterAtYuan();
    CashHost::key(Qt::Key_Return);
    EXPECT_TRUE(h.next->hasFocus());
    h.enterAtYuan();
    CashHost::key(Qt::Key_Tab);
    EXPECT_TRUE(h.next->hasFocus());
    // From 角 or 分 the first Tab only reaches 元.
    h.enterAtYuan();
    CashHost::key('.');
    CashHost::key(Qt::Key_Enter);
    EXPECT_TRUE(h.next->hasFocus());
    h.enterAtYuan();
    CashHost::keys(".5");
    EXPECT_EQ(h.focusCell(), 0);
    CashHost::key(Qt::Key_Return);
    EXPECT_TRUE(h.next->hasFocus());
    EXPECT_EQ(h.csf->Value(), 123.45 + 0.1);
    // Left of 元 both Tabs count: the focus ends one field beyond.
    h.enterAtYuan();
    CashHost::key(Qt::Key_Left);
    CashHost::key(Qt::Key_Left);
    CashHost::key(Qt::Key_Return);
    EXPECT_TRUE(h.beyond->hasFocus());
    // Keys the control has no use for reach the host; the amount is untouched.
    h.enterAtYuan();
    CashHost::key(Qt::Key_Up);
    CashHost::key(Qt::Key_Escape);
    EXPECT_EQ(h.focusCell(), 2);
    EXPECT_EQ(h.csf->Value(), 123.55);
}

TEST(ctlCashFormat, FocusEnteringGoesToYuanAndIsReportedOnce)
{
    CashHost h(123.45);
    QSignalSpy got(h.csf, &ctlCashFormat::gotFocus);
    QSignalSpy lost(h.csf, &ctlCashFormat::lostFocus);
    h.enterAtYuan();
    EXPECT_EQ(h.focusCell(), 2);
    EXPECT_EQ(h.cell(2)->selectedText(), "3");
    CashHost::key(Qt::Key_Left);
    CashHost::key('.');
    CashHost::key('1');
    EXPECT_EQ(got.count(), 1);
    EXPECT_EQ(lost.count(), 0);
    CashHost::key(Qt::Key_Right); // from 分
    EXPECT_EQ(lost.count(), 1);
    // Focus given to the control as a whole, or a click into a cell from outside, starts at 元.
    h.csf->setFocus();
    EXPECT_EQ(h.focusCell(), 2);
    h.before->setFocus();
    QTest::mouseClick(h.cell(4), Qt::LeftButton);
    EXPECT_EQ(h.focusCell(), 2);
    // Inside the control a click picks the cell.
    QTest::mouseClick(h.cell(4), Qt::LeftButton);
    EXPECT_EQ(h.focusCell(), 4);
    EXPECT_EQ(got.count(), 3);
    EXPECT_EQ(lost.count(), 2);
}

TEST(ctlCashFormat, DisplayUseNeverTakesTheFocusNorKeys)
{
    CashHost h(0, 123.45);
    h.beyond->setFocus();
    CashHost::key(Qt::Key_Tab); // past the display control, round to the first field
    EXPECT_TRUE(h.before->hasFocus());
    QSignalSpy got(h.csfShow, &ctlCashFormat::gotFocus);
    h.csfShow->setFocus();
    EXPECT_TRUE(h.before->hasFocus());
    EXPECT_EQ(got.count(), 0);
    QTest::mouseClick(h.cell(2, h.csfShow), Qt::LeftButton);
    EXPECT_TRUE(h.before->hasFocus());
    QTest::keyClick(h.cell(2, h.csfShow), '7');
    QTest::keyClick(h.cell(2, h.csfShow), Qt::Key_Delete);
    EXPECT_EQ(h.csfShow->Value(), 123.45);
    h.csfShow->setValue(98765.4);
    EXPECT_EQ(h.shown(h.csfShow), "_____9876540");
    for (int i = 0; i < 12; ++i)
        EXPECT_FALSE(h.cell(i, h.csfShow)->isEnabled()) << i;
}

TEST(ctlCashFormat, DisablingCatchesUpAboveYuanAtTheNextValueWrite)
{
    CashHost h(123.45);
    h.csf->setEnabledProperty(false);
    for (int i = 0; i <= 2; ++i)
        EXPECT_FALSE(h.cell(i)->isEnabled()) << i;
    EXPECT_TRUE(h.cell(3)->isEnabled());
    EXPECT_TRUE(h.cell(4)->isEnabled());
    // Already no keyboard: not even through the cells that lag behind.
    QTest::keyClick(h.cell(4), '9');
    EXPECT_EQ(h.csf->Value(), 123.45);
    h.csf->setValue(123.45);
    for (int i = 0; i < 12; ++i)
        EXPECT_FALSE(h.cell(i)->isEnabled()) << i;
    h.csf->setEnabledProperty(true);
    h.enterAtYuan();
    EXPECT_EQ(h.focusCell(), 2);
}

TEST(ctlCashFormat, HostTabOrderKeepsTheCellsTogether)
{
    // A host that lays down its own tab order, the control created after the fields around it.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit(&window);
    auto* next = new QLineEdit(&window);
    auto* csf = new ctlCashFormat(&window);
    layout->addWidget(first);
    layout->addWidget(csf);
    layout->addWidget(next);
    QWidget::setTabOrder(first, csf);
    QWidget::setTabOrder(csf, next);
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    CashHost::key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "tCash_2");
    CashHost::keys("5.5");
    CashHost::key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), next);
    EXPECT_EQ(csf->Value(), 5.5);
}

TEST(ctlCashFormat, DeletingTheFocusedControlLeavesTheHostWorking)
{
    CashHost h(5);
    h.enterAtYuan();
    delete h.csf;
    h.csf = nullptr;
    QApplication::processEvents();
    h.next->setFocus();
    CashHost::key('x');
    EXPECT_EQ(h.next->text(), "x");
}
