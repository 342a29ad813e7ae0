// The start of the program with operators and backups, and the windows of the 系统 menu.
#include "data/Backups.h"
#include "data/ChangeLog.h"
#include "data/basDBOperate.h"
#include "output/ui/OutputActions.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "shell/Operators.h"
#include "shell/basSysFunction.h"
#include "shell/ui/ChangeLogWindow.h"
#include "shell/ui/LoginDialog.h"
#include "shell/ui/OperatorWindow.h"
#include "shell/ui/RestoreDialog.h"
#include "shell/ui/mdiKessory.h"
#include "tests/support/GuiTest.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace kessory;
using kessory::test::GuiTest;
using kessory::test::TestDb;

namespace {

class StartTest : public GuiTest {
protected:
    void SetUp() override
    {
        Clock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 30, 0)));
        Operators::setCurrent(std::nullopt);
        Msg::clearShown();
    }
    void TearDown() override
    {
        Operators::setCurrent(std::nullopt);
        GuiTest::TearDown();
    }
    // Defines a 主管 in the book, then closes it as the program finds it at start.
    void defineOperator()
    {
        db.open();
        ASSERT_EQ(Operators::add(basDBOperate::cnnDB.get(), QStringLiteral("王主管"), Operators::Role::Manager,
                                 QStringLiteral("pass1234")),
                  QString());
        basDBOperate::RecordsetPtr rs;
        basDBOperate::funCloseDB(rs);
    }
    // Answers every login dialog that comes up with the given passwords, one a try.
    void answerLogins(QStringList passwords)
    {
        auto* timer = new QTimer(&window);
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, timer, [this, passwords]() mutable {
            auto* dialog = qobject_cast<LoginDialog*>(QApplication::activeModalWidget());
            if (!dialog || passwords.isEmpty())
                return;
            backupsAtLogin = static_cast<int>(Backups::list(db.dataFile()).size());
            dialog->findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("王主管"));
            dialog->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(passwords.takeFirst());
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        });
        timer->start();
    }

    TestDb db { TestDb::Rows::Sample, false };
    mdiKessory window;
    int backupsAtLogin = -1;
};

} // namespace

TEST_F(StartTest, TheRightPasswordLogsIn)
{
    defineOperator();
    answerLogins({ QStringLiteral("wrong"), QStringLiteral("pass1234") });
    const int exits = basSysFunction::exitCount();
    // The program's own start: the daily backup is made before anyone logs in.
    ASSERT_TRUE(window.funLoad(db.folder(), LogRegister::Later));
    EXPECT_EQ(backupsAtLogin, 1);
    EXPECT_EQ(basSysFunction::exitCount(), exits);
    ASSERT_TRUE(Operators::current());
    EXPECT_EQ(Operators::current()->name, QStringLiteral("王主管"));
    ASSERT_EQ(Msg::shown().size(), 1);
    EXPECT_EQ(Msg::shown()[0].text, QStringLiteral("操作员姓名或口令错误，请重新输入。"));
}

TEST_F(StartTest, ThreeWrongTriesEndTheProgram)
{
    defineOperator();
    answerLogins({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("pass1234") });
    const int exits = basSysFunction::exitCount();
    EXPECT_FALSE(window.funLoad(db.folder()));
    EXPECT_EQ(basSysFunction::exitCount(), exits + 1);
    EXPECT_FALSE(Operators::current());
    ASSERT_EQ(Msg::shown().size(), 3);
    EXPECT_EQ(Msg::shown()[2].text, QStringLiteral("已三次登录失败，程序将退出。"));
}

TEST_F(StartTest, WithoutOperatorsTheStartAsksNothingAndMakesTheDailyBackup)
{
    ASSERT_TRUE(window.funLoad(db.folder()));
    EXPECT_TRUE(Msg::shown().isEmpty());
    EXPECT_FALSE(Operators::current());
    EXPECT_EQ(Backups::list(db.dataFile()).size(), 1);
    // The log registered what the book held; it verifies whole.
    EXPECT_TRUE(ChangeLog::verify(*basDBOperate::cnnDB).isEmpty());
}

// The program's own start brings its window up first; the daily backup and the log's register of the book follow
// the first paint.
TEST_F(StartTest, TheProgramsStartBacksUpAndRegistersTheLogOnceItsWindowIsShown)
{
    ASSERT_TRUE(window.funLoad(db.folder(), LogRegister::Later));
    const QString rows = QStringLiteral("SELECT count(*) FROM 操作日志");
    EXPECT_EQ(db.scalar(rows), QStringLiteral("0"));
    EXPECT_TRUE(Backups::list(db.dataFile()).isEmpty());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(QTest::qWaitFor([&] { return db.scalar(rows).toInt() > 0; }));
    EXPECT_EQ(Backups::list(db.dataFile()).size(), 1);
    EXPECT_TRUE(ChangeLog::verify(*basDBOperate::cnnDB).isEmpty());
}

TEST_F(StartTest, ABackupThatCannotBeWrittenIsSaidOnceAndTheProgramStarts)
{
    QFile blocker(Backups::folderOf(db.dataFile()));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const int exits = basSysFunction::exitCount();
    ASSERT_TRUE(window.funLoad(db.folder()));
    EXPECT_EQ(basSysFunction::exitCount(), exits);
    ASSERT_EQ(Msg::shown().size(), 1);
    EXPECT_TRUE(Msg::shown()[0].text.startsWith(QStringLiteral("自动备份失败")));
    EXPECT_TRUE(basDBOperate::cnnDB);
}

TEST_F(StartTest, TheOperatorWindowAddsTheFirstManagerAndTheRestoreListShowsTheBackups)
{
    ASSERT_TRUE(window.funLoad(db.folder()));
    OperatorWindow operators;
    operators.findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("王主管"));
    operators.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("pass1234"));
    operators.findChild<QLineEdit*>(QStringLiteral("txtConfirm"))->setText(QStringLiteral("pass1234"));
    QTest::mouseClick(operators.findChild<QPushButton*>(QStringLiteral("cmdAdd")), Qt::LeftButton);
    auto* list = operators.findChild<QTableWidget*>(QStringLiteral("mfgOperators"));
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("主管"));

    // The log lists the addition; 导出 writes what it lists.
    ChangeLogWindow log;
    EXPECT_EQ(log.shownRows().last().action, QStringLiteral("新增"));
    EXPECT_EQ(log.shownRows().last().kind, QStringLiteral("操作员"));
    const QString csv = db.folder() + QStringLiteral("/log.csv");
    setSaveFileAsker([csv](const QString&) { return csv; });
    exportWindow(&log);
    setSaveFileAsker({});
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_GE(text.count(QLatin1Char('\n')), log.shownRows().size() + 1);
    EXPECT_TRUE(text.contains(log.shownRows().last().hash));

    RestoreDialog restore;
    ASSERT_EQ(restore.backups().size(), 1);
    EXPECT_EQ(restore.findChild<QTableWidget*>(QStringLiteral("mfgBackups"))->item(0, 1)->text(),
              db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")));
}
