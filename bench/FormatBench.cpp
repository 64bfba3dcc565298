// FormatValue in each layout at precisions 5 and 18, beside the C library's
// conversions of the same values.
//
//   bench_format                      Google Benchmark timings
//   bench_format --count N KIND PREC [I]  N rounds of FormatValue over the
//                                     values (or over value I alone) in one
//                                     layout, for counting instructions
//   bench_format --count-printf N     N rounds of snprintf("%.17Le")
//
// Instructions per call: run a count mode under valgrind --tool=callgrind
// with N and with 0 rounds, and divide the difference of the two totals by
// the number of calls (N × 6, or N for one value).

#include "format/Formater.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const long double kValues[]
    = { 3.141592653589793, 1e-5, 31415926.535897933, 123456, -0.0000001, 1e300 };
constexpr int kValueCount = sizeof kValues / sizeof kValues[0];

void UseFormat(int kind, int precision)
{
    SetFormatKind(kind);
    SetPrecision(precision);
    SetDigits(2);
}

void BM_FormatValue(benchmark::State& state)
{
    UseFormat(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        for (long double value : kValues) {
            std::string text = FormatValue(value);
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * kValueCount);
}
BENCHMARK(BM_FormatValue)
    ->ArgNames({ "kind", "precision" })
    ->ArgsProduct({ { ffGeneral, ffExponent, ffFixed, ffNumber }, { 5, 18 } });

void Printf(benchmark::State& state, const char* format)
{
    char text[64];
    for (auto _ : state) {
        for (long double value : kValues) {
            std::snprintf(text, sizeof text, format, value);
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * kValueCount);
}
BENCHMARK_CAPTURE(Printf, general_5, "%.5Lg");
BENCHMARK_CAPTURE(Printf, exponent_17, "%.17Le");

int CountFormatValue(long rounds, int kind, int precision, int only)
{
    UseFormat(kind, precision);
    const long double* first = only < 0 ? kValues : kValues + only;
    const long double* last = only < 0 ? kValues + kValueCount : first + 1;
    size_t length = 0;
    for (long i = 0; i < rounds; ++i)
        for (const long double* value = first; value != last; ++value)
            length += FormatValue(*value).size();
    std::printf("%zu bytes formatted\n", length);
    return 0;
}

int CountPrintf(long rounds)
{
    char text[64];
    size_t length = 0;
    for (long i = 0; i < rounds; ++i)
        for (long double value : kValues)
            length += size_t(std::snprintf(text, sizeof text, "%.17Le", value));
    std::printf("%zu bytes formatted\n", length);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if ((argc == 5 || argc == 6) && std::strcmp(argv[1], "--count") == 0) {
        const int only = argc == 6 ? std::atoi(argv[5]) : -1;
        if (only >= kValueCount)
            return 1;
        return CountFormatValue(std::atol(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), only);
    }
    if (argc == 3 && std::strcmp(argv[1], "--count-printf") == 0)
        return CountPrintf(std::atol(argv[2]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
