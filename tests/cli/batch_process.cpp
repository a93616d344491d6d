#include "cli/batch_process.h"

#include "files/path_bytes.h"

#include <csignal>
#include <gtest/gtest.h>

namespace bladetrace::testing {

void startBatch(QProcess& process, const QStringList& arguments, const Launch& how) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", QString::fromLatin1(how.locale));
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    if (!how.platform.isEmpty())
        env.insert("QT_QPA_PLATFORM", how.platform);
    process.setProcessEnvironment(env);
    if (!how.stdoutFile.isEmpty())
        process.setStandardOutputFile(how.stdoutFile);
    if (!how.stderrFile.isEmpty())
        process.setStandardErrorFile(how.stderrFile, QIODevice::Append);
    process.setChildProcessModifier([] {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
    });
    process.start("/bin/bash", {"-c", "mapfile -d '' -t a; exec \"$0\" \"${a[@]}\"",
                                QStringLiteral(BLADETRACE_BATCH_PATH)});
    QByteArray list;
    for (const QString& argument : arguments)
        list += pathBytes(argument) + '\0';
    process.write(list);
    process.closeWriteChannel();
}

Result finished(QProcess& process) {
    EXPECT_TRUE(process.state() == QProcess::NotRunning || process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            pathFromBytes(process.readAllStandardOutput()),
            pathFromBytes(process.readAllStandardError())};
}

Result runBatch(const QStringList& arguments, const Launch& how) {
    QProcess process;
    startBatch(process, arguments, how);
    return finished(process);
}

} // namespace bladetrace::testing
