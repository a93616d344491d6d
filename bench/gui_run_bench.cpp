// A run from Go to "Ready." in the window, next to the same run with no window at all, on a
// pair of 6000 x 1500 images. The window's per-column work (preview strip, yield) should
// keep it within three times the bare run.

#include "dialogs.h"
#include "frm_main.h"
#include "ratio_reporter.h"
#include "run/calc_it.h"
#include "settings/stored_settings.h"
#include "silent_host.h"
#include "synthetic_pair.h"

#include <QApplication>
#include <QStatusBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace bladetrace;

// Both sides read the same two files, so decoding is part of both.
const bench::SavedPair& imagePair() {
    static const bench::SavedPair pair(bench::makePair(6000, 1500));
    return pair;
}

class SilentDialogs final : public Dialogs {
public:
    void message(QWidget*, const QString&, MessageIcon, const QString&) override { ++messages; }
    std::optional<QString> openImage(QWidget*, const OpenImageRequest&) override {
        return std::nullopt;
    }
    void showAbout(frmAbout&) override {}
    int messages = 0;
};

void BM_HeadlessRun(benchmark::State& state) {
    bench::SilentHost host(imagePair().top, imagePair().side, false);
    for (auto _ : state) {
        if (CalcIt(host) != RunOutcome::Completed || host.messages != 0)
            state.SkipWithError("the bare run did not complete");
    }
}
BENCHMARK(BM_HeadlessRun)->Unit(benchmark::kMillisecond);

void BM_WindowRun(benchmark::State& state) {
    SilentDialogs dialogs;
    const QTemporaryDir store;
    StoredSettings settings(std::make_unique<QSettings>(
        store.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
    settings.writeAll(kEnglish, 0, QStringLiteral("0.185"), QStringLiteral("15000"),
                      QStringLiteral("50"), imagePair().top, imagePair().side);
    frmMain window(dialogs, settings);
    window.Form_Load();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.btnGo_Click();
        if (window.lastOutcome() != RunOutcome::Completed || dialogs.messages != 0 ||
            window.StatusBar1->currentMessage() != QStringLiteral("Ready."))
            state.SkipWithError("the window's run did not complete");
    }
}
BENCHMARK(BM_WindowRun)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("BM_HeadlessRun");
    benchmark::Shutdown();
    return 0;
}
