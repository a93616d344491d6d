#include "batch_options.h"

#include "export/export_format.h"
#include "text/number_format.h"

#include <QCommandLineParser>
#include <QLocale>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <optional>

namespace bladetrace::cli {
namespace {

// Checks one value at a time; the first bad one ends the parse with its message.
class Values {
public:
    explicit Values(const QCommandLineParser& parser) : parser_(parser) {}

    const std::optional<UsageError>& error() const { return error_; }

    // A number the run reads as the window reads its box; `single`: it is kept in a float.
    QString number(const QString& name, bool single = false) {
        const QString value = parser_.value(name);
        if (parser_.isSet(name))
            checkNumber(name, value, value, single);
        return value;
    }

    double positive(const QString& name) {
        if (!parser_.isSet(name))
            return 0.0;
        const QString value = parser_.value(name);
        const std::optional<double> n = tryParseNumber(value);
        if (n && *n > 0)
            return *n;
        refuse(name, value, "a number above zero");
        return 0.0;
    }

    std::optional<int> whole(const QString& name, int lowest, int highest,
                             const QString& alternative = QString()) {
        if (!parser_.isSet(name))
            return std::nullopt;
        const QString value = parser_.value(name);
        bool ok = false;
        const int n = value.trimmed().toInt(&ok);
        if (!ok || n < lowest || n > highest)
            refuse(name, value,
                   QStringLiteral("a whole number from %1 to %2 %3")
                       .arg(lowest)
                       .arg(highest)
                       .arg(alternative)
                       .trimmed());
        return n;
    }

    // "ROOT,TIP" or, where numbers carry decimal commas, "ROOT:TIP".
    std::optional<std::pair<QString, QString>> thickness(const QString& name) {
        if (!parser_.isSet(name))
            return std::nullopt;
        const QString value = parser_.value(name);
        for (const QChar separator : {QLatin1Char(':'), QLatin1Char(',')}) {
            const QStringList parts = value.split(separator);
            if (parts.size() == 2 && tryParseNumber(parts[0]) && tryParseNumber(parts[1])) {
                checkNumber(name, value, parts[0], true);
                checkNumber(name, value, parts[1], true);
                return std::pair{parts[0].trimmed(), parts[1].trimmed()};
            }
        }
        refuse(name, value, "ROOT,TIP, e.g. 20,10 (ROOT:TIP where numbers have decimal commas)");
        return std::nullopt;
    }

    void refuse(const QString& name, const QString& value, const QString& what) {
        if (!error_)
            error_ = UsageError{QStringLiteral("--%1 takes %2, not \"%3\"").arg(name, what, value)};
    }

private:
    void checkNumber(const QString& name, const QString& value, const QString& part, bool single) {
        const std::optional<double> n = tryParseNumber(part);
        const std::optional<TwoReadings> two = ambiguousNumber(part);
        if (two && !error_)
            error_ = UsageError{
                QStringLiteral("--%1 takes a number, not \"%2\", which could be %3 or %4 where the "
                               "decimal sign is \"%5\": leave out the thousands separator")
                    .arg(name, value, formatGeneral(two->decimalPoint),
                         formatGeneral(two->thousands), QLocale().decimalPoint())};
        else if (!n)
            refuse(name, value, "a number");
        else if (single && std::fabs(*n) > double(FLT_MAX))
            refuse(name, value, "a number no larger than 3.4e38");
    }

