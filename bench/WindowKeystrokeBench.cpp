// One keystroke in the x field of the three-dimensional window, with its
// real widgets on the offscreen platform: the text changes, the window
// evaluates it, converts, and rewrites the eight other fields.

#include "bench/EvaluateTexts.h"
#include "settings/Globalobjects.h"
#include "windows/Coordform.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_WindowKeystroke(benchmark::State& state)
{
    QTemporaryDir folder;
    globalObjects globals(folder.filePath(QStringLiteral("Tralmain")));
    int dimension = 3;
    TFormCoord window(nullptr, dimension, qApp, globals);
    window.show();
    auto* x = window.findChild<QLineEdit*>(QStringLiteral("Koord_Karx_Edit"));
    // Alternate two texts so that every round is a real change of the field.
    const QString texts[2] = { QStringLiteral("1.25*3"), QStringLiteral("2.5*3") };
    const tralto::bench::SilencedTrace silence;
    int round = 0;
    for (auto _ : state)
        x->setText(texts[++round & 1]);
    benchmark::DoNotOptimize(
        window.findChild<QLineEdit*>(QStringLiteral("Koord_Kugx_Edit"))->text());
}
BENCHMARK(BM_WindowKeystroke)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
