#include "output/ui/ExportCommand.h"
#include "shell/basSysFunction.h"
#include "shell/ui/MessagePresenter.h"
#include "shell/ui/mdiKessory.h"

#include <QApplication>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "export") == 0)
        return kessory::runExportCommand(argc, argv);
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
