// bladetrace-batch: the whole analysis of the window, driven from the command line.

#include "base/app_info.h"
#include "batch_options.h"
#include "collection_run.h"
#include "exit_status.h"
#include "files/path_bytes.h"
#include "interrupt.h"
#include "pair_run.h"
#include "text/string_table.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>

using namespace bladetrace;
using namespace bladetrace::cli;

namespace {

int usageError(const QString& text) {
    printError(text);
    std::fputs(qPrintable(usageText()), stderr);
    return kUsage;
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
    if (!options.collection.isEmpty())
        return runCollection(options);
    return runPair(options);
}
