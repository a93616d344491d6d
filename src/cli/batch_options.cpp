#include "batch_options.h"

namespace bladetrace::cli {
namespace {

// Options that take a value, and the flags without one.
const QStringList kValueOptions = {"--diameter",  "--rpm",      "--speed",  "--threshold",
                                   "--thickness", "--language", "--script", "--charts"};

std::optional<int> parseThreshold(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > 255)
        return std::nullopt;
    return value;
}

// "ROOT,TIP" or, where numbers carry decimal commas, "ROOT:TIP".
std::optional<std::pair<QString, QString>> splitThickness(const QString& text) {
    for (const QChar separator : {QLatin1Char(':'), QLatin1Char(',')}) {
        const QStringList parts = text.split(separator);
        if (parts.size() == 2 && !parts[0].trimmed().isEmpty() && !parts[1].trimmed().isEmpty())
            return std::pair{parts[0].trimmed(), parts[1].trimmed()};
    }
    return std::nullopt;
}

} // namespace

QString usageText() {
    return QStringLiteral(
        "usage: bladetrace-batch TOP SIDE --diameter D --rpm N --speed V\n"
        "                        [--threshold T|auto] [--match-spans] [--imperial]\n"
        "                        [--thickness ROOT,TIP]\n"
        "                        [--language en|de] [--script FILE] [--charts FILE]\n"
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
        "                       the longer one (refused beyond 15 %); the factor on stderr\n"
        "  --imperial           inputs and lengths in inch and mph\n"
        "  --thickness ROOT,TIP thickness correction with the section's thickness at the\n"
        "                       axis and at the tip in percent of chord (ROOT:TIP also works)\n"
        "  --language en|de     language of the messages (default en)\n"
        "  --script FILE        write the CAD section script (needs --thickness)\n"
        "  --charts FILE        write the values of the three charts\n"
        "\n"
        "Numbers are read in your regional format. Ctrl-C during the scans aborts the run.\n"
        "Exit status: 0 done, 2 bad usage, 3 the two views' spans differ, 4 the run failed,\n"
        "130 interrupted.\n");
}

ParseResult parseBatchOptions(const QStringList& arguments) {
    BatchOptions o;
    QStringList positional;
    bool haveDiameter = false, haveRpm = false, haveSpeed = false;
    for (int i = 0; i < arguments.size(); ++i) {
        QString arg = arguments[i];
        QString value;
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const bool inlineValue = arg.startsWith(QLatin1String("--")) && equals > 0;
        if (inlineValue) {
            value = arg.mid(equals + 1);
            arg = arg.left(equals);
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            return HelpRequested{};
        if (arg == QLatin1String("--imperial")) {
            o.imperial = true;
            continue;
        }
        if (arg == QLatin1String("--match-spans")) {
            o.matchSpans = true;
            continue;
        }
        if (!arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
            positional << arguments[i];
            continue;
        }
        if (!kValueOptions.contains(arg))
            return UsageError{QStringLiteral("unknown option %1").arg(arg)};
        if (!inlineValue) {
            if (++i >= arguments.size())
                return UsageError{QStringLiteral("%1 needs a value").arg(arg)};
            value = arguments[i];
        }
        if (arg == QLatin1String("--diameter")) {
            o.diameter = value;
            haveDiameter = true;
        } else if (arg == QLatin1String("--rpm")) {
            o.rpm = value;
            haveRpm = true;
        } else if (arg == QLatin1String("--speed")) {
            o.speed = value;
            haveSpeed = true;
        } else if (arg == QLatin1String("--threshold") && value == QLatin1String("auto")) {
            o.autoThreshold = true;
        } else if (arg == QLatin1String("--threshold")) {
            const auto t = parseThreshold(value);
            if (!t)
                return UsageError{
                    QStringLiteral("--threshold takes a whole number from 0 to 255, or auto")};
            o.threshold = *t;
        } else if (arg == QLatin1String("--thickness")) {
            const auto parts = splitThickness(value);
            if (!parts)
                return UsageError{QStringLiteral("--thickness takes ROOT,TIP, e.g. 20,10")};
            o.thickness = true;
            o.rootThickness = parts->first;
            o.tipThickness = parts->second;
        } else if (arg == QLatin1String("--language")) {
            if (value == QLatin1String("en"))
                o.language = 1;
            else if (value == QLatin1String("de"))
                o.language = 2;
            else
                return UsageError{QStringLiteral("--language takes en or de")};
        } else if (arg == QLatin1String("--script")) {
            o.scriptFile = value;
        } else {
            o.chartsFile = value;
        }
    }
    if (positional.size() != 2)
        return UsageError{
            QStringLiteral("give the top view and the side view image, in this order")};
    if (!haveDiameter || !haveRpm || !haveSpeed)
        return UsageError{QStringLiteral("--diameter, --rpm and --speed are needed")};
    if (!o.scriptFile.isEmpty() && !o.thickness)
        return UsageError{QStringLiteral("--script needs --thickness: the script is made by the "
                                         "thickness correction")};
    o.topFile = positional[0];
    o.sideFile = positional[1];
    return o;
}

} // namespace bladetrace::cli
