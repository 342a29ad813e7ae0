#include "shell/ui/MessagePresenter.h"
#include "shell/ui/mdiKessory.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kessory::installMessagePresenter();
    mdiKessory window;
    if (!window.funLoad())
        return 0;
    window.show();
    return QApplication::exec();
}
