#include "pair_run.h"

#include "base/app_error.h"
#include "batch_host.h"
#include "exit_status.h"
#include "export/export_format.h"
#include "export/performance_prediction.h"
#include "files/output_files.h"
#include "files/path_bytes.h"
#include "interrupt.h"
#include "performance/performance_table.h"
#include "results/charts.h"
#include "run/calc_it.h"
#include "run/pair_loader.h"
#include "run_summary.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <system_error>

namespace bladetrace::cli {
namespace {

// The outputs, with their bytes once `run` is done.
QList<OutputFile> outputFiles(const BatchOptions& options, const BatchHost* run = nullptr) {
    QList<OutputFile> files;
    if (!options.scriptFile.isEmpty())
        files.append({{QStringLiteral("--script"), options.scriptFile},
                      run ? run->clipboardText().toLatin1() : QByteArray()});
    if (!options.chartsFile.isEmpty())
        files.append({{QStringLiteral("--charts"), options.chartsFile},
                      run ? chartsText(*run->charts()).toUtf8() : QByteArray()});
    for (const QString& file : options.exportFiles)
        files.append({{QStringLiteral("--export"), file},
                      run ? exportBytes(*run->results(), file, options.csv) : QByteArray()});
    if (!options.performanceFile.isEmpty())
        files.append({{QStringLiteral("--performance"), options.performanceFile},
                      run ? performanceBytes(*run->results(), options.imperial) : QByteArray()});
    if (!options.summaryFile.isEmpty())
        files.append({{QStringLiteral("--summary"), options.summaryFile},
                      run ? runSummaryBytes(*run->results()) : QByteArray()});
    return files;
}

// Files no output may replace besides the two images: the writer keeps standard output's
// and standard error's files itself.
QList<NamedFile> keptFiles(const BatchOptions& options) {
    QList<NamedFile> kept{{QStringLiteral("the top view image"), options.topFile},
                          {QStringLiteral("the side view image"), options.sideFile}};
    if (!options.polarFile.isEmpty())
        kept.append({QStringLiteral("the polar file"), options.polarFile});
    return kept;
}

// Written while a signal only stops the writer where it can roll back; after one the
// program ends with the signal's status, whatever the writer did. A run with a --summary
// (a collection's) finishes writing instead, so that its files are done.
int writeOrCheck(const QList<OutputFile>& outputs, const QList<NamedFile>& kept, bool write,
                 bool finish = false) {
    OutputResult result;
    {
        const InterruptWaits waits;
        // Finishing, a second signal still stops a wait for a pipe that no one reads.
        const std::function<bool()> stop =
            finish ? std::function<bool()>([] { return interruptCount() > 1; })
                   : std::function<bool()>(interruptRequested);
        result = write ? writeOutputs(outputs, kept, stop) : checkOutputs(outputs, kept);
    }
    if (interruptRequested() && !(finish && result.status == OutputStatus::Written))
        return interruptedStatus();
    if (result.status == OutputStatus::Written)
        return kDone;
    printError(result.message);
    return result.status == OutputStatus::SameFile ? kUsage : kFailed;
}

int exitStatus(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::Completed:
        return kDone;
    case RunOutcome::Aborted: // the run has said so
        return interruptedStatus(false);
    case RunOutcome::Mismatch:
        return kMismatch;
    case RunOutcome::Refused:
        return kRefused;
    case RunOutcome::ScanFailed:
    case RunOutcome::Failed:
        break;
    }
    return kFailed;
}

} // namespace

QByteArray performanceBytes(const RunResults& results, bool imperial) {
    const PerformancePrediction prediction = predictPerformance(results);
    if (!prediction.problem.isEmpty())
        fail(errc::kInvalidCall,
             QStringLiteral("--performance: no prediction: %1").arg(prediction.problem));
    return performanceCsv(prediction.curve, imperial).toUtf8();
}

void printError(const QString& text) {
    std::fprintf(stderr, "bladetrace-batch: %s\n", pathBytes(text).constData());
}

int runPair(const BatchOptions& options) {
    std::optional<QpropPolarFile> polar;
    if (!options.polarFile.isEmpty()) {
        PolarFile read = readPolarFile(options.polarFile);
        if (!read.file) {
            printError(read.error);
            return kUsage;
        }
        polar = std::move(read.file);
    }
    // An output that cannot be written is found before minutes of scanning.
    const QList<NamedFile> kept = keptFiles(options);
    if (const int status = writeOrCheck(outputFiles(options), kept, false))
        return status;

    BatchHost host(options, stdout, stderr);
    FixedInputs inputs = inputsOf(options, polar);
    LoadLimits limits;
    if (options.maxMegapixels > 0)
        limits.maxMegapixels = options.maxMegapixels;
    const PictureLoader both = loadPairAtOnce(options.topFile, options.sideFile, limits);
    const RunOutcome outcome = CalcIt({inputs, host, host}, [&both](const QString& fileName) {
        const InterruptEndsAtOnce loading;
        return both(fileName);
    });
    if (const int error = host.finishSheet()) {
        printError(QStringLiteral("cannot write standard output: %1")
                       .arg(QString::fromStdString(std::generic_category().message(error))));
        return kFailed;
    }
    if (outcome != RunOutcome::Completed)
        return exitStatus(outcome);
    // A collection's run that got past its scans is finished.
    const bool finish = !options.summaryFile.isEmpty();
    std::optional<InterruptWaits> waits;
    if (finish)
        waits.emplace();
    else if (interruptRequested()) // after the last column
        return interruptedStatus();
    QList<OutputFile> outputs;
    try {
        outputs = outputFiles(options, &host);
    } catch (const Failure& failure) {
        printError(failure.error().description);
        return kFailed;
    }
    return writeOrCheck(outputs, kept, true, finish);
}

} // namespace bladetrace::cli
