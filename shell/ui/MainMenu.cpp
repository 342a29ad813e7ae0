#include "shell/ui/MainMenu.h"

#include "data/basDBOperate.h"
#include "output/ui/OutputActions.h"
#include "shell/Msg.h"
#include "shell/ui/BookCommands.h"
#include "shell/ui/SystemCommands.h"
#include "shell/ui/WindowHost.h"

#include <QDir>
#include <QMainWindow>
#include <QMenuBar>

namespace kessory {
namespace {

const char* const kMenuNames[] = { "menuSystem", "menuVoucher", "menuBooks", "menuReports", "menuHelp" };
const char* const kMenuTitles[] = { "系统(&S)", "凭证(&V)", "账簿(&B)", "报表(&R)", "帮助(&H)" };

void addWindow(QMenu* menu, WindowKind kind, const QString& text)
{
    QAction* action = menu->addAction(text, [kind] { WindowHost::instance().open(kind); });
    action->setObjectName(QStringLiteral("act_") + windowObjectName(kind));
}

} // namespace

QMenu* mainMenu(QMainWindow* frame, MenuKind kind)
{
    return frame->menuBar()->findChild<QMenu*>(QLatin1String(kMenuNames[static_cast<int>(kind)]));
}

QString aboutText()
{
    const QString book = basDBOperate::strDBPath.isEmpty() ? QStringLiteral("（未打开）")
                                                           : QDir::toNativeSeparators(basDBOperate::strDBPath);
    return QStringLiteral("%1 %2\n小企业记账凭证、账簿与会计报表\n\n当前账簿：%3")
        .arg(Msg::programTitle(), QStringLiteral(KESSORY_VERSION), book);
}

void buildMainMenu(QMainWindow* frame)
{
    QMenuBar* bar = frame->menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    for (int i = 0; i < 5; ++i) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(kMenuTitles[i]));
        menu->setObjectName(QLatin1String(kMenuNames[i]));
    }

    addWindow(mainMenu(frame, MenuKind::Voucher), WindowKind::PZ, QStringLiteral("凭证管理"));

    QMenu* books = mainMenu(frame, MenuKind::Books);
    addWindow(books, WindowKind::MXZ, QStringLiteral("明细账"));
    addWindow(books, WindowKind::ZZ, QStringLiteral("总账"));
    addWindow(books, WindowKind::KMHZB, QStringLiteral("科目汇总表"));
    books->addSeparator();
    addWindow(books, WindowKind::KM, QStringLiteral("科目管理"));

    QMenu* reports = mainMenu(frame, MenuKind::Reports);
    addWindow(reports, WindowKind::ZCFZB, QStringLiteral("资产负债表"));
    addWindow(reports, WindowKind::SYB, QStringLiteral("损益表"));
    addWindow(reports, WindowKind::XJLLB, QStringLiteral("现金流量表"));

    QMenu* system = mainMenu(frame, MenuKind::System);
    addSystemCommands(system, frame);
    system->addSeparator();
    addOutputMenu(frame);
    QAction* quit = system->addAction(QStringLiteral("退出(&X)"), frame, &QMainWindow::close);
    quit->setObjectName(QStringLiteral("act_Exit"));

    QAction* about = mainMenu(frame, MenuKind::Help)->addAction(QStringLiteral("关于(&A)"), [] {
        Msg::show(aboutText(), QStringLiteral("关于"));
    });
    about->setObjectName(QStringLiteral("act_About"));

    addBookCommands(frame);
}

} // namespace kessory
