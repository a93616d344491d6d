// bladetrace-accuracy: measures the published propellers from their photographs and the
// rendered sample blade with the batch tool, as a user would, and writes the comparison into
// docs/accuracy.md and its plots.
#include "base/app_error.h"
#include "batch_runs.h"
#include "comparison.h"
#include "comparison_plot.h"
#include "files/output_files.h"
#include "files/picture_bytes.h"
#include "midway_threshold.h"
#include "performance_report.h"
#include "prepare/threshold_suggestion.h"
#include "scan/picture_loader.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <optional>

using namespace bladetrace;
using namespace bladetrace::accuracy;

namespace {

constexpr int kWindowThreshold = 110;  // the slider's position when the window opens
constexpr double kAnyDiameter = 0.254; // c/R and the angle do not depend on it
constexpr double kUnmeasured = std::numeric_limits<double>::infinity();
const QString kBegin = QStringLiteral("<!-- begin: written by bladetrace-accuracy -->");
const QString kEnd = QStringLiteral("<!-- end: written by bladetrace-accuracy -->");
const QString kUserOptions = QStringLiteral("--match-spans --threshold auto");
const QString kPerformanceBegin =
    QStringLiteral("<!-- begin: performance, written by bladetrace-accuracy -->");
const QString kPerformanceEnd =
    QStringLiteral("<!-- end: performance, written by bladetrace-accuracy -->");
const QString kFitBegin =
    QStringLiteral("<!-- begin: polar fit, written by bladetrace-accuracy --fit -->");
const QString kFitEnd =
    QStringLiteral("<!-- end: polar fit, written by bladetrace-accuracy --fit -->");
// The three propellers whose predicted curves are plotted: the two the targets name and a
// small one at low Reynolds numbers.
const QStringList kPerformancePlots = {QStringLiteral("apce_10x7"), QStringLiteral("apcsp_9x6"),
                                       QStringLiteral("gwsdd_5x4.3_spec2")};

// The two propellers the targets name, with their real diameters; the others go by their
// file names.
struct Known {
    const char* key;
    const char* title;
    double diameter;
};
const Known kKnown[] = {
    {"apce_10x7", "APC Thin Electric 10x7", 0.254},
    {"apcsp_9x6", "APC Sport 9x6", 0.2286},
};

struct Target {
    const char* key; // empty: the median over all propellers; "*": over the measured ones
    double beta;
    double chord;
};
const Target kTargets[] = {
    {"apce_10x7", 0.35, 0.006}, {"apcsp_9x6", 1.1, 0.005}, {"", 0.65, 0.006}, {"*", 0.65, 0.006}};

[[noreturn]] void die(const QString& message) {
    std::fprintf(stderr, "bladetrace-accuracy: %s\n", qPrintable(message));
    std::exit(1);
}

QString number(double v, int decimals) {
    return std::isinf(v) ? QStringLiteral("–") : fixed(v, decimals);
}

struct Propeller {
    QString key;
    QString title;
    QString top;
    QString side;
    Distribution reference;
    double diameter = kAnyDiameter;
    bool known = false;
};

std::vector<Propeller> publishedPropellers(const QString& data) {
    std::vector<Propeller> out;
    const QDir dir(data);
    for (const QString& geometry :
         dir.entryList({QStringLiteral("*-geometry.txt")}, QDir::Files, QDir::Name)) {
        Propeller p;
        p.key = geometry.left(geometry.size() - int(qstrlen("-geometry.txt")));
        p.title = p.key;
        const QStringList top = dir.entryList({p.key + QStringLiteral("-top.*")});
        const QStringList side = dir.entryList({p.key + QStringLiteral("-side.*")});
        if (top.size() != 1 || side.size() != 1)
            die(QStringLiteral("%1: no single top and side view").arg(p.key));
        p.top = dir.filePath(top[0]);
        p.side = dir.filePath(side[0]);
        QString error;
        p.reference = readPublished(dir.filePath(geometry), error);
        if (!error.isEmpty())
            die(error);
        for (const Known& k : kKnown) {
            if (p.key == QLatin1String(k.key)) {
                p.title = QString::fromLatin1(k.title);
                p.diameter = k.diameter;
                p.known = true;
            }
        }
        out.push_back(p);
    }
    if (out.empty())
        die(QStringLiteral("no *-geometry.txt in %1").arg(data));
    return out;
}

// The two candidate thresholds of a pair, from the core's own functions.
struct Thresholds {
    int otsu = 0;
    int midway = 0;
};

Thresholds thresholdsOf(const QString& top, const QString& side) {
    try {
        GreyHistogram h{};
        addToHistogram(h, loadPicture(top));
        addToHistogram(h, loadPicture(side));
        return {otsuThreshold(h), midwayThreshold(h)};
    } catch (const Failure& f) {
        die(f.error().description);
    }
}

// One measurement: a batch run compared with the reference.
struct Measurement {
    QStringList arguments;
    BatchRun run;
    Comparison comparison;
    Deviation deviation;

