// bladetrace-render: draws the top and side view of a two-bladed propeller from a blade table.
#include "files/output_files.h"
#include "files/picture_bytes.h"
#include "propeller_renderer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

using namespace bladetrace::render;

namespace {

const char* const kConventions = R"(
Draws the two silhouettes of a two-bladed propeller as a flat-bed scan shows them: a dark
blade on light paper, the span horizontal, one blade left and one right of the hub, both
images the same width and cropped to the propeller with --margin pixels of paper around it.

Blade table (--blade): one row per line, four numbers separated by blanks:
  r/R   c/R   beta   t/c
relative radius, chord over tip radius, blade angle in degrees from the plane of rotation,
largest section thickness in percent of the chord. r/R increases from row to row. Lines
starting with '#' or with a word are skipped. Between rows every value is linear in r/R;
from the hub to the first row the first row holds, so the blade starts at the smaller of
the first row's radius and the hub radius.

Geometry:
  - The blade is straight: the point of every section at --pivot (fraction of the chord
    from the leading edge) lies on one radial line through the axis.
  - Each section lies in the plane at right angles to the span. It is the program's own
    31-point airfoil (10 % thick) with its thickness scaled to t/c, its chord turned by beta
    out of the plane of rotation, the leading edge ahead (in the direction of rotation) and
    upstream of the trailing edge, the cambered face upstream.
  - Top view, seen along the axis: a pixel column at radius r shows the section's reach in
    the plane of rotation (about c cos(beta), plus what the thickness adds). Side view, seen
    edge-on across the disc: its reach along the axis (about c sin(beta) plus thickness).
  - The left blade is the right one turned half a revolution: mirrored top to bottom in the
    top view, the same way up in the side view. --left-offset turns it further by that
    many degrees (a mis-set blade).
  - The hub is a cylinder on the axis: a disc of --hub-radius in the top view, a rectangle
    --hub-length long (default: the hub radius) in the side view; blade and hub merge.
  - Column x covers radius r = (x - margin) / ppm - D / 2 .. one pixel further: the left tip
    lies exactly at x = margin, the right tip at margin + D * ppm. Rows have the same scale;
    up in the top view is the right blade's direction of rotation (its leading edge), up in
    the side view is upstream.
  - Each pixel is the grey of its covered fraction (--oversample sub-columns, exact rows)
    between --paper and --ink, plus optional noise of standard deviation --noise.
)";

int fail(const QString& message) {
    std::fprintf(stderr, "bladetrace-render: %s\n", qPrintable(message));
    return 1;
}

