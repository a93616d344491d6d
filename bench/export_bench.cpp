// Saving a run's results on the sample pair, each format from the record to its bytes, and
// the report written to disk as the program will write it. Under 100 ms is the aim.

#include "export/export_format.h"
#include "quiet_run.h"
#include "run/calc_it.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace bladetrace;

namespace {

QString samplePath(const char* name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(name));
}

// The sample pair's run, as the window's Go leaves it.
const RunResults& sampleResults() {
    static const RunResults kept = [] {
        struct KeepingRun : tools::QuietRun {
            using QuietRun::QuietRun;
            RunResults results;
            bool wantsReportPictures() const override { return true; }
            void resultsReady(const RunResults& r) override { results = r; }
        } run(samplePath("pylon 1.bmp"), samplePath("pylon 2.bmp"), true);
        if (CalcIt(run.host()) != RunOutcome::Completed)
            std::fprintf(stderr, "the sample run did not complete\n");
        return run.results;
    }();
    return kept;
}

void Format(benchmark::State& state, ExportFormat format) {
    const RunResults& results = sampleResults();
    for (auto _ : state) {
        const QByteArray bytes = exportBytes(results, format);
        benchmark::DoNotOptimize(bytes.constData());
        state.counters["bytes"] = double(bytes.size());
    }
}

// The report from the record to a committed file.
void SaveReport(benchmark::State& state) {
    const RunResults& results = sampleResults();
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        QSaveFile file(name);
        const QByteArray bytes = exportBytes(results, name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            state.SkipWithError("cannot write the report");
    }
}

BENCHMARK_CAPTURE(Format, Csv, ExportFormat::Csv)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Format, Qprop, ExportFormat::Qprop)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Format, PublishedTable, ExportFormat::PublishedTable)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Format, Report, ExportFormat::Report)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveReport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The report's text needs fonts; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
