#include "shell/ui/SystemCommands.h"

#include "data/BookAccess.h"
#include "data/BookExtensions.h"
#include "data/BookRestore.h"
#include "data/ChangeLog.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/Operators.h"
#include "shell/basSysFunction.h"
#include "shell/ui/BookLocationDialog.h"
#include "shell/ui/ChangeLogWindow.h"
#include "shell/ui/LoginDialog.h"
#include "shell/ui/OperatorWindow.h"
#include "shell/ui/Permit.h"
#include "shell/ui/RestoreDialog.h"
#include "shell/ui/VerifyDialog.h"

#include <QDir>
#include <QMainWindow>
#include <QMenu>

namespace kessory {
namespace {

void addCommand(QMenu* menu, const char* name, const QString& text, QMainWindow* frame, void (*run)(QWidget*))
{
    QAction* action = menu->addAction(text, frame, [frame, run] { run(frame); });
    action->setObjectName(QLatin1String(name));
}

void openOperators(QWidget* frame)
{
    if (!Operators::permit(Operators::Action::ManageOperators))
        return;
    OperatorWindow window(frame);
    window.exec();
}

void openLog(QWidget* frame)
{
    ChangeLogWindow window(frame);
    window.exec();
}

void verifyBook(QWidget* frame)
{
    if (!basDBOperate::cnnDB)
        return;
    if (!hasTable(*basDBOperate::cnnDB, "操作日志")) {
        Msg::show(QStringLiteral("此账簿没有操作日志，无法校验。"), QStringLiteral("校验账簿"));
        return;
    }
    VerifyDialog dialog(ChangeLog::verify(*basDBOperate::cnnDB), frame);
    dialog.exec();
}

// While a kept year is looked at, the book of the current year is not open: there is nothing to back up or restore.
bool currentYearOpen()
{
    const QString refusal = BookAccess::writeRefusal(basDBOperate::cnnDB.get());
    if (refusal.isEmpty())
        return true;
    Msg::show(refusal, QStringLiteral("提示"));
    return false;
}

void backUp(QWidget*)
{
    if (!currentYearOpen())
        return;
    QString why;
    const QString path = BookRestore::backupNow(&why);
    if (path.isEmpty())
        Msg::show(QStringLiteral("备份失败：%1").arg(why), QStringLiteral("备份"));
    else
        Msg::show(QStringLiteral("账簿已备份到\n%1").arg(QDir::toNativeSeparators(path)), QStringLiteral("备份"));
}

void restoreBook(QWidget* frame)
{
    if (!currentYearOpen() || !Operators::permit(Operators::Action::RestoreBook))
        return;
    RestoreDialog dialog(frame);
    dialog.exec();
}

void chooseBookLocation(QWidget* frame)
{
    BookLocationDialog dialog(basDBOperate::strProgramFolder, frame);
    dialog.exec();
}

} // namespace

void registerChangeLog()
{
    if (basDBOperate::cnnDB)
        ChangeLog::registerBaseline(*basDBOperate::cnnDB);
}

namespace {

void backUpAtStart()
{
    if (const QString why = BookRestore::backupAtStart(); !why.isEmpty())
        Msg::show(QStringLiteral("自动备份失败：%1\n程序照常运行，请检查备份文件夹。").arg(why),
                  QStringLiteral("备份"));
}

} // namespace

// Whether the start left the daily backup for after the first paint.
bool backupLeftForLater = false;

void finishStart()
{
    if (backupLeftForLater) {
        backupLeftForLater = false;
        backUpAtStart();
    }
    registerChangeLog();
}

bool startSession(LogRegister logRegister)
{
    Operators::setCurrent(std::nullopt);
    const bool asksLogin = Operators::anyDefined(basDBOperate::cnnDB.get());
    // The backup always comes before any login; a book that asks for none may show its window first.
    backupLeftForLater = logRegister == LogRegister::Later && !asksLogin;
    if (!backupLeftForLater)
        backUpAtStart();
    if (asksLogin) {
        LoginDialog login;
        if (login.exec() != QDialog::Accepted) {
            basSysFunction::funExitSystem();
            return false;
        }
    }
    if (logRegister == LogRegister::Now)
        registerChangeLog();
    return true;
}

void addSystemCommands(QMenu* system, QMainWindow* frame)
{
    addCommand(system, "act_Operators", QStringLiteral("操作员管理(&O)"), frame, openOperators);
    addCommand(system, "act_ChangeLog", QStringLiteral("操作日志(&L)"), frame, openLog);
    addCommand(system, "act_Verify", QStringLiteral("校验账簿(&V)"), frame, verifyBook);
    system->addSeparator();
    addCommand(system, "act_Backup", QStringLiteral("备份(&B)"), frame, backUp);
    addCommand(system, "act_Restore", QStringLiteral("恢复(&R)"), frame, restoreBook);
    system->addSeparator();
    addCommand(system, "act_BookLocation", QStringLiteral("账簿位置(&P)..."), frame, chooseBookLocation);
}

} // namespace kessory
