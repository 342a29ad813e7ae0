#include "bench/Benchmark.h"
#include "bench/LargeBooks.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <time.h>

namespace kessory::bench {

std::vector<Benchmark>& registry()
{
    static std::vector<Benchmark> all;
    return all;
}

std::map<std::string, std::string>& fileOnlyRows()
{
    static std::map<std::string, std::string> rows;
    return rows;
}

bool addBenchmark(Benchmark benchmark, const std::string& fileOnly)
{
    if (!fileOnly.empty())
        fileOnlyRows()[benchmark.name] = fileOnly;
    registry().push_back(std::move(benchmark));
    return true;
}

Duration timed(const std::function<bool()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    const bool ok = run();
    const Duration took = std::chrono::steady_clock::now() - start;
    return ok ? took : Duration(-1);
}

Duration cpuTimed(const std::function<bool()>& run)
{
    auto now = [] {
        timespec t {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    };
    const double start = now();
    const bool ok = run();
    const double took = now() - start;
    return ok ? Duration(took) : Duration(-1);
}

Duration loadTimed(const std::function<bool()>& run)
{
    return onServerBooks() ? timed(run) : cpuTimed(run);
}

} // namespace kessory::bench

namespace {

using namespace kessory::bench;

double median(std::vector<Duration> times)
{
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    return n % 2 ? times[n / 2].count() : (times[n / 2 - 1].count() + times[n / 2].count()) / 2;
}

struct Line {
    std::string what;
    double product = 0;
    double floor = 0;
    int runs = 0;
    QString failure;
    std::string skipped;
};

// Runs the wanted rows on the books the program's connection is on now; one line each.
std::vector<Line> runRows(const std::vector<Benchmark>& rows, int argc, char** argv, bool server)
{
    std::vector<Line> table;
    for (const Benchmark& b : rows) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i)
            wanted = wanted || b.name == argv[i];
        if (!wanted)
            continue;
        Line line { b.what, 0, 0, b.runs, {}, {} };
        if (server && fileOnlyRows().count(b.name) > 0) {
            line.skipped = fileOnlyRows()[b.name];
            table.push_back(line);
            continue;
        }
        if (b.prepare && !b.prepare()) {
            line.failure = QStringLiteral("could not be prepared");
            table.push_back(line);
            continue;
        }
        // One run of each outside the clock warms the page cache and the statement cache.
        bool ok = b.product().count() >= 0 && b.floor().count() >= 0;
        std::vector<Duration> products;
        std::vector<Duration> floors;
        for (int run = 0; ok && run < b.runs; ++run) {
            products.push_back(b.product());
            floors.push_back(b.floor());
            ok = products.back().count() >= 0 && floors.back().count() >= 0;
        }
        if (!ok) {
            line.failure = QStringLiteral("a run failed");
        } else {
            line.failure = b.differs ? b.differs() : QString();
            line.product = median(products);
            line.floor = median(floors);
        }
        std::fprintf(stderr, "  %s%s: done\n", b.name.c_str(), server ? " (server)" : "");
        table.push_back(line);
    }
    return table;
}

// Prints the table; the number of rows that failed.
int print(const std::vector<Line>& table, const char* engine)
{
    int failures = 0;
    std::printf("\n%s. Medians in ms: the book loads in processor time of the thread on a book file and in "
                "wall-clock time on a server, the save and the startup in wall-clock time.\n%-58s %12s %12s %7s %5s\n",
                engine, "", "product", "floor", "ratio", "runs");
    for (const Line& l : table) {
        if (!l.skipped.empty()) {
            std::printf("%-58s not on a server: %s\n", l.what.c_str(), l.skipped.c_str());
            continue;
        }
        if (!l.failure.isEmpty()) {
            ++failures;
            std::printf("%-58s FAILED: %s\n", l.what.c_str(), l.failure.toLocal8Bit().constData());
            continue;
        }
        std::printf("%-58s %12.2f %12.2f %7.2f %5d\n", l.what.c_str(), l.product, l.floor,
                    l.floor > 0 ? l.product / l.floor : 0.0, l.runs);
    }
    std::fflush(stdout);
    return failures;
}

} // namespace

// Runs every row, or those whose names are given, and prints one table of medians: the product's code, its floor
// and their ratio; with KESSORY_BENCH_POSTGRES set, a second table of the same rows on a copy of the books on that
// server. Product and floor runs alternate so that other work on the machine weighs on both alike. Exits with 1 when
// a row fails or its figures differ from its floor's.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<Benchmark> rows = registry();
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Benchmark& a, const Benchmark& b) { return a.order < b.order; });

    const std::vector<Line> fileTable = runRows(rows, argc, argv, false);
    int failures = print(fileTable, "SQLite (book file)");
    std::size_t lines = fileTable.size();
    if (!benchServerUrl().isEmpty()) {
        if (!moveLargeBooksToServer()) {
            ++failures;
        } else {
            const std::vector<Line> serverTable = runRows(rows, argc, argv, true);
            lines += serverTable.size();
            failures += print(serverTable, "PostgreSQL (server book)");
        }
        dropServerBooks();
    }
    if (failures > 0)
        std::fprintf(stderr, "%d row(s) FAILED: the product's figures must equal the floor's.\n", failures);
    return failures > 0 || lines == 0 ? 1 : 0;
}