    const QCommandLineParser& parser_;
    std::optional<UsageError> error_;
};

// Options with a value name take one; the rest are switches.
const QList<QCommandLineOption>& optionList() {
    static const QList<QCommandLineOption> options = {
        {{"h", "help"}, ""},        {"version", ""},
        {"diameter", "", "D"},      {"rpm", "", "N"},
        {"speed", "", "V"},         {"threshold", "", "T"},
        {"imperial", ""},           {"thickness", "", "ROOT,TIP"},
        {"match-spans", ""},        {"max-span-difference", "", "PERCENT"},
        {"language", "", "en|de"},  {"script", "", "FILE"},
        {"charts", "", "FILE"},     {"max-megapixels", "", "N"},
        {"export", "", "FILE"},     {"csv", "", "plain|regional"},
        {"blades", "", "N"},        {"summary", "", "FILE"},
        {"collection", "", "LIST"}, {"out", "", "DIR"},
        {"jobs", "", "N"},          {"export-formats", "", "FORMATS"},
        {"exact-spans", ""},        {"performance", "", "FILE"},
        {"polar", "", "FILE"},      {"air-density", "", "KG/M3"},
        {"viscosity", "", "M2/S"},
    };
    return options;
}

constexpr int kMostBlades = 64;
constexpr int kMostJobs = 1024;

// What a collection takes besides the options of its pairs.
ParseResult collectionOptions(const QCommandLineParser& parser, BatchOptions o) {
    if (!parser.positionalArguments().isEmpty())
        return UsageError{QStringLiteral("a --collection names its pictures itself; \"%1\" is "
                                         "one too many")
                              .arg(parser.positionalArguments().first())};
    for (const char* name : {"script", "charts", "export", "summary", "performance"}) {
        if (parser.isSet(name))
            return UsageError{QStringLiteral("--%1 is for one pair; a collection writes each "
                                             "pair's files as --export-formats says")
                                  .arg(name)};
    }
    if (!parser.isSet("out"))
        return UsageError{QStringLiteral("--collection needs --out DIR, the folder for the "
                                         "summary and the pairs' files")};
    o.exactSpans = parser.isSet("exact-spans");
    if (o.exactSpans && (parser.isSet("match-spans") || parser.isSet("max-span-difference")))
        return UsageError{QStringLiteral("--exact-spans measures the views as they are: no "
                                         "--match-spans or --max-span-difference with it")};
    o.matchSpans = !o.exactSpans;
    o.collection = parser.value("collection");
    o.outDir = parser.value("out");
    o.exportFormats = QStringList{QStringLiteral("csv")};
    if (parser.isSet("export-formats")) {
        o.exportFormats.clear();
        const QString value = parser.value("export-formats");
        for (const QString& format : value.split(QLatin1Char(','))) {
            const QString f = format.trimmed().toLower();
            if (!exportFormatFor(QStringLiteral("a.") + f) || f.isEmpty())
                return UsageError{QStringLiteral("--export-formats takes a list of csv, qprop, "
                                                 "txt and pdf, not \"%1\"")
                                      .arg(value)};
            if (!o.exportFormats.contains(f))
                o.exportFormats << f;
        }
        // In one order, however given: the same formats are the same outputs.
        const QStringList order = exportExtensions();
        std::sort(o.exportFormats.begin(), o.exportFormats.end(),
                  [&order](const QString& a, const QString& b) {
                      return order.indexOf(QLatin1Char('.') + a) <
                             order.indexOf(QLatin1Char('.') + b);
                  });
    }
    if (!parser.isSet("threshold"))
        o.autoThreshold = true;
    return o;
}

} // namespace

QString usageText() {
    return QStringLiteral(
        "usage: bladetrace-batch [options] TOP SIDE --diameter D --rpm N --speed V\n"
        "       bladetrace-batch [options] --collection LIST.csv|FOLDER --out DIR\n"
        "\n"
        "Measures a propeller blade from a top view (TOP) and a side view (SIDE) image and\n"
        "prints the spreadsheet: a header row, then one tab-separated line per station.\n"
        "\n"
        "  --diameter D         real diameter in metres (inches with --imperial)\n"
        "  --rpm N              propeller revolutions per minute\n"
        "  --speed V            flight speed in m/s (mph with --imperial)\n"
        "  --threshold T        grey threshold 0..255; greys up to T are blade (default 110)\n"
        "  --threshold auto     the threshold suggested from the two images, shown on stderr\n"
        "  --match-spans        crop both views to the blade and scale the shorter span up to\n"
        "                       the longer one; the factor on stderr\n"
        "  --max-span-difference PERCENT\n"
        "                       with --match-spans, refuse spans further apart than this\n"
        "                       (default 15; more if both images surely show one propeller)\n"
        "  --imperial           inputs and lengths in inch and mph\n"
        "  --thickness ROOT,TIP thickness correction with the section's thickness at the\n"
        "                       axis and at the tip in percent of chord (ROOT:TIP also works)\n"
        "  --language en|de     language of the messages (default en)\n"
        "  --script FILE        write the CAD section script (needs --thickness); once\n"
        "  --charts FILE        write the values of the three charts; once\n"
        "  --export FILE        save the folded blade, hub to tip, as the extension says:\n"
        "                       .csv table, .qprop QPROP propeller file, .txt published-style\n"
        "                       table or .pdf report; may be given several times\n"
        "  --csv plain|regional .csv with commas and a decimal point (plain, the default), or\n"
        "                       with semicolons and your regional decimal sign, which a\n"
        "                       spreadsheet set to a region with a decimal comma opens in\n"
        "                       columns\n"
        "  --max-megapixels N   refuse larger images (default: the loader's limit)\n"
        "  --blades N           the propeller's blade count, for the QPROP file and the\n"
        "                       prediction (default 2, or the --polar file's)\n"
        "  --performance FILE   write the predicted performance at the run's RPM as CSV:\n"
        "                       J, V, CT, CP, eta, thrust, power and torque from J = 0 until\n"
        "                       the thrust falls below zero (V in mph, T in lbf with\n"
        "                       --imperial); a run with no prediction fails\n"
        "  --polar FILE         the section polar (and blade count) of a QPROP propeller\n"
        "                       file: its lines up to \"REref REexp\"; the program's own\n"
        "                       polar otherwise\n"
        "  --air-density RHO    in kg/m^3 (default 1.225, sea level)\n"
        "  --viscosity NU       the air's kinematic viscosity in m^2/s (default 1.46e-5)\n"
        "  --summary FILE       write the run's key figures as JSON (threshold, span\n"
        "                       matching, stations, c/R, beta and pitch at r/R 0.75, and\n"
        "                       thrust, power, efficiency, CT and CP at the flight speed)\n"
        "  -h, --help           show this text\n"
        "  --version            show the program's version\n"
        "\n"
        "Options may come in any order and as --option=value; after -- everything is a file.\n"
        "Numbers are read in your regional format; where the decimal sign is a comma a point\n"
        "is one too, but a number such as 15.000 that could be 15 or 15000 is refused. The\n"
        "thousands separator is read only between groups of three digits, never in the C\n"
        "locale. A diameter or RPM of zero or less is replaced by 1.0 with a message, as the\n"
        "window does; a speed below zero is refused. Files are replaced only when the run is\n"
        "done and all of them are written, keeping owner and mode; if one fails, all old\n"
        "files are put back. A file with other hard links, or one whose owner or mode a new\n"
        "file could not get, is rewritten in place. No output may name an input, or the file\n"
        "standard output or standard error goes to.\n"
        "A blade that touches the picture's top or bottom edge in more than 10 % of its\n"
        "columns may be cut off and is refused; fewer such columns (a mount below the hub)\n"
        "are noted.\n"
        "Ctrl-C (or SIGTERM) while the images load ends the program; during the scans it\n"
        "aborts the run; while the files are written, they are all written or all put back.\n"
        "Exit status: 0 done, 2 bad usage or a --polar file that cannot be read, 3 the two\n"
        "views' spans differ, 4 the run failed, there is no prediction for --performance or\n"
        "an output could not be written, 5 the views cannot be measured (one file given\n"
        "as both, or a blade cut off by the picture's edge), 130 interrupted (Ctrl-C), 143\n"
        "terminated.\n"
        "\n"
        "A collection: every pair of a manifest or a folder, measured into DIR.\n"
        "  --collection LIST.csv  a CSV file with a header row naming its columns, in any\n"
        "                       order: name, top, side, diameter, rpm, speed, and optionally\n"
        "                       blades, threshold (or auto), thickness (ROOT,TIP), imperial\n"
        "                       (yes or no), polar (a QPROP file); paths relative to the file\n"
        "  --collection FOLDER  every NAME-top.* (or NAME-front.*) and NAME-side.* picture\n"
        "                       pair in the folder, with --diameter, --rpm and --speed\n"
        "  --out DIR            where DIR/summary.csv and each pair's DIR/NAME.* go\n"
        "  --export-formats LIST  csv,qprop,txt,pdf: the files of each pair (default csv)\n"
        "  --jobs N             pairs measured at once (default: one per core)\n"
        "  --exact-spans        measure the views as they are; a collection otherwise\n"
        "                       matches spans\n"
        "--diameter, --rpm, --speed, --threshold, --thickness, --imperial, --blades and\n"
        "--polar give the value of an empty or missing column; --max-span-difference,\n"
        "--language, --csv, --max-megapixels, --air-density and --viscosity apply to every\n"
        "pair. The summary has the predicted thrust, power, efficiency, CT and CP at each\n"
        "pair's speed. Without a threshold a collection takes --threshold auto. Run again,\n"
        "it measures only the pairs whose pictures, polar file or options changed, whose\n"
        "files are missing, or whose run failed for another reason than its pictures;\n"
        "Ctrl-C lets pairs that are being written finish and keeps the summary whole. Exit\n"
        "status: 0 every pair measured, 2 bad usage or a bad manifest, 4 a pair not measured\n"
        "(the summary says why), 130 or 143 interrupted.\n");
}

ParseResult parseBatchOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions(optionList());
    parser.addPositionalArgument("TOP", "");
    parser.addPositionalArgument("SIDE", "");
    if (!parser.parse(QStringList{QStringLiteral("bladetrace-batch")} + arguments))
        return UsageError{parser.errorText()};
    if (parser.isSet("help"))
        return HelpRequested{};
    if (parser.isSet("version"))
        return VersionRequested{};