    double beta() const { return run.completed() ? deviation.betaMean : kUnmeasured; }
    double chord() const { return run.completed() ? deviation.chordMean : kUnmeasured; }
    QString outcome() const {
        return run.completed() ? run.messages.join(QStringLiteral("; "))
                               : QStringLiteral("**refused or failed** (exit %1): %2")
                                     .arg(run.exitCode)
                                     .arg(run.messages.join(QLatin1Char(' ')));
    }
};

class Measurer {
public:
    Measurer(QString batch, QString work) : batch_(std::move(batch)), work_(std::move(work)) {}

    Measurement measure(const QString& top, const QString& side, double diameter,
                        const Distribution& reference, const QStringList& options,
                        const QString& label) const {
        Measurement m;
        m.arguments = measurementArguments(top, side, diameter) + options;
        m.run = runBatch(batch_, m.arguments, QDir(work_).filePath(QStringLiteral("charts.txt")));
        m.comparison.label = label;
        m.comparison.reference = reference;
        m.comparison.measured = m.run.measured;
        m.deviation = deviation(m.comparison);
        return m;
    }

    QString work() const { return work_; }

private:
    QString batch_;
    QString work_;
};

QStringList thresholdOption(int threshold) {
    return {QStringLiteral("--match-spans"), QStringLiteral("--threshold"),
            QString::number(threshold)};
}

constexpr int kSpansDiffer = 3; // the batch tool's exit status
const QStringList kSameAnswer{QStringLiteral("--max-span-difference"), QStringLiteral("100")};

QStringList userOptions() {
    return kUserOptions.split(QLatin1Char(' '));
}

// The median, a pair that was not measured counting as worse than any that was.
double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The median of the pairs that were measured only.
double measuredMedian(std::vector<double> values) {
    values.erase(std::remove(values.begin(), values.end(), kUnmeasured), values.end());
    return values.empty() ? kUnmeasured : median(values);
}

int measuredCount(const std::vector<double>& values) {
    return int(
        std::count_if(values.begin(), values.end(), [](double v) { return v != kUnmeasured; }));
}

struct PublishedResult {
    Propeller propeller;
    Thresholds thresholds;
    Measurement user;    // --match-spans --threshold auto
    Measurement midway;  // --match-spans --threshold <midway>
    Measurement initial; // --match-spans --threshold 110
    // Refused for spans too far apart: measured again as after the window's question
    // "Do both images show the same propeller?" answered yes.
    std::optional<Measurement> answered;
};

// What the tool writes: the plots, then the document, all of them or none.
struct Outputs {
    QString plotFolder;
    QList<OutputFile> files;
};

QString plotFor(const QString& title, const QString& file, const Distribution& reference,
                const std::vector<PlotSeries>& measured, Outputs& plots) {
    const QString path = QDir(plots.plotFolder).filePath(file);
    plots.files.append(
        {{path, path},
         pictureBytes(plotComparison(title, {QStringLiteral("table"), reference}, measured),
                      path)});
    return QStringLiteral("![%1: chord and blade angle, table and measured](plots/%2)\n\n")
        .arg(title, file);
}

QString overview(const std::vector<PublishedResult>& results) {
    QString t =
        QStringLiteral("| propeller | the batch tool's note | stations | mean \\|Δ c/R\\| | "
                       "max \\|Δ c/R\\| | mean \\|Δ β\\| [°] | max \\|Δ β\\| [°] | mean Δ β [°] |\n"
                       "|---|---|---:|---:|---:|---:|---:|---:|\n");
    std::vector<double> betas, chords;
    for (const PublishedResult& r : results) {
        const Measurement& m = r.user;
        const bool ok = m.run.completed();
        const QString none = QStringLiteral("–");
        t += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 | %8 |\n")
                 .arg(r.propeller.title, m.outcome(),
                      ok ? QString::number(m.deviation.stations) : none, number(m.chord(), 4),
                      ok ? number(m.deviation.chordMax, 4) : none, number(m.beta(), 2),
                      ok ? number(m.deviation.betaMax, 2) : none,
                      ok ? QStringLiteral("%1%2").arg(
                               m.deviation.betaSigned >= 0 ? QStringLiteral("+") : QString(),
                               number(m.deviation.betaSigned, 2))
                         : none);
        betas.push_back(m.beta());
        chords.push_back(m.chord());
    }
    t += QStringLiteral("| **median of %1**, a refused pair counted as worst | | | **%2** | | "
                        "**%3** | | |\n")
             .arg(results.size())
             .arg(number(median(chords), 4), number(median(betas), 2));
    t += QStringLiteral("| **median of the %1 measured** | | | **%2** | | **%3** | | |\n")
             .arg(measuredCount(betas))
             .arg(number(measuredMedian(chords), 4), number(measuredMedian(betas), 2));
    return t;
}

QString targets(const std::vector<PublishedResult>& results) {
    QString t = QStringLiteral("| target | mean \\|Δ β\\| [°] | required | mean \\|Δ c/R\\| | "
                               "required | |\n|---|---:|---:|---:|---:|---|\n");
    std::vector<double> betas, chords;
    for (const PublishedResult& r : results) {
        betas.push_back(r.user.beta());
        chords.push_back(r.user.chord());
    }
    for (const Target& target : kTargets) {
        QString name;
        double beta = kUnmeasured, chord = kUnmeasured;
        if (*target.key == '\0') {
            name =
                QStringLiteral("median of %1, a refused pair counted as worst").arg(results.size());
            beta = median(betas);
            chord = median(chords);
        } else if (*target.key == '*') {
            name = QStringLiteral("median of the %1 measured").arg(measuredCount(betas));
            beta = measuredMedian(betas);
            chord = measuredMedian(chords);
        } else {
            for (const PublishedResult& r : results) {
                if (r.propeller.key == QLatin1String(target.key)) {
                    name = r.propeller.title;
                    beta = r.user.beta();
                    chord = r.user.chord();
                }
            }
        }
        const bool betaMet = beta <= target.beta, chordMet = chord <= target.chord;
        t += QStringLiteral("| %1 | %2 | ≤ %3 | %4 | ≤ %5 | %6 |\n")
                 .arg(name, number(beta, 2), fixed(target.beta, 2), number(chord, 4),
                      fixed(target.chord, 4),
                      betaMet && chordMet ? QStringLiteral("met")
                      : betaMet           ? QStringLiteral("angle met, chord **missed**")
                      : chordMet          ? QStringLiteral("chord met, angle **missed**")
                                          : QStringLiteral("**missed**"));
    }
    return t;
}

QString thresholdComparison(const std::vector<PublishedResult>& results) {
    QString t = QStringLiteral(
        "| propeller | Otsu (suggested) | c/R | β [°] | midway | c/R | β [°] | 110 | c/R | "
        "β [°] |\n|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    std::vector<double> columns[6];
    for (const PublishedResult& r : results) {
        const Measurement* runs[] = {&r.user, &r.midway, &r.initial};
        const int thresholds[] = {r.thresholds.otsu, r.thresholds.midway, kWindowThreshold};
        t += QStringLiteral("| %1 |").arg(r.propeller.title);
        for (int i = 0; i < 3; ++i) {
            t += QStringLiteral(" %1 | %2 | %3 |")
                     .arg(thresholds[i])
                     .arg(number(runs[i]->chord(), 4), number(runs[i]->beta(), 2));
            columns[2 * i].push_back(runs[i]->chord());
            columns[2 * i + 1].push_back(runs[i]->beta());
        }
        t += QLatin1Char('\n');
    }
    t += QStringLiteral("| **median** |");
    for (int i = 0; i < 3; ++i)
        t += QStringLiteral(" | **%1** | **%2** |")
                 .arg(number(median(columns[2 * i]), 4), number(median(columns[2 * i + 1]), 2));
    return t + QLatin1Char('\n');
}

QString detail(const PublishedResult& r, Outputs& plots) {
    const Propeller& p = r.propeller;
    QString s = QStringLiteral("### %1, %2 m\n\n").arg(p.title, fixed(p.diameter, 4)) +
                QStringLiteral("`bladetrace-batch %1 --charts charts.txt`: %2\n\n")
                    .arg(commandLine(r.user.arguments), r.user.outcome());
    if (!r.user.run.completed())
        return s;
    s += plotFor(p.title, p.key + QStringLiteral(".png"), p.reference,
                 {{QStringLiteral("suggested threshold (Otsu)"), r.user.run.measured},
                  {QStringLiteral("midway threshold"), r.midway.run.measured}},
                 plots);
    return s + comparisonTable(r.user.comparison) + QLatin1Char('\n');
}

// The sample blade as a photograph shows it: blurred, noisy, paper and blade greyer.
constexpr int kShotPaper = 225;
constexpr int kShotInk = 45;

void renderPair(const QString& render, const QString& blade, double pixelsPerMetre, int seed,
                const QString& top, const QString& side) {
    QProcess process;
    process.start(render, {QStringLiteral("--blade"),      blade,
                           QStringLiteral("--diameter"),   QStringLiteral("0.185"),
                           QStringLiteral("--ppm"),        QString::number(pixelsPerMetre, 'f', 1),
                           QStringLiteral("--hub-radius"), QStringLiteral("0.0085"),
                           QStringLiteral("--hub-length"), QStringLiteral("0.009"),
                           QStringLiteral("--paper"),      QString::number(kShotPaper),
                           QStringLiteral("--ink"),        QString::number(kShotInk),
                           QStringLiteral("--blur"),       QStringLiteral("1.5"),
                           QStringLiteral("--noise"),      QStringLiteral("3"),
                           QStringLiteral("--seed"),       QString::number(seed),
                           QStringLiteral("--top"),        top,
                           QStringLiteral("--side"),       side});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        die(QStringLiteral("%1 failed: %2")
                .arg(render, QString::fromLocal8Bit(process.readAllStandardError())));
}

struct Section {
    QString summary;
    QString body;
};

Section renderedSection(const QString& samples, const QString& bladeFile, const QString& render,
                        const Measurer& measurer, Outputs& plots) {
    QString error;
    const Distribution table = readBladeTable(bladeFile, error);
    if (!error.isEmpty())
        die(error);
    const QString top = QDir(samples).filePath(QStringLiteral("pylon 1.bmp"));
    const QString side = QDir(samples).filePath(QStringLiteral("pylon 2.bmp"));
    const Measurement plain = measurer.measure(top, side, 0.185, table, {},
                                               QStringLiteral("without thickness correction"));
    const Measurement corrected = measurer.measure(
        top, side, 0.185, table, {QStringLiteral("--thickness"), QStringLiteral("20,10")},
        QStringLiteral("thickness correction 20 % → 10 %"));

    // The same blade as a photograph: blurred, noisy, and the side view taken from further away.
    const QDir work(measurer.work());
    const QString shotTop = work.filePath(QStringLiteral("photographed 1.png"));
    const QString shotSide = work.filePath(QStringLiteral("photographed 2.png"));
    const QString unused = work.filePath(QStringLiteral("unused.png"));
    renderPair(render, bladeFile, 10800, 7, shotTop, unused);
    renderPair(render, bladeFile, 10800 / 1.06, 8, unused, shotSide);
    const Thresholds t = thresholdsOf(shotTop, shotSide);
    const Measurement shotUser = measurer.measure(shotTop, shotSide, 0.185, table, userOptions(),
                                                  QStringLiteral("photographed, ") + kUserOptions);
    const Measurement shotMidway =
        measurer.measure(shotTop, shotSide, 0.185, table, thresholdOption(t.midway),
                         QStringLiteral("photographed, midway threshold %1").arg(t.midway));

    const QString title = QStringLiteral("Sample pylon (rendered)");
    Section s;
    s.summary = summaryHeader() + summaryRow(title, plain.comparison) +
                summaryRow(title, corrected.comparison) + summaryRow(title, shotUser.comparison) +
                summaryRow(title, shotMidway.comparison);
    s.body =
        QStringLiteral("### Sample pylon, 0.185 m, rendered from its blade table\n\n") +
        QStringLiteral("- The sample pair: `bladetrace-batch %1 --charts charts.txt`, and the "
                       "same with `--thickness 20,10`; threshold 110 (initial).\n")
            .arg(commandLine(plain.arguments)) +
        QStringLiteral("- Photographed: the same blade drawn with a blur of 1.5 pixels, noise 3, "
                       "paper %1 and ink %2 (halfway: %3), the side view at 1/1.06 of the top "
                       "view's resolution. `bladetrace-batch %4 --charts charts.txt`: %5. At the "
                       "midway threshold %6: %7.\n\n")
            .arg(kShotPaper)
            .arg(kShotInk)
            .arg((kShotPaper + kShotInk) / 2.0)
            .arg(commandLine(shotUser.arguments), shotUser.outcome())
            .arg(t.midway)
            .arg(shotMidway.outcome()) +
        plotFor(title, QStringLiteral("pylon.png"), table,
                {{QStringLiteral("measured"), plain.run.measured},
                 {QStringLiteral("measured, thickness corrected"), corrected.run.measured},
                 {QStringLiteral("photographed, ") + kUserOptions, shotUser.run.measured}},
                plots) +
        QStringLiteral("Without thickness correction:\n\n") + comparisonTable(plain.comparison) +
        QStringLiteral("\nWith thickness correction (the chord is not corrected):\n\n") +
        comparisonTable(corrected.comparison) +
        QStringLiteral("\nPhotographed, `%1`:\n\n").arg(kUserOptions) +
        comparisonTable(shotUser.comparison) + QLatin1Char('\n');
    return s;
}

// Replaces what lies between `begin` and `end` in `text`.
void replaceBetween(QString& text, const QString& begin, const QString& end,
                    const QString& generated, const QString& document) {
    const qsizetype from = text.indexOf(begin);
    const qsizetype to = text.indexOf(end);
    if (from < 0 || to < from)
        die(QStringLiteral("%1 lacks the markers %2").arg(document, begin));
    text.replace(from, to - from, begin + QStringLiteral("\n\n") + generated);
}

// "KEY=N" options: the blade count of a propeller, where it is not two.
std::map<QString, int> bladeCounts(const QStringList& options) {
    std::map<QString, int> counts;
    for (const QString& o : options) {
        bool ok = false;
        const int n = o.section(QLatin1Char('='), 1).toInt(&ok);
        if (!ok || n < 1)
            die(QStringLiteral("--blades %1: give KEY=N").arg(o));
        counts[o.section(QLatin1Char('='), 0, 0)] = n;
    }
    return counts;
}

std::vector<PerformanceCase> performanceCases(const std::vector<PublishedResult>& results,
                                              const QString& tunnel,
                                              const std::map<QString, int>& blades) {
    std::vector<PerformanceCase> cases;
    for (const PublishedResult& r : results) {
        PerformanceCase c;
        c.key = r.propeller.key;
        c.title = r.propeller.title;
        QString error;
        c.tests = readTunnelTests(tunnel, c.key, error);
        if (!error.isEmpty())
            die(error);
        const std::optional<double> diameter = diameterFromName(c.key);
        if (c.tests.empty() || !diameter)
            continue;
        c.diameter = *diameter;
        const auto count = blades.find(c.key);
        c.blades = count == blades.end() ? 2 : count->second;
        c.table = r.propeller.reference;
        if (r.user.run.completed())
            c.photographed = r.user.run.measured;
        else if (r.answered && r.answered->run.completed())
            c.answered = r.answered->run.measured;
        cases.push_back(c);
    }
    return cases;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Measures the published propellers from their photographs and the "
                       "rendered sample blade with bladetrace-batch and rewrites the generated "
                       "part of the accuracy document and its plots."));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("data"), QStringLiteral("Folder of the published propellers."),
         QStringLiteral("dir")},
        {QStringLiteral("batch"), QStringLiteral("The batch tool."), QStringLiteral("file")},
        {QStringLiteral("render"), QStringLiteral("The blade renderer."), QStringLiteral("file")},
        {QStringLiteral("samples"),
         QStringLiteral("Folder holding \"pylon 1.bmp\" and \"pylon 2.bmp\"."),
         QStringLiteral("dir")},
        {QStringLiteral("blade"), QStringLiteral("The sample's blade table."),
         QStringLiteral("file")},
        {QStringLiteral("doc"), QStringLiteral("The accuracy document to update."),
         QStringLiteral("file")},
        {QStringLiteral("plots"), QStringLiteral("Folder for the plots."), QStringLiteral("dir")},
        {QStringLiteral("keep"), QStringLiteral("Keep the rendered views in this folder."),
         QStringLiteral("dir")},
        {QStringLiteral("blades"),
         QStringLiteral("KEY=N: the propeller KEY has N blades (default 2); repeatable."),
         QStringLiteral("KEY=N")},
        {QStringLiteral("fit"),
         QStringLiteral("Also fit the polar to the published tables, with each propeller left "
                        "out once, and rewrite that section (some minutes).")},
    });
    p.process(app);
    for (const char* required : {"data", "batch", "render", "samples", "blade", "doc", "plots"})
        if (!p.isSet(QString::fromLatin1(required)))
            die(QStringLiteral("--%1 is required (see --help)").arg(required));

    QTemporaryDir temporary;
    const QString work =
        p.isSet(QStringLiteral("keep")) ? p.value(QStringLiteral("keep")) : temporary.path();
    Outputs plots{p.value(QStringLiteral("plots")), {}};
    if (!QDir().mkpath(work) || !QDir().mkpath(plots.plotFolder))
        die(QStringLiteral("cannot create %1 or %2").arg(work, plots.plotFolder));
    const Measurer measurer(p.value(QStringLiteral("batch")), work);

    std::vector<PublishedResult> results;
    for (const Propeller& propeller : publishedPropellers(p.value(QStringLiteral("data")))) {
        std::fprintf(stderr, "%s\n", qPrintable(propeller.key));
        PublishedResult r;
        r.propeller = propeller;
        r.thresholds = thresholdsOf(propeller.top, propeller.side);
        const auto run = [&](const QStringList& options, const QString& label) {
            return measurer.measure(propeller.top, propeller.side, propeller.diameter,
                                    propeller.reference, options, label);
        };
        r.user = run(userOptions(), kUserOptions);
        if (r.user.run.exitCode == kSpansDiffer)
            r.answered = run(userOptions() + kSameAnswer, kUserOptions);
        r.midway = run(thresholdOption(r.thresholds.midway), QStringLiteral("midway"));
        r.initial = run(thresholdOption(kWindowThreshold), QStringLiteral("110"));
        results.push_back(r);
    }
    const Section rendered =
        renderedSection(p.value(QStringLiteral("samples")), p.value(QStringLiteral("blade")),
                        p.value(QStringLiteral("render")), measurer, plots);

    QString generated =
        QStringLiteral("### The published propellers as a user measures them\n\n"
                       "Every pair of photographs as published, run through "
                       "`bladetrace-batch TOP SIDE --diameter D --rpm 5000 --speed 10 %1 "
                       "--charts FILE`; D is the real diameter for the two APC propellers "
                       "named in the targets and %2 m for the others. A refused pair counts in "
                       "the median as worse than any measured one.\n\n")
            .arg(kUserOptions, fixed(kAnyDiameter, 3)) +
        overview(results) + QStringLiteral("\n") + targets(results) +
        QStringLiteral("\n### Choosing the threshold\n\nThe same runs with `--match-spans` at "
                       "three thresholds: Otsu's (what `--threshold auto` suggests), the midway "
                       "between the paper's and the blade's most frequent grey, and the "
                       "window's initial 110. Mean |Δ c/R| and mean |Δ β| per propeller.\n\n") +
        thresholdComparison(results) + QStringLiteral("\n### Rendered blades\n\n") +
        rendered.summary + QLatin1Char('\n');
    for (const PublishedResult& r : results)
        if (r.propeller.known)
            generated += detail(r, plots);
    generated += rendered.body;

    const std::vector<PerformanceCase> cases = performanceCases(
        results, QDir(p.value(QStringLiteral("data"))).filePath(QStringLiteral("windtunnel")),
        bladeCounts(p.values(QStringLiteral("blades"))));
    std::vector<NamedPicture> performancePlots;
    const QString performance = performanceSection(cases, kPerformancePlots, performancePlots);
    for (const NamedPicture& picture : performancePlots) {
        const QString path = QDir(plots.plotFolder).filePath(picture.file);
        plots.files.append({{path, path}, pictureBytes(picture.picture, path)});
    }

    QFile doc(p.value(QStringLiteral("doc")));
    if (!doc.open(QIODevice::ReadOnly))
        die(QStringLiteral("cannot read %1").arg(doc.fileName()));
    QString text = QString::fromUtf8(doc.readAll());
    doc.close();
    replaceBetween(text, kBegin, kEnd, generated, doc.fileName());
    replaceBetween(text, kPerformanceBegin, kPerformanceEnd, performance, doc.fileName());
    if (p.isSet(QStringLiteral("fit")))
        replaceBetween(text, kFitBegin, kFitEnd, polarFitSection(cases), doc.fileName());
    plots.files.append({{doc.fileName(), doc.fileName()}, text.toUtf8()});
    const OutputResult written = writeOutputs(plots.files, {});
    if (written.status != OutputStatus::Written)
        die(written.message);
    std::printf("%s updated, plots in %s\n", qPrintable(doc.fileName()),
                qPrintable(plots.plotFolder));
    return 0;
}
