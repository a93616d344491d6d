// bladetrace-accuracy: measures the published propellers and the sample pair with the batch
// tool, as a user would, and writes the comparison into docs/accuracy.md and its plots.
#include "comparison.h"
#include "comparison_plot.h"
#include "view_preparation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

using namespace bladetrace::accuracy;

namespace {

constexpr int kMargin = 3;
constexpr int kWindowThreshold = 110; // the slider's position when the window opens
const QString kBegin = QStringLiteral("<!-- begin: written by bladetrace-accuracy -->");
const QString kEnd = QStringLiteral("<!-- end: written by bladetrace-accuracy -->");

struct Published {
    const char* key;
    const char* title;
    const char* topSuffix;
    const char* sideSuffix;
    double diameter; // metres
};

const Published kPublished[] = {
    {"apce_10x7", "APC Thin Electric 10x7", "-top.jpg", "-side.jpg", 0.254},
    {"apcsp_9x6", "APC Sport 9x6", "-top.png", "-side.png", 0.2286},
};

[[noreturn]] void die(const QString& message) {
    std::fprintf(stderr, "bladetrace-accuracy: %s\n", qPrintable(message));
    std::exit(1);
}

QString number(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

// Chord and angle do not depend on the speeds; any positive values do.
QStringList batchArguments(const QString& top, const QString& side, double diameter) {
    return {top,
            side,
            QStringLiteral("--diameter"),
            QString::number(diameter, 'g', 6),
            QStringLiteral("--rpm"),
            QStringLiteral("5000"),
            QStringLiteral("--speed"),
            QStringLiteral("10")};
}

Distribution runBatch(const QString& batch, QStringList arguments, const QString& charts) {
    arguments << QStringLiteral("--charts") << charts;
    QProcess process;
    // The charts file is read back with a decimal point.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.start(batch, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        die(QStringLiteral("%1 %2 failed (exit %3): %4")
                .arg(batch, arguments.join(QLatin1Char(' ')))
                .arg(process.exitCode())
                .arg(QString::fromLocal8Bit(process.readAllStandardError())));
    QString error;
    Distribution d = readCharts(charts, error);
    if (!error.isEmpty())
        die(error);
    return d;
}

QString shellQuoted(const QStringList& arguments) {
    QStringList out;
    for (const QString& a : arguments)
        out << (a.contains(QLatin1Char(' ')) ? QLatin1Char('"') + a + QLatin1Char('"') : a);
    return out.join(QLatin1Char(' '));
}

struct Section {
    QString summary;
    QString body;
};

// One preparation and run of a published pair at one threshold.
struct PublishedRun {
    Comparison comparison;
    QString facts;
};

PublishedRun measurePublished(const Published& p, const QImage& topPhoto, const QImage& sidePhoto,
                              const Distribution& reference, int threshold, const QString& label,
                              const QString& batch, const QString& work) {
    const ColumnRange topBefore = darkColumns(topPhoto, threshold);
    const ColumnRange sideBefore = darkColumns(sidePhoto, threshold);
    const PreparedPair pair = preparePair(topPhoto, sidePhoto, threshold, kMargin);
    if (!pair.error.isEmpty())
        die(QString::fromLatin1(p.key) + QStringLiteral(": ") + pair.error);
    const QString stem = QStringLiteral("%1 t%2 ").arg(QString::fromLatin1(p.key)).arg(threshold);
    const QString top = QDir(work).filePath(stem + QStringLiteral("1.png"));
    const QString side = QDir(work).filePath(stem + QStringLiteral("2.png"));
    if (!pair.top.save(top) || !pair.side.save(side))
        die(QStringLiteral("cannot write the prepared views into %1").arg(work));

    QStringList arguments = batchArguments(top, side, p.diameter);
    arguments << QStringLiteral("--threshold") << QString::number(threshold);
    PublishedRun run;
    run.comparison.label = label;
    run.comparison.reference = reference;
    run.comparison.measured =
        runBatch(batch, arguments, QDir(work).filePath(QStringLiteral("charts.txt")));
    QStringList displayed = arguments;
    displayed[0] = QFileInfo(top).fileName();
    displayed[1] = QFileInfo(side).fileName();
    run.facts =
        QStringLiteral("- %1: blade columns in the photographs %2 to %3 (top, span %4) and "
                       "%5 to %6 (side, span %7); %8 view scaled by %9; prepared spans %10 and "
                       "%11, images %12 × %13 and %14 × %15.\n  `bladetrace-batch %16 --charts "
                       "charts.txt`\n")
            .arg(label)
            .arg(topBefore.first)
            .arg(topBefore.last)
            .arg(topBefore.span())
            .arg(sideBefore.first)
            .arg(sideBefore.last)
            .arg(sideBefore.span())
            .arg(pair.sideScaled ? QStringLiteral("side") : QStringLiteral("top"))
            .arg(number(pair.scale, 4))
            .arg(pair.topBlade.span())
            .arg(pair.sideBlade.span())
            .arg(pair.top.width())
            .arg(pair.top.height())
            .arg(pair.side.width())
            .arg(pair.side.height())
            .arg(shellQuoted(displayed));
    return run;
}

Section publishedSection(const Published& p, const QString& data, const QString& batch,
                         const QString& work, const QString& plots) {
    const QString base = QDir(data).filePath(QString::fromLatin1(p.key));
    const QImage topPhoto = greyOnWhite(QImage(base + QString::fromLatin1(p.topSuffix)));
    const QImage sidePhoto = greyOnWhite(QImage(base + QString::fromLatin1(p.sideSuffix)));
    if (topPhoto.isNull() || sidePhoto.isNull())
        die(QStringLiteral("cannot read the photographs %1*").arg(base));
    QString error;
    const Distribution reference = readPublished(base + QStringLiteral("-geometry.txt"), error);
    if (!error.isEmpty())
        die(error);

    const int midway = midwayThreshold(topPhoto);
    const PublishedRun main =
        measurePublished(p, topPhoto, sidePhoto, reference, midway,
                         QStringLiteral("threshold %1 (midway)").arg(midway), batch, work);
    const PublishedRun initial = measurePublished(
        p, topPhoto, sidePhoto, reference, kWindowThreshold,
        QStringLiteral("threshold %1 (initial)").arg(kWindowThreshold), batch, work);

    const QString title = QString::fromLatin1(p.title);
    const QString plot = QString::fromLatin1(p.key) + QStringLiteral(".png");
    plotComparison(title, {QStringLiteral("published"), reference},
                   {{main.comparison.label, main.comparison.measured},
                    {initial.comparison.label, initial.comparison.measured}})
        .save(QDir(plots).filePath(plot));

    Section s;
    s.summary = summaryRow(title, main.comparison) + summaryRow(title, initial.comparison);
    s.body = QStringLiteral("### %1, %2 m\n\n").arg(title, number(p.diameter, 4)) + main.facts +
             initial.facts + QLatin1Char('\n') +
             QStringLiteral("![%1: chord and blade angle, published and measured](plots/%2)\n\n")
                 .arg(title, plot) +
             QStringLiteral("At the midway threshold %1:\n\n").arg(midway) +
             comparisonTable(main.comparison) + QLatin1Char('\n');
    return s;
}

Section sampleSection(const QString& samples, const QString& bladeFile, const QString& batch,
                      const QString& work, const QString& plots) {
    const QString top = QDir(samples).filePath(QStringLiteral("pylon 1.bmp"));
    const QString side = QDir(samples).filePath(QStringLiteral("pylon 2.bmp"));
    QString error;
    Comparison plain;
    plain.reference = readBladeTable(bladeFile, error);
    if (!error.isEmpty())
        die(error);
    const QStringList arguments = batchArguments(top, side, 0.185);
    plain.label = QStringLiteral("without thickness correction");
    plain.measured = runBatch(batch, arguments, QDir(work).filePath(QStringLiteral("p.txt")));
    Comparison corrected = plain;
    corrected.label = QStringLiteral("thickness correction 20 % → 10 %");
    corrected.measured = runBatch(
        batch, arguments + QStringList{QStringLiteral("--thickness"), QStringLiteral("20,10")},
        QDir(work).filePath(QStringLiteral("c.txt")));

    const QString title = QStringLiteral("Sample pylon (rendered)");
    plotComparison(title, {QStringLiteral("blade table"), plain.reference},
                   {{QStringLiteral("measured"), plain.measured},
                    {QStringLiteral("measured, thickness corrected"), corrected.measured}})
        .save(QDir(plots).filePath(QStringLiteral("pylon.png")));
    Section s;
    s.summary = summaryRow(title, plain) + summaryRow(title, corrected);
    s.body = QStringLiteral("### Sample pylon, 0.185 m, rendered from its blade table\n\n") +
             QStringLiteral("- Run: `bladetrace-batch \"pylon 1.bmp\" \"pylon 2.bmp\" "
                            "--diameter 0.185 --rpm 5000 --speed 10 --charts charts.txt`, and "
                            "the same with `--thickness 20,10`; threshold 110 (initial).\n\n") +
             QStringLiteral("![Sample pylon: chord and blade angle, table and measured]"
                            "(plots/pylon.png)\n\n") +
             QStringLiteral("Without thickness correction:\n\n") + comparisonTable(plain) +
             QStringLiteral("\nWith thickness correction (the chord is not corrected):\n\n") +
             comparisonTable(corrected) + QLatin1Char('\n');
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Measures the published propellers and the sample pair with "
                       "bladetrace-batch and rewrites the generated part of the accuracy "
                       "document and its plots."));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("data"), QStringLiteral("Folder of the published propellers."),
         QStringLiteral("dir")},
        {QStringLiteral("batch"), QStringLiteral("The batch tool."), QStringLiteral("file")},
        {QStringLiteral("samples"),
         QStringLiteral("Folder holding \"pylon 1.bmp\" and \"pylon "
                        "2.bmp\"."),
         QStringLiteral("dir")},
        {QStringLiteral("blade"), QStringLiteral("The sample's blade table."),
         QStringLiteral("file")},
        {QStringLiteral("doc"), QStringLiteral("The accuracy document to update."),
         QStringLiteral("file")},
        {QStringLiteral("plots"), QStringLiteral("Folder for the plots."), QStringLiteral("dir")},
        {QStringLiteral("keep"), QStringLiteral("Keep the prepared views in this folder."),
         QStringLiteral("dir")},
    });
    p.process(app);
    for (const char* required : {"data", "batch", "samples", "blade", "doc", "plots"})
        if (!p.isSet(QString::fromLatin1(required)))
            die(QStringLiteral("--%1 is required (see --help)").arg(required));

    QTemporaryDir temporary;
    const QString work =
        p.isSet(QStringLiteral("keep")) ? p.value(QStringLiteral("keep")) : temporary.path();
    const QString plots = p.value(QStringLiteral("plots"));
    if (!QDir().mkpath(work) || !QDir().mkpath(plots))
        die(QStringLiteral("cannot create %1 or %2").arg(work, plots));
    const QString batch = p.value(QStringLiteral("batch"));

    QString summary = summaryHeader();
    QString bodies;
    for (const Published& published : kPublished) {
        const Section s =
            publishedSection(published, p.value(QStringLiteral("data")), batch, work, plots);
        summary += s.summary;
        bodies += s.body;
    }
    const Section sample = sampleSection(p.value(QStringLiteral("samples")),
                                         p.value(QStringLiteral("blade")), batch, work, plots);
    summary += sample.summary;
    bodies += sample.body;

    QFile doc(p.value(QStringLiteral("doc")));
    if (!doc.open(QIODevice::ReadOnly))
        die(QStringLiteral("cannot read %1").arg(doc.fileName()));
    QString text = QString::fromUtf8(doc.readAll());
    doc.close();
    const qsizetype begin = text.indexOf(kBegin);
    const qsizetype end = text.indexOf(kEnd);
    if (begin < 0 || end < begin)
        die(QStringLiteral("%1 lacks the markers of the generated part").arg(doc.fileName()));
    text.replace(begin, end - begin,
                 kBegin + QStringLiteral("\n\n") + summary + QStringLiteral("\n") + bodies);
    if (!doc.open(QIODevice::WriteOnly | QIODevice::Truncate) || doc.write(text.toUtf8()) < 0)
        die(QStringLiteral("cannot write %1").arg(doc.fileName()));
    std::printf("%s updated, plots in %s\n", qPrintable(doc.fileName()), qPrintable(plots));
    return 0;
}
