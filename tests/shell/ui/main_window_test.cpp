// The main window: its bar of eight picture buttons, one window per kind, start-up and the end of the program.
#include "shell/Msg.h"
#include "shell/basSysFunction.h"
#include "shell/ui/ButtonPicture.h"
#include "shell/ui/WindowHost.h"
#include "shell/ui/mdiKessory.h"
#include "tests/support/GuiTest.h"

#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

using kessory::ButtonPicture;
using kessory::test::GuiTest;
using kessory::test::TestDb;

namespace {

class MainWindowTest : public GuiTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.funLoad(db.folder()));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ButtonPicture* button(int i) { return child<ButtonPicture>(&window, QStringLiteral("imgButton_%1").arg(i)); }
    QLabel* caption(int i) { return child<QLabel>(&window, QStringLiteral("lblBtnCaption_%1").arg(i)); }
    bool captionRed(int i) { return caption(i)->palette().color(QPalette::WindowText) == QColor(255, 0, 0); }

    TestDb db { TestDb::Rows::Sample, false };
    mdiKessory window;
};

} // namespace

TEST_F(MainWindowTest, EightButtonsLeftToRightWithTheirCaptions)
{
    const QStringList captions { "凭证管理", "明细账", "总账", "现金流量", "损益", "资产负债", "科目管理", "科目汇总" };
    int lastX = -1;
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(caption(i)->text(), captions[i]);
        EXPECT_GT(button(i)->x(), lastX);
        lastX = button(i)->x();
        // Each caption stands under its own button.
        EXPECT_LT(std::abs(caption(i)->geometry().center().x() - button(i)->geometry().center().x()), 4);
        EXPECT_GT(caption(i)->y(), button(i)->y());
    }
    EXPECT_NE(window.findChild<QWidget*>("Picture1"), nullptr);
}

TEST_F(MainWindowTest, EachButtonOpensItsWindowOnceAndBringsItBack)
{
    const QStringList names { "frmPZ", "frmMXZ", "frmZZ", "frmXJLLB", "frmSYB", "frmZCFZB", "frmKM", "frmKMHZB" };
    for (int i = 0; i < 8; ++i) {
        QTest::mouseClick(button(i), Qt::LeftButton);
        QWidget* w = kessory::WindowHost::instance().find(static_cast<kessory::WindowKind>(i));
        ASSERT_NE(w, nullptr) << i;
        EXPECT_EQ(w->objectName(), names[i]);
        EXPECT_EQ(w->windowTitle(), kessory::windowCaption(static_cast<kessory::WindowKind>(i)));
    }
    EXPECT_EQ(window.area()->subWindowList().size(), 8);
    QWidget* first = kessory::WindowHost::instance().find(kessory::WindowKind::PZ);
    // A second release with the right button brings the same window to the front.
    QTest::mouseClick(button(0), Qt::RightButton);
    EXPECT_EQ(window.area()->subWindowList().size(), 8);
    EXPECT_EQ(kessory::WindowHost::instance().find(kessory::WindowKind::PZ), first);
    EXPECT_EQ(window.area()->activeSubWindow()->widget(), first);
    // A closed window is made afresh by its button.
    kessory::closeWindow(first);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(kessory::WindowHost::instance().find(kessory::WindowKind::PZ), nullptr);
    QTest::mouseClick(button(0), Qt::LeftButton);
    EXPECT_NE(kessory::WindowHost::instance().find(kessory::WindowKind::PZ), nullptr);
    EXPECT_EQ(window.area()->subWindowList().size(), 8);
}

TEST_F(MainWindowTest, HoverMovesFromButtonToButtonAndLeavesOverTheBar)
{
    QTest::mouseMove(button(2), QPoint(10, 10));
    EXPECT_EQ(button(2)->state(), ButtonPicture::State::Hover);
    EXPECT_TRUE(captionRed(2));
    QTest::mouseMove(button(3), QPoint(10, 10));
    EXPECT_EQ(button(3)->state(), ButtonPicture::State::Hover);
    EXPECT_TRUE(captionRed(3));
    EXPECT_EQ(button(2)->state(), ButtonPicture::State::Flat);
    EXPECT_FALSE(captionRed(2));
    QWidget* bar = window.findChild<QWidget*>("Picture1");
    QTest::mouseMove(bar, QPoint(bar->width() - 5, 5));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(button(i)->state(), ButtonPicture::State::Flat);
        EXPECT_FALSE(captionRed(i));
    }
}

