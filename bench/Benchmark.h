#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kessory::bench {

using Duration = std::chrono::duration<double, std::milli>;

// One row of the benchmark table: the product's own code beside the floor, the shortest SQL (or program) that gives
// the same figures on the same connection. Each run returns its duration, negative when the run failed.
struct Benchmark {
    int order = 0; // place in the table
    std::string name; // for picking rows on the command line
    std::string what; // the row's label
    int runs = 9;
    std::function<bool()> prepare; // outside the clock; false when the case cannot run
    std::function<Duration()> product;
    std::function<Duration()> floor;
    // After the runs: empty when the product's figures and the floor's agree, otherwise what differs.
    std::function<QString()> differs;
};

std::vector<Benchmark>& registry();

// Registers a row at start-up: const bool registered = addBenchmark({...}); fileOnly says why the row cannot run on a
// server book (empty when it runs on both engines).
bool addBenchmark(Benchmark benchmark, const std::string& fileOnly = {});
// The rows that run on a book file only, by name, with the reason.
std::map<std::string, std::string>& fileOnlyRows();

// The wall-clock time of one call; negative when it returned false.
Duration timed(const std::function<bool()>& run);
// The processor time of this thread during one call (other work on a shared machine does not count); negative when
// it returned false. For work that never waits: the loads of the books.
Duration cpuTimed(const std::function<bool()>& run);
// A load of the books: processor time on a book file, wall-clock time on a server (where the work is the server's
// and the round trips).
Duration loadTimed(const std::function<bool()>& run);

} // namespace kessory::bench
