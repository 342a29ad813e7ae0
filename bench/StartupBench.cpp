// The start of the program to its main window shown, on the large books, beside the start of an empty Qt main
// window (the floor). Each run starts a fresh process of the probe; the probe stamps the monotonic clock when the
// window is exposed.
#include "bench/Benchmark.h"
#include "bench/LargeBooks.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <time.h>

namespace kessory::bench {
namespace {

qint64 monotonicNs()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<qint64>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

Duration startProbe(const QString& argument)
{
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Without a chosen platform the window is shown off screen: the same on every machine, display or none.
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    probe.setProcessEnvironment(env);
    const qint64 start = monotonicNs();
    probe.start(QStringLiteral(KESSORY_STARTUP_PROBE), { argument });
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0) {
        probe.kill();
        probe.waitForFinished();
        return Duration(-1);
    }
    bool ok = false;
    const qint64 shown = probe.readAllStandardOutput().trimmed().toLongLong(&ok);
    if (!ok || shown < start)
        return Duration(-1);
    return Duration(static_cast<double>(shown - start) / 1e6);
}

const bool registered = addBenchmark({ 60, "startup", "startup to the main window shown (floor: one Chinese line)", 9,
                                       openLargeBooks, [] { return startProbe(largeBooksFolder()); },
                                       [] { return startProbe(QStringLiteral("--bare")); }, [] { return QString(); } });

} // namespace
} // namespace kessory::bench
