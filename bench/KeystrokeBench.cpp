// The whole per-keystroke work of the three-dimensional window without the
// widgets: read the field's text (the locale's numbers, then the evaluator),
// store it as the spherical r, convert, and format the eight other values.
//
//   bench_keystroke               Google Benchmark timings
//   bench_keystroke --count N     N keystrokes, for counting instructions:
//                                 run under valgrind --tool=callgrind with N
//                                 and with 0, and divide the difference by N
//                                 (bench/callgrind_keystroke.sh does this)

#include "bench/EvaluateTexts.h"
#include "coordinates/CoordSet3D.h"
#include "expression/Parser.h"
#include "format/Formater.h"
#include "format/NumberReading.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const std::string kText = "2*sqrt(2)+1/3";
const NumberSeparators kSeparators;
constexpr int kSphericalR = 3;

size_t Keystroke(CoordSet3D& coordinates)
{
    coordinates.Set(kSphericalR, ReadNumberText(kText, kSeparators));
    coordinates.Convert(kSphericalR);
    size_t length = 0;
    for (int index = 0; index < 9; ++index) {
        if (index != kSphericalR)
            length += FormatValue(coordinates.Get(index)).size();
    }
    return length;
}

void PrepareSet(CoordSet3D& coordinates)
{
    coordinates.Set(4, 0.75L); // theta
    coordinates.Set(5, 2.5L); // phi
}

void BM_Keystroke(benchmark::State& state)
{
    const tralto::bench::SilencedTrace silence;
    SetPrecision(int(state.range(0)));
    CoordSet3D coordinates;
    PrepareSet(coordinates);
    for (auto _ : state)
        benchmark::DoNotOptimize(Keystroke(coordinates));
}
BENCHMARK(BM_Keystroke)->ArgName("precision")->Arg(5)->Arg(18);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--count") == 0) {
        const tralto::bench::SilencedTrace silence;
        const long rounds = std::atol(argv[2]);
        CoordSet3D coordinates;
        PrepareSet(coordinates);
        size_t length = 0;
        for (long i = 0; i < rounds; ++i)
            length += Keystroke(coordinates);
        std::printf("%zu bytes formatted\n", length);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
