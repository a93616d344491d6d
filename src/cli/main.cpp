// bladetrace-batch: the whole analysis of the window, driven from the command line.

#include "batch_host.h"
#include "batch_options.h"
#include "interrupt.h"
#include "results/charts.h"
#include "run/calc_it.h"
#include "run/pair_loader.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <cstdio>
#include <memory>

using namespace bladetrace;
using namespace bladetrace::cli;

namespace {

enum ExitStatus { kDone = 0, kUsage = 2, kMismatch = 3, kFailed = 4, kInterrupted = 130 };

void printError(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// Opened before the run, so that an unwritable name is found before minutes of scanning.
std::unique_ptr<QSaveFile> openOutput(const QString& name) {
    if (name.isEmpty())
        return nullptr;
    auto file = std::make_unique<QSaveFile>(name);
    if (!file->open(QIODevice::WriteOnly)) {
        printError(
            QStringLiteral("bladetrace-batch: cannot write %1: %2").arg(name, file->errorString()));
        return nullptr;
    }
    return file;
}

bool commit(QSaveFile* file, const QByteArray& bytes) {
    if (!file)
        return true;
    if (file->write(bytes) == bytes.size() && file->commit())
        return true;
    printError(QStringLiteral("bladetrace-batch: cannot write %1: %2")
                   .arg(file->fileName(), file->errorString()));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const ParseResult parsed = parseBatchOptions(app.arguments().mid(1));
    if (std::holds_alternative<HelpRequested>(parsed)) {
        std::fputs(qPrintable(usageText()), stdout);
        return kDone;
    }
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        printError(QStringLiteral("bladetrace-batch: ") + usage->message);
        std::fputs(qPrintable(usageText()), stderr);
        return kUsage;
    }
    const BatchOptions& options = std::get<BatchOptions>(parsed);

    const auto script = openOutput(options.scriptFile);
    const auto charts = openOutput(options.chartsFile);
    if ((!options.scriptFile.isEmpty() && !script) || (!options.chartsFile.isEmpty() && !charts))
        return kFailed;

    installInterruptHandler();
    BatchHost host(options, stdout, stderr);
    const LoadLimits limits;
    const RunOutcome outcome =
        CalcIt(host, loadPairAtOnce(options.topFile, options.sideFile, limits));
    std::fflush(stdout);
    switch (outcome) {
    case RunOutcome::Completed:
        break;
    case RunOutcome::Aborted:
        return kInterrupted;
    case RunOutcome::Mismatch:
        return kMismatch;
    case RunOutcome::ScanFailed:
    case RunOutcome::Failed:
        return kFailed;
    }
    const bool written = commit(script.get(), host.clipboardText().toLatin1()) &&
                         commit(charts.get(), chartsText(*host.charts()).toUtf8());
    return written ? kDone : kFailed;
}
