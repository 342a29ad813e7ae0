// Opens the voucher window on the program folder given (off screen) and times moves from voucher to voucher with
// 下一条; prints the median of the moves in milliseconds. Exits with 1 when a move did not show the next voucher.
#include "data/basDBOperate.h"
#include "shell/ui/WindowHost.h"
#include "vouchers/ui/frmPZ.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2 || !basDBOperate::locateDBFile(QString::fromLocal8Bit(argv[1])))
        return 1;
    basDBOperate::RecordsetPtr rs;
    if (!basDBOperate::funOpenDB(rs))
        return 1;
    auto* window = qobject_cast<frmPZ*>(kessory::WindowHost::instance().open(kessory::WindowKind::PZ));
    if (!window)
        return 1;
    QApplication::processEvents();
    auto* next = window->findChild<QPushButton*>(QStringLiteral("cmd_Next"));
    auto* id = window->findChild<QLabel*>(QStringLiteral("lbl_ID"));
    std::vector<double> times;
    for (int i = 0; i < 9; ++i) {
        const QString before = id->text();
        const auto start = std::chrono::steady_clock::now();
        next->click();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (id->text() == before)
            return 1;
        times.push_back(took.count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%.3f\n", times[times.size() / 2]);
    std::fflush(stdout);
    return 0;
}