    BatchOptions o;
    Values values(parser);
    o.diameter = values.number("diameter", true);
    o.rpm = values.number("rpm");
    o.speed = values.number("speed");
    if (const std::optional<double> speed = tryParseNumber(o.speed); speed && *speed < 0)
        values.refuse("speed", o.speed, "a flight speed of zero or more");
    o.autoThreshold = parser.value("threshold") == QLatin1String("auto");
    if (!o.autoThreshold)
        o.threshold = values.whole("threshold", 0, 255, "or auto").value_or(o.threshold);
    o.matchSpans = parser.isSet("match-spans");
    if (parser.isSet("max-span-difference"))
        o.maxSpanDifference = values.positive("max-span-difference");
    o.imperial = parser.isSet("imperial");
    if (const auto parts = values.thickness("thickness")) {
        o.thickness = true;
        o.rootThickness = parts->first;
        o.tipThickness = parts->second;
    }
    const QString language = parser.value("language");
    if (parser.isSet("language") && language != "en" && language != "de")
        values.refuse("language", language, "en or de");
    o.language = language == "de" ? Language::German : Language::English;
    for (const char* name :
         {"script", "charts", "summary", "performance", "collection", "out", "polar"}) {
        const QStringList given = parser.values(name);
        const bool written = qstrcmp(name, "collection") != 0 && qstrcmp(name, "out") != 0 &&
                             qstrcmp(name, "polar") != 0;
        if (given.size() > 1)
            return UsageError{QStringLiteral("--%1 is given %2 times; it %3")
                                  .arg(name)
                                  .arg(given.size())
                                  .arg(written ? "writes one file" : "takes one")};
        if (given.size() == 1 && given[0].isEmpty())
            return UsageError{QStringLiteral("--%1 needs a %2 name, not an empty text")
                                  .arg(name, written ? "file" : "file or folder")};
    }
    o.scriptFile = parser.value("script");
    o.summaryFile = parser.value("summary");
    o.chartsFile = parser.value("charts");
    o.performanceFile = parser.value("performance");
    o.polarFile = parser.value("polar");
    o.airDensity = values.positive("air-density");
    o.viscosity = values.positive("viscosity");
    o.exportFiles = parser.values("export");
    for (const QString& file : o.exportFiles) {
        if (!exportFormatFor(file))
            return UsageError{unknownExportText(file)};
    }
    const QString csv = parser.value("csv");
    if (parser.isSet("csv") && csv != "plain" && csv != "regional")
        values.refuse("csv", csv, "plain or regional");
    o.csv = csv == "regional" ? CsvStyle::Regional : CsvStyle::Plain;
    if (parser.isSet("csv") && !parser.isSet("collection") &&
        std::none_of(o.exportFiles.begin(), o.exportFiles.end(),
                     [](const QString& f) { return exportFormatFor(f) == ExportFormat::Csv; }))
        values.refuse("csv", csv, "a style for a .csv --export, and there is none");
    o.maxMegapixels = values.positive("max-megapixels");
    o.blades = values.whole("blades", 1, kMostBlades).value_or(o.blades);
    o.jobs = values.whole("jobs", 1, kMostJobs).value_or(0);
    o.given = parser.optionNames();
    if (values.error())
        return *values.error();
    if (parser.isSet("collection"))
        return collectionOptions(parser, std::move(o));
    for (const char* name : {"out", "jobs", "export-formats", "exact-spans"}) {
        if (parser.isSet(name))
            return UsageError{QStringLiteral("--%1 is for a --collection").arg(name)};
    }

    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return UsageError{
            QStringLiteral("give the top view and the side view image, in this order")};
    if (!parser.isSet("diameter") || !parser.isSet("rpm") || !parser.isSet("speed"))
        return UsageError{QStringLiteral("--diameter, --rpm and --speed are needed")};
    if (parser.isSet("script") && !o.thickness)
        return UsageError{QStringLiteral("--script needs --thickness: the script is made by the "
                                         "thickness correction")};
    if (parser.isSet("max-span-difference") && !o.matchSpans)
        return UsageError{QStringLiteral("--max-span-difference needs --match-spans: it says how "
                                         "far apart the spans to be matched may be")};
    o.topFile = files[0];
    o.sideFile = files[1];
    return o;
}

bool asksForReport(const BatchOptions& options) {
    if (!options.collection.isEmpty()) // its runs start from it, fonts loaded
        return options.exportFormats.contains(QLatin1String("pdf"));
    return std::any_of(options.exportFiles.begin(), options.exportFiles.end(),
                       [](const QString& f) { return exportFormatFor(f) == ExportFormat::Report; });
}

} // namespace bladetrace::cli
