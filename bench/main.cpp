#include "bench/Benchmark.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace kessory::bench {

std::vector<Benchmark>& registry()
{
    static std::vector<Benchmark> all;
    return all;
}

bool addBenchmark(Benchmark benchmark)
{
    registry().push_back(std::move(benchmark));
    return true;
}

} // namespace kessory::bench

// Runs every benchmark, or those whose names are given, and prints the median, fastest and slowest run.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    using namespace kessory::bench;
    int ran = 0;
    for (const Benchmark& b : registry()) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i)
            wanted = wanted || b.name == argv[i];
        if (!wanted)
            continue;
        std::vector<Duration> times = b.run();
        ++ran;
        if (times.empty()) {
            std::printf("%-28s FAILED (%s)\n", b.name.c_str(), b.what.c_str());
            continue;
        }
        std::sort(times.begin(), times.end());
        const std::size_t n = times.size();
        const double median = n % 2 ? times[n / 2].count() : (times[n / 2 - 1].count() + times[n / 2].count()) / 2;
        std::printf("%-28s median %8.3f ms  min %8.3f ms  max %8.3f ms  runs %zu  (%s)\n", b.name.c_str(), median,
                    times.front().count(), times.back().count(), n, b.what.c_str());
    }
    return ran > 0 ? 0 : 1;
}