bool readNumber(const QCommandLineParser& p, const QString& name, double& value) {
    if (!p.isSet(name))
        return true;
    bool ok = false;
    value = p.value(name).toDouble(&ok);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bladetrace-render"));
    QCommandLineParser p;
    p.setApplicationDescription(QString::fromLatin1(kConventions));
    p.addHelpOption();
    const QList<QCommandLineOption> options = {
        {QStringLiteral("blade"), QStringLiteral("Blade table file (required)."),
         QStringLiteral("file")},
        {QStringLiteral("diameter"), QStringLiteral("Tip-to-tip diameter in metres (required)."),
         QStringLiteral("m")},
        {QStringLiteral("ppm"), QStringLiteral("Resolution in pixels per metre (required)."),
         QStringLiteral("px/m")},
        {QStringLiteral("pivot"), QStringLiteral("Chord fraction on the blade axis (0.25)."),
         QStringLiteral("fraction")},
        {QStringLiteral("hub-radius"), QStringLiteral("Hub radius in metres (0)."),
         QStringLiteral("m")},
        {QStringLiteral("hub-length"), QStringLiteral("Hub length along the axis in metres."),
         QStringLiteral("m")},
        {QStringLiteral("margin"), QStringLiteral("Paper around the propeller in pixels (3)."),
         QStringLiteral("px")},
        {QStringLiteral("oversample"), QStringLiteral("Sub-columns per pixel column (8)."),
         QStringLiteral("n")},
        {QStringLiteral("paper"), QStringLiteral("Grey of the paper (235)."),
         QStringLiteral("0-255")},
        {QStringLiteral("ink"), QStringLiteral("Grey of the blade (30)."), QStringLiteral("0-255")},
        {QStringLiteral("noise"), QStringLiteral("Standard deviation of grey noise (0)."),
         QStringLiteral("grey")},
        {QStringLiteral("blur"), QStringLiteral("Standard deviation of a Gaussian blur (0)."),
         QStringLiteral("px")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the noise (1)."), QStringLiteral("n")},
        {QStringLiteral("left-offset"),
         QStringLiteral("Extra blade angle of the left blade in degrees (0)."),
         QStringLiteral("deg")},
        {QStringLiteral("top"), QStringLiteral("Output file of the top view (required)."),
         QStringLiteral("file")},
        {QStringLiteral("side"), QStringLiteral("Output file of the side view (required)."),
         QStringLiteral("file")},
    };
    p.addOptions(options);
    p.process(app);

    for (const char* required : {"blade", "diameter", "ppm", "top", "side"})
        if (!p.isSet(QString::fromLatin1(required)))
            return fail(QStringLiteral("--%1 is required (see --help)").arg(required));

    QFile file(p.value(QStringLiteral("blade")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
    BladeDefinition blade;
    const QString parseError = parseBladeTable(QString::fromUtf8(file.readAll()), blade.rows);
    if (!parseError.isEmpty())
        return fail(file.fileName() + QStringLiteral(": ") + parseError);

    RenderOptions o;
    double margin = o.margin, oversample = o.oversample, paper = o.paperGrey, ink = o.bladeGrey,
           seed = o.seed;
    const bool numbersOk = readNumber(p, QStringLiteral("diameter"), blade.diameter) &&
                           readNumber(p, QStringLiteral("ppm"), o.pixelsPerMetre) &&
                           readNumber(p, QStringLiteral("pivot"), blade.pivot) &&
                           readNumber(p, QStringLiteral("hub-radius"), blade.hubRadius) &&
                           readNumber(p, QStringLiteral("hub-length"), blade.hubLength) &&
                           readNumber(p, QStringLiteral("margin"), margin) &&
                           readNumber(p, QStringLiteral("oversample"), oversample) &&
                           readNumber(p, QStringLiteral("paper"), paper) &&
                           readNumber(p, QStringLiteral("ink"), ink) &&
                           readNumber(p, QStringLiteral("noise"), o.noise) &&
                           readNumber(p, QStringLiteral("blur"), o.blur) &&
                           readNumber(p, QStringLiteral("seed"), seed) &&
                           readNumber(p, QStringLiteral("left-offset"), o.leftBladeOffsetDeg);
    if (!numbersOk)
        return fail(QStringLiteral("every option value must be a number"));
    o.margin = int(margin);
    o.oversample = int(oversample);
    o.paperGrey = int(paper);
    o.bladeGrey = int(ink);
    o.seed = quint32(seed);
    const QString bladeError = checkBlade(blade);
    if (!bladeError.isEmpty())
        return fail(bladeError);
    const double width = blade.diameter * o.pixelsPerMetre;
    if (!(width >= 40 && width <= 30000) || o.margin < 0 || o.oversample < 1 || o.noise < 0 ||
        o.blur < 0 || paper < 0 || paper > 255 || ink < 0 || ink > 255)
        return fail(QStringLiteral("the span must be 40 to 30000 pixels, the margin, noise, blur "
                                   "and the greys not negative, the greys at most 255"));

    const RenderedPair pair = renderPropeller(blade, o);
    const std::pair<const QImage*, QString> views[] = {{&pair.top, QStringLiteral("top")},
                                                       {&pair.side, QStringLiteral("side")}};
    QList<bladetrace::OutputFile> outputs;
    for (const auto& [image, name] : views) {
        const QString path = p.value(name);
        outputs.append(
            {{QStringLiteral("--") + name, path}, bladetrace::pictureBytes(*image, path)});
        if (outputs.last().bytes.isEmpty())
            return fail(
                QStringLiteral("cannot write %1: no picture format of that name").arg(path));
    }
    // Both views or neither, and never over the blade table.
    const bladetrace::OutputResult written =
        bladetrace::writeOutputs(outputs, {{QStringLiteral("--blade"), file.fileName()}});
    if (written.status != bladetrace::OutputStatus::Written)
        return fail(written.message);
    for (const auto& [image, name] : views)
        std::printf("%s: %d x %d pixels\n", qPrintable(p.value(name)), image->width(),
                    image->height());
    return 0;
}
