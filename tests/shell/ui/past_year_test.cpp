// A kept year looked at from the main window: read-only, each window's write command says so, 返回本年 goes back.
#include "data/BookAccess.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/YearEnd.h"
#include "shell/ui/BookCommands.h"
#include "shell/ui/mdiKessory.h"
#include "tests/accounts/ui/TreeClicks.h"
#include "tests/support/GuiTest.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

using kessory::test::GuiTest;
using kessory::test::TestDb;

namespace {

class PastYearTest : public GuiTest { };

} // namespace

TEST_F(PastYearTest, AKeptYearOpensReadOnlyAndEveryWriteCommandSaysSo)
{
    TestDb db(TestDb::Rows::Sample, false);
    ASSERT_TRUE(QFile::copy(db.dataFile(), db.folder() + QStringLiteral("/DATA/2025.DAT")));
    mdiKessory window;
    ASSERT_TRUE(window.funLoad(db.folder()));
    ASSERT_NE(window.findChild<QAction*>(QStringLiteral("act_OpenPastYear")), nullptr);
    const QString lines = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容"));

    ASSERT_TRUE(kessory::showPastYear(&window, 2025));
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("2025年账簿（只读）")));
    EXPECT_FALSE(child<QStatusBar>(&window, QStringLiteral("staBook"))->isHidden());
    const QString readOnly = kessory::BookAccess::writeRefusal(basDBOperate::cnnDB.get());
    ASSERT_FALSE(readOnly.isEmpty());

    QWidget* vouchers = kessory::WindowHost::instance().open(kessory::WindowKind::PZ);
    QWidget* accounts = kessory::WindowHost::instance().open(kessory::WindowKind::KM);
    kessory::test::clickNode(accounts->findChild<QTreeWidget*>(), QStringLiteral("B101"));
    const QList<std::pair<QWidget*, QString>> commands {
        { vouchers, QStringLiteral("cmd_CreateNew") }, { vouchers, QStringLiteral("cmd_SH") },
        { vouchers, QStringLiteral("cmd_Delete") },    { vouchers, QStringLiteral("cmd_DeleteRec") },
        { accounts, QStringLiteral("cmd_Append") },    { accounts, QStringLiteral("cmd_Modify") },
        { accounts, QStringLiteral("cmd_Delete") },
    };
    for (const auto& [w, name] : commands) {
        kessory::Msg::clearShown();
        QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton);
        QApplication::processEvents();
        ASSERT_EQ(kessory::Msg::shown().size(), 1) << name.toStdString();
        EXPECT_EQ(kessory::Msg::shown().first().text, readOnly) << name.toStdString();
    }
    kessory::Msg::clearShown();
    EXPECT_FALSE(kessory::runYearEnd(&window));
    EXPECT_EQ(kessory::Msg::shown().first().text, readOnly);

    ASSERT_TRUE(kessory::showCurrentYear(&window));
    EXPECT_EQ(kessory::YearEnd::viewedYear(), 0);
    EXPECT_FALSE(window.windowTitle().contains(QStringLiteral("只读")));
    EXPECT_TRUE(child<QStatusBar>(&window, QStringLiteral("staBook"))->isHidden());
    EXPECT_TRUE(kessory::BookAccess::writeRefusal(basDBOperate::cnnDB.get()).isEmpty());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容")), lines);
}
