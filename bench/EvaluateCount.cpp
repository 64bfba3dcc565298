// bench_evaluate_count <tralto|muparser> <text index> <iterations>
// Evaluates one benchmark text the given number of times, so that an
// instruction counter can subtract a run of 0 iterations from a run of N.
#include "bench/EvaluateTexts.h"

#include "expression/Parser.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char* argv[])
{
    using namespace tralto::bench;
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <tralto|muparser> <text index 0-%zu> <iterations>\n",
            argv[0], EvaluateTexts.size() - 1);
        return 2;
    }
    const std::string engine = argv[1];
    const long index = std::strtol(argv[2], nullptr, 10);
    const long iterations = std::strtol(argv[3], nullptr, 10);
    if ((engine != "tralto" && engine != "muparser") || index < 0
        || index >= static_cast<long>(EvaluateTexts.size()) || iterations < 0) {
        std::fprintf(stderr, "bad arguments\n");
        return 2;
    }
    const std::string& text = EvaluateTexts[static_cast<std::size_t>(index)];
    const SilencedTrace silenced;
    SetMathErrorHandler([](const std::string&, const std::string&) {});
    volatile long double sum = 0;
    for (long iteration = 0; iteration < iterations; ++iteration)
        sum = sum + (engine == "tralto" ? EvaluateWithTralto(text) : EvaluateWithMuParser(text));
    return 0;
}
