// The scanner and the whole headless run on an 8000 x 2000 pair, against one plain
// sequential pass over both images' pixels measured in the same run.

#include "ratio_reporter.h"
#include "run/calc_it.h"
#include "silent_host.h"
#include "synthetic_pair.h"

#include <benchmark/benchmark.h>

using namespace bladetrace;
using bladetrace::bench::SilentHost;
using bladetrace::bench::SyntheticPair;

namespace {

constexpr int kWidth = 8000;
constexpr int kHeight = 2000;

const SyntheticPair& pair() {
    static const SyntheticPair p = bladetrace::bench::makePair(kWidth, kHeight);
    return p;
}

// One plain pass over both images' pixels, in memory order, adding up `value` of each.
template <typename Value> void sequentialPass(benchmark::State& state, Value value) {
    for (auto _ : state) {
        quint64 sum = 0;
        for (const QImage* image : {&pair().top, &pair().side}) {
            const int width = image->width();
            for (int y = 0; y < image->height(); ++y) {
                const auto* line = reinterpret_cast<const quint32*>(image->constScanLine(y));
                for (int x = 0; x < width; ++x)
                    sum += value(line[x]);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}

// Every pixel's three channels: the work of a grey test on each pixel.
void SequentialPass(benchmark::State& state) {
    sequentialPass(
        state, [](quint32 p) { return (p & 0xFFu) + ((p >> 8) & 0xFFu) + ((p >> 16) & 0xFFu); });
}

// The least a pass can do: every pixel's 32-bit word.
void SequentialWords(benchmark::State& state) {
    sequentialPass(state, [](quint32 p) { return p; });
}

void Scanner(benchmark::State& state) {
    SilentHost host(QStringLiteral("top"), QStringLiteral("side"), true);
    std::vector<float> le, te;
    for (auto _ : state) {
        state.PauseTiming();
        QImage top = pair().top.copy();
        QImage side = pair().side.copy();
        state.ResumeTiming();
        DoIt(top, le, te, 110, 0.185f, host);
        DoIt(side, le, te, 110, 0.185f, host);
        benchmark::DoNotOptimize(le.data());
    }
}

void WholeRun(benchmark::State& state) {
    SilentHost host(QStringLiteral("top"), QStringLiteral("side"), true);
    for (auto _ : state) {
        state.PauseTiming();
        QImage top = pair().top.copy();
        QImage side = pair().side.copy();
        // The pictures are handed over as if just decoded; decoding is not measured.
        const PictureLoader loader = [&](const QString& name) {
            return ScanHolder(std::move(name == QLatin1String("top") ? top : side));
        };
        state.ResumeTiming();
        if (CalcIt(host, loader) != RunOutcome::Completed)
            state.SkipWithError("run did not complete");
    }
    state.counters["stations"] = host.rows / double(state.iterations());
}

BENCHMARK(SequentialPass)->Unit(benchmark::kMillisecond);
BENCHMARK(SequentialWords)->Unit(benchmark::kMillisecond);
BENCHMARK(Scanner)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeRun)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bladetrace::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("SequentialPass");
    reporter.printRatios("SequentialWords");
    benchmark::Shutdown();
    return 0;
}
