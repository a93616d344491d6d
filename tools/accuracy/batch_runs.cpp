#include "batch_runs.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace bladetrace::accuracy {

QStringList measurementArguments(const QString& top, const QString& side, double diameter) {
    return {top,
            side,
            QStringLiteral("--diameter"),
            QString::number(diameter, 'g', 6),
            QStringLiteral("--rpm"),
            QStringLiteral("5000"),
            QStringLiteral("--speed"),
            QStringLiteral("10")};
}

BatchRun runBatch(const QString& batch, QStringList arguments, const QString& chartsFile) {
    QFile::remove(chartsFile);
    arguments << QStringLiteral("--charts") << chartsFile;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.start(batch, arguments);
    BatchRun run;
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit) {
        run.messages << QStringLiteral("%1 did not finish").arg(batch);
        return run;
    }
    run.exitCode = process.exitCode();
    for (const QString& line :
         QString::fromLocal8Bit(process.readAllStandardError()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1String("qt.")) &&
            !line.startsWith(QLatin1String("QStandardPaths")))
            run.messages << line.trimmed();
    }
    if (run.exitCode == 0) {
        QString error;
        run.measured = readCharts(chartsFile, error);
        if (!error.isEmpty())
            run.messages << error;
    }
    return run;
}

QString commandLine(QStringList arguments) {
    arguments[0] = QFileInfo(arguments[0]).fileName();
    arguments[1] = QFileInfo(arguments[1]).fileName();
    QStringList out;
    for (const QString& a : arguments)
        out << (a.contains(QLatin1Char(' ')) ? QLatin1Char('"') + a + QLatin1Char('"') : a);
    return out.join(QLatin1Char(' '));
}

} // namespace bladetrace::accuracy
