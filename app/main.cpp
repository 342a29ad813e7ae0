#include "output/ui/ExportCommand.h"
#include "shell/DbCommand.h"
#include "shell/basSysFunction.h"
#include "shell/ui/MessagePresenter.h"
#include "shell/ui/mdiKessory.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "export") == 0)
        return kessory::runExportCommand(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "db") == 0) {
        QCoreApplication core(argc, argv);
        QString message;
        const int code = kessory::runDbCommand(QCoreApplication::arguments().mid(2), &message);
        std::fputs((message + QLatin1Char('\n')).toUtf8().constData(), code == 0 ? stdout : stderr);
        return code;
    }
    QApplication app(argc, argv);
    kessory::installMessagePresenter();
    // The end of the program leaves the event loop at once; the windows are then torn down without any closing
    // logic of their own, and every write has already happened when its command ran.
    basSysFunction::setExitHandler([] { QCoreApplication::exit(0); });
    mdiKessory window;
    if (!window.funLoad())
        return 0;
    window.show();
    return QApplication::exec();
}
