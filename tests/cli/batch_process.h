#pragma once

#include "support/test_files.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace bladetrace::testing {

struct Result {
    int exitCode; // -1: killed by a signal
    QString out, err;
};

struct Launch {
    QByteArray locale = "C";
    QString stdoutFile = {}; // else a pipe
    QString stderrFile = {}; // appended to; else a pipe
    QString platform = {};   // QT_QPA_PLATFORM
};

// Starts the built program as a user would, with no display: its arguments byte for byte
// (QProcess would spell them as UTF-8), the locale the test pins, Ctrl-C and SIGTERM as a
// terminal leaves them.
void startBatch(QProcess& process, const QStringList& arguments, const Launch& how = {});
Result finished(QProcess& process);
Result runBatch(const QStringList& arguments, const Launch& how = {});

} // namespace bladetrace::testing
