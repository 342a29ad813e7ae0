// Starts the program as app/main.cpp does, on the program folder given, and prints the monotonic clock (in
// nanoseconds) once the main window is exposed and painted; then quits. With "--bare" it shows a main window that
// holds nothing but one line of Chinese instead: the floor of any Qt program's start that shows Chinese (the font
// look-up for CJK text is most of a start, and no Chinese window can skip it).
#include "shell/ui/MessagePresenter.h"
#include "shell/ui/mdiKessory.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <memory>
#include <time.h>

namespace {

class ExposeProbe final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed() && !m_seen) {
            m_seen = true;
            // Stamped after this expose event, and the paint it brings, has been handled.
            QMetaObject::invokeMethod(
                this,
                [] {
                    timespec t {};
                    clock_gettime(CLOCK_MONOTONIC, &t);
                    std::printf("%lld\n", static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const bool bare = argc > 1 && std::strcmp(argv[1], "--bare") == 0;
    std::unique_ptr<QMainWindow> window;
    if (bare) {
        window = std::make_unique<QMainWindow>();
        window->setCentralWidget(new QLabel(QStringLiteral("凭证管理"), window.get()));
    } else {
        kessory::installMessagePresenter();
        auto main = std::make_unique<mdiKessory>();
        if (argc < 2 || !main->funLoad(QString::fromLocal8Bit(argv[1]), kessory::LogRegister::Later))
            return 2;
        window = std::move(main);
    }
    window->winId(); // makes the native window so that its first expose can be watched
    ExposeProbe probe;
    window->windowHandle()->installEventFilter(&probe);
    window->show();
    return QApplication::exec();
}
