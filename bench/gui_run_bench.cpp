// A run from Go to "Ready." in the window, next to the same run with no window at all, on a
// pair of 16000 x 2000 images. What counts is what the user waits for: wall time, with the
// window on a real display when there is one (./build.sh bench starts a virtual X server
// with a window manager), so the display server's work and the waits for it are included.
// The window's per-column work (preview strip, yield) should keep it within 1.5 times the
// bare run.

#include "dialogs.h"
#include "frm_main.h"
#include "quiet_run.h"
#include "run/calc_it.h"
#include "settings/stored_settings.h"
#include "synthetic_pair.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

namespace {

using namespace bladetrace;

constexpr int kWidth = 16000;
constexpr int kHeight = 2000;
constexpr int kRuns = 3;

// Both sides read the same two files, so decoding is part of both.
const bench::SavedPair& imagePair() {
    static const bench::SavedPair pair(bench::makePair(kWidth, kHeight));
    return pair;
}

class SilentDialogs final : public Dialogs {
public:
    void message(QWidget*, const QString&, MessageIcon, const QString&) override { ++messages; }
    bool question(QWidget*, const QString&, const QString&) override { return false; }
    std::optional<QString> openImage(QWidget*, const FileRequest&) override { return std::nullopt; }
    std::optional<SaveChoice> saveFile(QWidget*, const FileRequest&) override {
        return std::nullopt;
    }
    void showAbout(frmAbout&) override {}
    int messages = 0;
};

void BM_HeadlessRun(benchmark::State& state) {
    tools::QuietRun run(imagePair().top, imagePair().side, false);
    for (auto _ : state) {
        if (CalcIt(run.host()) != RunOutcome::Completed || run.messages != 0)
            state.SkipWithError("the bare run did not complete");
    }
}
BENCHMARK(BM_HeadlessRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kRuns);

void BM_WindowRun(benchmark::State& state) {
    SilentDialogs dialogs;
    const QTemporaryDir store;
    StoredSettings settings(std::make_unique<QSettings>(
        store.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
    settings.writeAll(Language::English, 0, QStringLiteral("0.185"), QStringLiteral("15000"),
                      QStringLiteral("50"), imagePair().top, imagePair().side);
    frmMain window(dialogs, settings);
    window.Form_Load();
    // On screen and painted before the clock starts, as when the user presses Go.
    const QDeadlineTimer shown(5000);
    while ((window.loading() || !(window.windowHandle() && window.windowHandle()->isExposed())) &&
           !shown.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.btnGo_Click();
        if (window.lastOutcome() != RunOutcome::Completed || dialogs.messages != 0 ||
            window.StatusBar1->currentMessage() != QStringLiteral("Ready."))
            state.SkipWithError("the window's run did not complete");
    }
}
BENCHMARK(BM_WindowRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kRuns);

// The usual table, then the window's wall time as a multiple of the bare run's.
class WallRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                seconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio() const {
        const auto bare = seconds_.find("BM_HeadlessRun");
        const auto window = seconds_.find("BM_WindowRun");
        if (bare == seconds_.end() || window == seconds_.end() || bare->second <= 0)
            return;
        std::printf("wall ratio window/headless at %d x %d: %.2f\n", kWidth, kHeight,
                    window->second / bare->second);
    }

private:
    std::map<std::string, double> seconds_;
};

} // namespace

int main(int argc, char** argv) {
    // Without a display the figure leaves out the display server's share.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    std::printf("display: %s\n", qPrintable(QGuiApplication::platformName()));
    WallRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
    benchmark::Shutdown();
    return 0;
}
