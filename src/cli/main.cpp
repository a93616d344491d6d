// bladetrace-batch: the whole analysis of the window, driven from the command line.

#include "base/app_error.h"
#include "base/app_info.h"
#include "batch_host.h"
#include "batch_options.h"
#include "export/export_format.h"
#include "files/output_files.h"
#include "files/path_bytes.h"
#include "interrupt.h"
#include "results/charts.h"
#include "run/calc_it.h"
#include "run/pair_loader.h"
#include "text/string_table.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <system_error>

using namespace bladetrace;
using namespace bladetrace::cli;

namespace {

enum ExitStatus { kDone = 0, kUsage = 2, kMismatch = 3, kFailed = 4, kRefused = 5 };

// File names in messages as the user typed them, byte for byte.
void printError(const QString& text) {
    std::fprintf(stderr, "bladetrace-batch: %s\n", pathBytes(text).constData());
}

int usageError(const QString& text) {
    printError(text);
    std::fputs(qPrintable(usageText()), stderr);
    return kUsage;
}

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
    return files;
}

// Files no output may replace besides the two images: the writer keeps standard output's
// and standard error's files itself.
QList<NamedFile> keptFiles(const BatchOptions& options) {
    return {{QStringLiteral("the top view image"), options.topFile},
            {QStringLiteral("the side view image"), options.sideFile}};
}

// Written while a signal only stops the writer where it can roll back; after one the
// program ends with the signal's status, whatever the writer did.
int writeOrCheck(const QList<OutputFile>& outputs, const QList<NamedFile>& kept, bool write) {
    OutputResult result;
    {
        const InterruptWaits waits;
        result =
            write ? writeOutputs(outputs, kept, interruptRequested) : checkOutputs(outputs, kept);
    }
    if (interruptRequested())
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

// A report's text needs the fonts of a graphical application; no display is needed for them.
bool needsFonts(const ParseResult& parsed) {
    const auto* options = std::get_if<BatchOptions>(&parsed);
    return options && asksForReport(*options);
}

// Start-up notes of the platform (a missing runtime folder) are no concern of a run; what
// ends the program is said.
QtMessageHandler qtMessages = nullptr;

void onlySeriousMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtMessages(type, context, text);
}

// The command line as the system gives it: Qt would spell a name that is not UTF-8 with
// replacement characters, in any locale.
QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(pathFromBytes(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    const QStringList arguments = argumentsOf(argc, argv);
    auto app = std::make_unique<QCoreApplication>(argc, argv);
    const ParseResult parsed = parseBatchOptions(arguments);
    if (needsFonts(parsed)) {
        app.reset();
        // No window is shown, whatever platform the environment names.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qtMessages = qInstallMessageHandler(onlySeriousMessages);
        app = std::make_unique<QGuiApplication>(argc, argv);
        qInstallMessageHandler(qtMessages);
    }
    if (std::holds_alternative<HelpRequested>(parsed)) {
        std::fputs(qPrintable(usageText()), stdout);
        return std::fflush(stdout) == 0 ? kDone : kFailed;
    }
    if (std::holds_alternative<VersionRequested>(parsed)) {
        const AppVersion v = appVersion();
        std::printf("bladetrace-batch %d.%d.%d\n", v.major, v.minor, v.revision);
        return std::fflush(stdout) == 0 ? kDone : kFailed;
    }
    if (const auto* usage = std::get_if<UsageError>(&parsed))
        return usageError(usage->message);
    const BatchOptions& options = std::get<BatchOptions>(parsed);

    installInterruptHandler(LoadLangResString(options.language, str::kAborted).toUtf8() + '\n');
    // An output that cannot be written is found before minutes of scanning.
    const QList<NamedFile> kept = keptFiles(options);
    if (const int status = writeOrCheck(outputFiles(options), kept, false))
        return status;

    BatchHost host(options, stdout, stderr);
    FixedInputs inputs = inputsOf(options);
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
    if (interruptRequested()) // after the last column
        return interruptedStatus();
    QList<OutputFile> outputs;
    try {
        outputs = outputFiles(options, &host);
    } catch (const Failure& failure) {
        printError(failure.error().description);
        return kFailed;
    }
    return writeOrCheck(outputs, kept, true);
}
