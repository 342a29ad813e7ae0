// Runs a fuzz target without libFuzzer (compilers without it): a fixed number of seeded random inputs, mixed from a
// few tokens that matter to the targets and random bytes. "-runs=N" sets the number.
#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    long runs = 5000;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-runs=", 6) == 0)
            runs = std::atol(argv[i] + 6);
    }
    static const char* const tokens[] = { "'",  "''", "#", "#2026-01-01#", "True",  "False", "%", "_", "\\", "\n",
                                          "记", "账", "😀", "Select ",      " And ", "0",     "9", ".", "\b", "\x7f" };
    std::mt19937 rng(20261207);
    for (long r = 0; r < runs; ++r) {
        QByteArray input;
        const int parts = static_cast<int>(rng() % 24);
        for (int p = 0; p < parts; ++p) {
            if (rng() % 2)
                input += tokens[rng() % (sizeof tokens / sizeof *tokens)];
            else
                for (int b = static_cast<int>(rng() % 12); b > 0; --b)
                    input += static_cast<char>(rng() & 0xff);
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.constData()), static_cast<size_t>(input.size()));
    }
    std::printf("%ld inputs run\n", runs);
    return 0;
}
