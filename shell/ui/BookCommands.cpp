#include "shell/ui/BookCommands.h"

#include "accounts/ui/frmQCYE.h"
#include "data/BookSettings.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/YearEnd.h"
#include "shell/ui/MainMenu.h"
#include "shell/ui/WindowHost.h"
#include "shell/ui/WriteRefusal.h"
#include "shell/ui/dlgBookSettings.h"
#include "shell/ui/mdiKessory.h"
#include "vouchers/ui/frmJZ.h"

#include <QInputDialog>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <functional>

namespace kessory {

namespace {

const QString kTitle = QStringLiteral("提示");

// The frame's title, and a line under its area, name a kept year while one is looked at.
void showBookInTitle(QMainWindow* frame)
{
    if (!frame)
        return;
    const int year = YearEnd::viewedYear();
    const QString viewing = QStringLiteral("%1年账簿（只读）").arg(year);
    frame->setWindowTitle(year == 0 ? mdiKessory::bookTitle() : Msg::programTitle() + QStringLiteral(" - ") + viewing);
    if (year == 0 && !frame->findChild<QStatusBar*>())
        return;
    QStatusBar* line = frame->statusBar();
    line->setObjectName(QStringLiteral("staBook"));
    line->setStyleSheet(QStringLiteral("color: rgb(192,0,0);"));
    line->showMessage(year == 0
                          ? QString()
                          : QStringLiteral("正在查看") + viewing + QStringLiteral("，返回本年请用“系统→返回本年”。"));
    line->setVisible(year != 0);
}

template <typename Dialog> void runDialog(QMainWindow* frame)
{
    Dialog dialog(frame);
    dialog.exec();
}

void choosePastYear(QMainWindow* frame)
{
    const QList<int> years = YearEnd::keptYears();
    if (years.isEmpty()) {
        Msg::show(QStringLiteral("没有往年账簿。往年账簿在年结时保存于 DATA 文件夹。"), kTitle);
        return;
    }
    QStringList items;
    for (int y : years)
        items << QStringLiteral("%1年").arg(y);
    QInputDialog pick(frame);
    pick.setObjectName(QStringLiteral("dlgPastYear"));
    pick.setWindowTitle(QStringLiteral("打开往年账簿"));
    pick.setLabelText(QStringLiteral("选择要查看的年度（只读）："));
    pick.setComboBoxItems(items);
    pick.setOkButtonText(QStringLiteral("打开"));
    pick.setCancelButtonText(QStringLiteral("取消"));
    if (pick.exec() == QDialog::Accepted && items.contains(pick.textValue()))
        showPastYear(frame, years[items.indexOf(pick.textValue())]);
}

QAction* add(QMenu* menu, const char* name, const QString& text, const std::function<void()>& run,
             QAction* before = nullptr)
{
    auto* action = new QAction(text, menu);
    action->setObjectName(QLatin1String(name));
    QObject::connect(action, &QAction::triggered, menu, run);
    menu->insertAction(before, action);
    return action;
}

} // namespace

void addBookCommands(QMainWindow* frame)
{
    QMenu* system = mainMenu(frame, MenuKind::System);
    // Before the separator that stands above 退出.
    QAction* exitAction = system->findChild<QAction*>(QStringLiteral("act_Exit"));
    QAction* before = nullptr;
    const QList<QAction*> actions = system->actions();
    const qsizetype exitAt = actions.indexOf(exitAction);
    if (exitAt > 0 && actions[exitAt - 1]->isSeparator())
        before = actions[exitAt - 1];
    else
        before = exitAction;
    system->insertSeparator(before); // a leading one is hidden by the menu
    add(
        system, "act_BookSettings", QStringLiteral("账套设置..."), [frame] { runDialog<dlgBookSettings>(frame); },
        before);
    system->insertSeparator(before);
    add(
        system, "act_YearEnd", QStringLiteral("年结..."), [frame] { runYearEnd(frame); }, before);
    add(
        system, "act_OpenPastYear", QStringLiteral("打开往年账簿..."), [frame] { choosePastYear(frame); }, before);
    add(
        system, "act_ReturnCurrentYear", QStringLiteral("返回本年"), [frame] { showCurrentYear(frame); }, before);

    QMenu* vouchers = mainMenu(frame, MenuKind::Voucher);
    vouchers->addSeparator();
    add(vouchers, "act_ProfitTransfer", QStringLiteral("结转损益"), [] { draftProfitTransfer(); });
    add(vouchers, "act_MonthClose", QStringLiteral("结账 / 反结账..."), [frame] { runDialog<frmJZ>(frame); });

    QMenu* books = mainMenu(frame, MenuKind::Books);
    books->addSeparator();
    add(books, "act_Openings", QStringLiteral("期初余额..."), [frame] { runDialog<frmQCYE>(frame); });
}

bool runYearEnd(QMainWindow* frame)
{
    if (refuseWhenReadOnly())
        return false;
    Connection* connection = basDBOperate::cnnDB.get();
    const QString blocked = YearEnd::blocker(connection);
    if (!blocked.isEmpty()) {
        Msg::show(blocked, kTitle);
        return false;
    }
    const int year = BookSettings::bookYear(connection);
    if (!Msg::ask(
            QStringLiteral("年结将把%1年账簿保存为 DATA/%1.DAT，并建立%2年账簿（科目、设置、报表格式和期初余额）。\n"
                           "是否继续？")
                .arg(year)
                .arg(year + 1),
            QStringLiteral("年结"))) {
        return false;
    }
    WindowHost::instance().closeAll();
    const YearEnd::Result result = YearEnd::run();
    showBookInTitle(frame);
    Msg::show(result.message, kTitle);
    return result.ok;
}

bool showPastYear(QMainWindow* frame, int year)
{
    WindowHost::instance().closeAll();
    const YearEnd::Result result = YearEnd::openPastYear(year);
    showBookInTitle(frame);
    Msg::show(result.ok ? result.message + QStringLiteral("\n查看完毕请用“系统→返回本年”回到本年账簿。")
                        : result.message,
              kTitle);
    return result.ok;
}

bool showCurrentYear(QMainWindow* frame)
{
    if (YearEnd::viewedYear() == 0) {
        Msg::show(QStringLiteral("当前打开的已是本年账簿。"), kTitle);
        return true;
    }
    WindowHost::instance().closeAll();
    const YearEnd::Result result = YearEnd::returnToCurrentYear();
    showBookInTitle(frame);
    if (!result.ok)
        Msg::show(result.message, kTitle);
    return result.ok;
}

} // namespace kessory
