#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace kessory::bench {

using Duration = std::chrono::duration<double, std::milli>;

// One benchmark: its set-up runs outside the clock; it returns the time of each measured run.
struct Benchmark {
    std::string name;
    std::string what;
    std::function<std::vector<Duration>()> run;
};

std::vector<Benchmark>& registry();

// Registers a benchmark at start-up: static const bool registered = addBenchmark({...});
bool addBenchmark(Benchmark benchmark);

} // namespace kessory::bench
