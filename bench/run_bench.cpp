// The scanner, the report's copies of the views, the whole headless run and the batch tool's
// process on an 8000 x 2000 pair, against one plain sequential pass over both images' pixels
// measured in the same run; the run also with matched spans, on this pair (cropping only)
// and on one whose side view is 5 % narrower (the side view scaled up).

#include "export/report_picture.h"
#include "quiet_run.h"
#include "ratio_reporter.h"
#include "run/calc_it.h"
#include "run/pair_loader.h"
#include "synthetic_pair.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

using namespace bladetrace;
using bladetrace::bench::SyntheticPair;
using bladetrace::tools::QuietRun;

namespace {

constexpr int kWidth = 8000;
constexpr int kHeight = 2000;

const SyntheticPair& pair() {
    static const SyntheticPair p = bladetrace::bench::makePair(kWidth, kHeight);
    return p;
}

const SyntheticPair& narrowSidePair() {
    static const SyntheticPair p = {
        pair().top, bladetrace::bench::paintView(kWidth * 95 / 100, kHeight * 95 / 100, 0.8, true)};
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
    QuietRun run(QStringLiteral("top"), QStringLiteral("side"), true);
    std::vector<float> le, te;
    for (auto _ : state) {
        state.PauseTiming();
        QImage top = pair().top.copy();
        QImage side = pair().side.copy();
        state.ResumeTiming();
        DoIt(top, le, te, 110, 0.185f, run);
        DoIt(side, le, te, 110, 0.185f, run);
        benchmark::DoNotOptimize(le.data());
    }
}

// The small copies of both views that a run keeps when a report may be saved.
void ReportPictures(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(reportPicture(PixelRows::of(pair().top)).constBits());
        benchmark::DoNotOptimize(reportPicture(PixelRows::of(pair().side)).constBits());
    }
}

void runWhole(benchmark::State& state, const SyntheticPair& images, bool matchSpans) {
    QuietRun run(QStringLiteral("top"), QStringLiteral("side"), true);
    run.inputs.spanMatching = matchSpans;
    for (auto _ : state) {
        state.PauseTiming();
        QImage top = images.top.copy();
        QImage side = images.side.copy();
        // The pictures are handed over as if just decoded; decoding is not measured.
        const PictureLoader loader = [&](const QString& name) {
            return ScanHolder(std::move(name == QLatin1String("top") ? top : side));
        };
        state.ResumeTiming();
        if (CalcIt(run.host(), loader) != RunOutcome::Completed)
            state.SkipWithError("run did not complete");
    }
    state.counters["stations"] = run.rows / double(state.iterations());
}

void WholeRun(benchmark::State& state) {
    runWhole(state, pair(), false);
}

void WholeRunMatchingSpans(benchmark::State& state) {
    runWhole(state, pair(), true);
}

void WholeRunScalingTheSideView(benchmark::State& state) {
    runWhole(state, narrowSidePair(), true);
}

const bladetrace::bench::SavedPair& files() {
    static const bladetrace::bench::SavedPair saved(pair());
    return saved;
}

// The run from the files as the window loads them: one after the other, decoded.
void DecodedRun(benchmark::State& state) {
    QuietRun run(files().top, files().side, true);
    for (auto _ : state) {
        if (CalcIt(run.host()) != RunOutcome::Completed)
            state.SkipWithError("run did not complete");
    }
}

// The run from the files as the batch tool loads them: both at once, read where they lie.
void BatchRun(benchmark::State& state) {
    QuietRun run(files().top, files().side, true);
    for (auto _ : state) {
        if (CalcIt(run.host(), loadPairAtOnce(files().top, files().side)) != RunOutcome::Completed)
            state.SkipWithError("run did not complete");
    }
}

#ifdef BLADETRACE_BATCH_PATH
// What a user waits for: the batch tool's whole process, start-up to exit.
void BatchProcess(benchmark::State& state) {
    const QByteArray top = files().top.toLocal8Bit(), side = files().side.toLocal8Bit();
    const char* argv[] = {BLADETRACE_BATCH_PATH,
                          top.constData(),
                          side.constData(),
                          "--diameter",
                          "0.185",
                          "--rpm",
                          "15000",
                          "--speed",
                          "50",
                          "--thickness",
                          "20,10",
                          nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, argv[0], &quiet, nullptr, const_cast<char**>(argv), environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("the batch tool failed");
    }
    posix_spawn_file_actions_destroy(&quiet);
}
BENCHMARK(BatchProcess)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

BENCHMARK(SequentialPass)->Unit(benchmark::kMillisecond);
BENCHMARK(SequentialPass)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SequentialWords)->Unit(benchmark::kMillisecond);
BENCHMARK(Scanner)->Unit(benchmark::kMillisecond);
BENCHMARK(ReportPictures)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeRun)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeRunMatchingSpans)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeRunScalingTheSideView)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodedRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BatchRun)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bladetrace::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("SequentialPass");
    reporter.printRatios("SequentialWords");
    reporter.printRatios("WholeRun");
    if (const double r = reporter.ratio("BatchProcess/real_time", "SequentialPass/real_time"))
        std::printf("\nwall ratio batch process/sequential pass at %d x %d: %.2f\n", kWidth,
                    kHeight, r);
    benchmark::Shutdown();
    return 0;
}