TEST_F(MainWindowTest, PressShowsThePressedStateOnOneButtonOnly)
{
    QTest::mousePress(button(1), Qt::LeftButton);
    EXPECT_EQ(button(1)->state(), ButtonPicture::State::Pressed);
    QTest::mousePress(button(4), Qt::LeftButton);
    EXPECT_EQ(button(4)->state(), ButtonPicture::State::Pressed);
    EXPECT_EQ(button(1)->state(), ButtonPicture::State::Flat);
    QTest::mouseRelease(button(4), Qt::LeftButton);
    EXPECT_EQ(button(4)->state(), ButtonPicture::State::Flat);
    EXPECT_NE(kessory::WindowHost::instance().find(kessory::WindowKind::SYB), nullptr);
}

TEST_F(MainWindowTest, NeverSmallerThan800By567)
{
    window.resize(300, 200);
    EXPECT_GE(window.width(), 800);
    EXPECT_GE(window.height(), 567);
    EXPECT_EQ(window.minimumSize(), QSize(800, 567));
}

TEST_F(MainWindowTest, ClosingTheMainWindowEndsTheProgram)
{
    QTest::mouseClick(button(0), Qt::LeftButton);
    const int before = basSysFunction::exitCount();
    window.close();
    EXPECT_EQ(basSysFunction::exitCount(), before + 1);
}

TEST(MainWindowStart, MissingOrUnreadableFileEndsBeforeTheWindowShows)
{
    TestDb db(TestDb::Rows::None, false);
    QTemporaryDir empty;
    const int before = basSysFunction::exitCount();
    {
        mdiKessory w;
        EXPECT_FALSE(w.funLoad(empty.path()));
        EXPECT_EQ(kessory::Msg::shown().last().text, "缺少文件，系统无法运行.");
        EXPECT_EQ(basSysFunction::exitCount(), before + 1);
    }
    QDir().mkpath(empty.path() + "/DATA");
    QFile f(empty.path() + "/DATA/DATA.DAT");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    mdiKessory w;
    EXPECT_FALSE(w.funLoad(empty.path()));
    EXPECT_EQ(kessory::Msg::shown().last().text, "数据文件无法打开，系统无法运行.");
    EXPECT_EQ(kessory::Msg::shown().last().title, "错误");
    EXPECT_EQ(basSysFunction::exitCount(), before + 2);
}

TEST_F(MainWindowTest, ChildWindowsOpenInsideTheAreaWhichScrollsToALargerOne)
{
    window.resize(1024, 720);
    QApplication::processEvents();
    QMdiArea* area = window.area();
    for (int i = 0; i < 8; ++i) {
        QTest::mouseClick(button(i), Qt::LeftButton);
        auto* sub = qobject_cast<QMdiSubWindow*>(
            kessory::WindowHost::instance().find(static_cast<kessory::WindowKind>(i))->parentWidget());
        ASSERT_NE(sub, nullptr);
        EXPECT_TRUE(area->viewport()->rect().contains(sub->geometry())) << i;
    }
    kessory::WindowHost::instance().closeAll();

    // At its least size the frame is smaller than the voucher window: it starts at the top left and the area scrolls.
    window.resize(window.minimumSize());
    QApplication::processEvents();
    QTest::mouseClick(button(0), Qt::LeftButton);
    QApplication::processEvents();
    auto* sub
        = qobject_cast<QMdiSubWindow*>(kessory::WindowHost::instance().find(kessory::WindowKind::PZ)->parentWidget());
    ASSERT_GT(sub->height(), area->viewport()->height());
    EXPECT_EQ(sub->pos(), QPoint(0, 0));
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
}

TEST_F(MainWindowTest, KeepsItsLeastSizeWithoutAWindowManager)
{
    // Without a window manager nothing refuses a smaller size: the window system hands it straight to the frame.
    window.windowHandle()->resize(300, 200);
    QApplication::processEvents();
    EXPECT_GE(window.width(), 800);
    EXPECT_GE(window.height(), 567);
}

TEST_F(MainWindowTest, TheMenusReachEveryWindowAndTheAboutBoxNamesTheBook)
{
    int reached = 0;
    for (QAction* action : window.findChildren<QAction*>()) {
        if (!action->objectName().startsWith("act_frm"))
            continue;
        action->trigger();
        QWidget* w = window.area()->activeSubWindow() ? window.area()->activeSubWindow()->widget() : nullptr;
        ASSERT_NE(w, nullptr) << action->text().toStdString();
        EXPECT_EQ("act_" + w->objectName(), action->objectName());
        ++reached;
    }
    EXPECT_EQ(reached, 8);
    kessory::Msg::clearShown();
    child<QAction>(&window, "act_About")->trigger();
    ASSERT_EQ(kessory::Msg::shown().size(), 1);
    EXPECT_TRUE(kessory::Msg::shown()[0].text.contains(db.dataFile()));
    EXPECT_TRUE(kessory::Msg::shown()[0].text.contains(KESSORY_VERSION));
}
