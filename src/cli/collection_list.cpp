#include "collection_list.h"

#include "base/app_error.h"
#include "csv_table.h"
#include "files/path_bytes.h"
#include "files/picture_file.h"
#include "text/number_format.h"

#include <QDir>
#include <QHash>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sys/stat.h>

namespace bladetrace::cli {
namespace {

enum Column {
    kName,
    kTop,
    kSide,
    kDiameter,
    kRpm,
    kSpeed,
    kBlades,
    kThreshold,
    kThickness,
    kImperial,
    kPolar,
    kColumns
};
constexpr int kRequired = kBlades; // the columns before it must be there

// A pair's values as texts, read by its run as the command line's are.
struct PairValues {
    QString diameter, rpm, speed, blades, threshold, thickness, imperial;
    QString polar; // a path the run can open from any folder
};

QString absolutePath(const QString& path) {
    return QDir::isAbsolutePath(path) ? path : QDir::currentPath() + QLatin1Char('/') + path;
}

QString folderOf(const QString& path) {
    const QString absolute = absolutePath(path);
    return absolute.left(absolute.lastIndexOf(QLatin1Char('/')));
}

QString relativeTo(const QString& folder, const QString& path) {
    return QDir::isAbsolutePath(path) ? path : folder + QLatin1Char('/') + path;
}

std::optional<bool> yesOrNo(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("yes") || t == QLatin1String("true") || t == QLatin1String("1"))
        return true;
    if (t == QLatin1String("no") || t == QLatin1String("false") || t == QLatin1String("0"))
        return false;
    return std::nullopt;
}

// What the command line gives every pair.
PairValues commandLineValues(const BatchOptions& o) {
    const auto given = [&o](const char* name, const QString& value) {
        return o.given.contains(QLatin1String(name)) ? value : QString();
    };
    PairValues v;
    v.diameter = given("diameter", o.diameter);
    v.rpm = given("rpm", o.rpm);
    v.speed = given("speed", o.speed);
    v.blades = given("blades", QString::number(o.blades));
    v.threshold = o.autoThreshold ? QStringLiteral("auto") : QString::number(o.threshold);
    v.thickness = o.thickness ? o.rootThickness + QLatin1Char(':') + o.tipThickness : QString();
    v.imperial = o.imperial ? QStringLiteral("yes") : QString();
    v.polar = o.polarFile.isEmpty() ? QString() : absolutePath(o.polarFile);
    return v;
}

// The options every pair's run shares: span matching, language, number limits, CSV style.
QStringList sharedArguments(const BatchOptions& o) {
    QStringList a;
    if (o.matchSpans)
        a << QStringLiteral("--match-spans");
    if (o.matchSpans && o.given.contains(QLatin1String("max-span-difference")))
        a << QStringLiteral("--max-span-difference") << formatGeneral(o.maxSpanDifference);
    if (o.language == Language::German)
        a << QStringLiteral("--language") << QStringLiteral("de");
    if (o.maxMegapixels > 0)
        a << QStringLiteral("--max-megapixels") << formatGeneral(o.maxMegapixels);
    if (o.airDensity > 0)
        a << QStringLiteral("--air-density") << formatGeneral(o.airDensity);
    if (o.viscosity > 0)
        a << QStringLiteral("--viscosity") << formatGeneral(o.viscosity);
    if (o.csv == CsvStyle::Regional && o.exportFormats.contains(QLatin1String("csv")))
        a << QStringLiteral("--csv") << QStringLiteral("regional");
    return a;
}

// The run's arguments, or why there can be none.
QString pairArguments(const CollectionPair& pair, const PairValues& v, const QStringList& shared,
                      QStringList& arguments) {
    arguments = QStringList{pair.top, pair.side};
    for (const auto& [option, value] : {std::pair{"diameter", v.diameter}, std::pair{"rpm", v.rpm},
                                        std::pair{"speed", v.speed}}) {
        if (value.trimmed().isEmpty())
            return QStringLiteral("no %1").arg(QLatin1String(option));
        arguments << QStringLiteral("--") + QLatin1String(option) << value;
    }
    arguments << QStringLiteral("--threshold") << v.threshold.trimmed().toLower();
    const std::optional<bool> imperial =
        v.imperial.trimmed().isEmpty() ? false : yesOrNo(v.imperial);
    if (!imperial)
        return QStringLiteral("imperial takes yes or no, not \"%1\"").arg(v.imperial);
    if (*imperial)
        arguments << QStringLiteral("--imperial");
    const QString thickness = v.thickness.trimmed();
    if (!thickness.isEmpty() && yesOrNo(thickness) != false)
        arguments << QStringLiteral("--thickness") << thickness;
    if (!v.blades.trimmed().isEmpty())
        arguments << QStringLiteral("--blades") << v.blades.trimmed();
    if (!v.polar.isEmpty())
        arguments << QStringLiteral("--polar") << v.polar;
    arguments << shared;
    // The run's own reading, so that every pair that starts gets past it.
    const ParseResult parsed = parseBatchOptions(arguments);
    if (const auto* usage = std::get_if<UsageError>(&parsed))
        return usage->message;
    return QString();
}

// Names become file names in the output folder, beside the summary and its record.
QString nameProblem(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("no name");
    if (name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
        return QStringLiteral("the name \"%1\" cannot name files in the output folder").arg(name);
    if (name == QLatin1String("summary"))
        return QStringLiteral("the name \"summary\" is the summary's");
    return QString();
}

const QStringList& pictureExtensions() {
    static const QStringList extensions = {
        QStringLiteral("bmp"),  QStringLiteral("dib"), QStringLiteral("jpg"),
        QStringLiteral("jpeg"), QStringLiteral("jpe"), QStringLiteral("png"),
        QStringLiteral("gif"),  QStringLiteral("tif"), QStringLiteral("tiff"),
        QStringLiteral("pbm"),  QStringLiteral("pgm"), QStringLiteral("ppm"),
        QStringLiteral("pnm"),  QStringLiteral("webp")};
    return extensions;
}

// The file names in `folder` that are not hidden, byte for byte; empty with `error` set
// when it cannot be read.
QStringList folderEntries(const QString& folder, QString& error) {
    QStringList names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(pathBytes(folder).constData()), ::closedir);
    if (!dir) {
        error = QStringLiteral("cannot read the folder %1: %2")
                    .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        return names;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_name[0] != '.')
            names << pathFromBytes(entry->d_name);
    }
    return names;
}

} // namespace

QStringList manifestColumns() {
    return {QStringLiteral("name"),     QStringLiteral("top"),       QStringLiteral("side"),
            QStringLiteral("diameter"), QStringLiteral("rpm"),       QStringLiteral("speed"),
            QStringLiteral("blades"),   QStringLiteral("threshold"), QStringLiteral("thickness"),
            QStringLiteral("imperial"), QStringLiteral("polar")};
}

CollectionList readManifest(const QString& path, const BatchOptions& options) {
    CollectionList list;
    QString text;
    try {
        const std::shared_ptr<PictureFile> file = openPictureFile(path);
        text = QString::fromUtf8(reinterpret_cast<const char*>(file->data), file->size);
    } catch (const Failure& failure) {
        list.errors << failure.error().description;
        return list;
    }
    const CsvText csv = readCsv(text, csvSeparator(text));
    if (!csv.error.isEmpty() || csv.rows.empty()) {
        list.errors << path + QStringLiteral(": ") +
                           (csv.error.isEmpty() ? QStringLiteral("no header row") : csv.error);
        return list;
    }
    const QStringList names = manifestColumns();
    const QStringList& header = csv.rows[0];
    int at[kColumns];
    std::fill(std::begin(at), std::end(at), -1);
    for (int i = 0; i < header.size(); ++i) {
        const int c = int(names.indexOf(header[i].trimmed().toLower()));
        if (c < 0)
            list.warnings << QStringLiteral("%1: the column \"%2\" is not read")
                                 .arg(path, header[i].trimmed());
        else if (at[c] >= 0)
            list.errors << QStringLiteral("%1: two columns \"%2\"").arg(path, names[c]);
        else
            at[c] = i;
    }
    const PairValues byDefault = commandLineValues(options);
    const QString given[kColumns] = {
        {}, {}, {}, byDefault.diameter, byDefault.rpm, byDefault.speed};
    for (int c = 0; c < kRequired; ++c) {
        if (at[c] < 0 && given[c].isEmpty())
            list.errors << QStringLiteral("%1: no column \"%2\"%3")
                               .arg(path, names[c],
                                    c >= kDiameter ? QStringLiteral(" and no --") + names[c]
                                                   : QString());
    }
    if (!list.errors.isEmpty())
        return list;

    const QString folder = folderOf(path);
    const QStringList shared = sharedArguments(options);
    QHash<QString, int> lineOf;
    for (std::size_t r = 1; r < csv.rows.size(); ++r) {
        const QStringList& row = csv.rows[r];
        const auto cell = [&](int c) {
            return at[c] >= 0 && at[c] < row.size() ? row[at[c]].trimmed() : QString();
        };
        const auto orDefault = [&](int c, const QString& value) {
            return cell(c).isEmpty() ? value : cell(c);
        };
        CollectionPair pair;
        pair.name = cell(kName);
        pair.top = relativeTo(folder, cell(kTop));
        pair.side = relativeTo(folder, cell(kSide));
        QString problem = nameProblem(pair.name);
        if (row.size() > header.size())
            problem = QStringLiteral("%1 cells, and the header names %2 columns")
                          .arg(row.size())
                          .arg(header.size());
        if (problem.isEmpty() && lineOf.contains(pair.name))
            problem = QStringLiteral("the name is on line %1 too").arg(lineOf[pair.name]);
        if (problem.isEmpty() && (cell(kTop).isEmpty() || cell(kSide).isEmpty()))
            problem = QStringLiteral("no %1 view").arg(cell(kTop).isEmpty() ? "top" : "side");
        if (!lineOf.contains(pair.name))
            lineOf.insert(pair.name, csv.lines[r]);
        const PairValues values{orDefault(kDiameter, byDefault.diameter),
                                orDefault(kRpm, byDefault.rpm),
                                orDefault(kSpeed, byDefault.speed),
                                orDefault(kBlades, byDefault.blades),
                                orDefault(kThreshold, byDefault.threshold),
                                orDefault(kThickness, byDefault.thickness),
                                orDefault(kImperial, byDefault.imperial),
                                cell(kPolar).isEmpty() ? byDefault.polar
                                                       : relativeTo(folder, cell(kPolar))};
        if (problem.isEmpty())
            problem = pairArguments(pair, values, shared, pair.arguments);
        if (problem.isEmpty())
            list.pairs.push_back(pair);
        else
            list.errors << QStringLiteral("%1, line %2%3: %4")
                               .arg(path)
                               .arg(csv.lines[r])
                               .arg(pair.name.isEmpty()
                                        ? QString()
                                        : QStringLiteral(" (") + pair.name + QLatin1Char(')'),
                                    problem);
    }
    if (list.pairs.empty() && list.errors.isEmpty())
        list.errors << path + QStringLiteral(": no pairs, only the header row");
    return list;
}

CollectionList readFolder(const QString& folder, const BatchOptions& options) {
    CollectionList list;
    const PairValues values = commandLineValues(options);
    if (values.diameter.isEmpty() || values.rpm.isEmpty() || values.speed.isEmpty()) {
        list.errors << QStringLiteral("the pairs of a folder need --diameter, --rpm and --speed");
        return list;
    }
    QString error;
    const QStringList files = folderEntries(folder, error);
    if (!error.isEmpty()) {
        list.errors << error;
        return list;
    }
    std::map<QString, std::pair<QStringList, QStringList>> views; // name: tops, sides
    for (const QString& file : files) {
        const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
        if (dot <= 0 || !pictureExtensions().contains(file.mid(dot + 1).toLower()))
            continue;
        const QString stem = file.left(dot);
        for (const char* kind : {"-top", "-front", "-side"}) {
            if (stem.endsWith(QLatin1String(kind), Qt::CaseInsensitive) &&
                stem.size() > qsizetype(qstrlen(kind))) {
                auto& [tops, sides] = views[stem.left(stem.size() - qsizetype(qstrlen(kind)))];
                (kind[1] == 's' ? sides : tops) << file;
            }
        }
    }
    const QString absolute = absolutePath(folder);
    const QStringList shared = sharedArguments(options);
    for (auto& [name, found] : views) {
        auto& [tops, sides] = found;
        tops.sort();
        sides.sort();
        CollectionPair pair;
        pair.name = name;
        pair.top = tops.isEmpty() ? QString() : absolute + QLatin1Char('/') + tops[0];
        pair.side = sides.isEmpty() ? QString() : absolute + QLatin1Char('/') + sides[0];
        if (tops.isEmpty() || sides.isEmpty())
            pair.problem = QStringLiteral("no %1 view beside %2")
                               .arg(tops.isEmpty() ? "top" : "side", (tops + sides).join(", "));
        else if (tops.size() > 1 || sides.size() > 1)
            pair.problem = QStringLiteral("more than one view of a kind: %1")
                               .arg((tops + sides).join(QStringLiteral(", ")));
        else
            pair.problem = nameProblem(name);
        if (pair.problem.isEmpty())
            pair.problem = pairArguments(pair, values, shared, pair.arguments);
        list.pairs.push_back(pair);
    }
    if (list.pairs.empty())
        list.errors << QStringLiteral("no NAME-top.* and NAME-side.* pictures in %1").arg(folder);
    return list;
}

CollectionList readCollection(const BatchOptions& options) {
    struct stat status {};
    if (::stat(pathBytes(options.collection).constData(), &status) == 0 && S_ISDIR(status.st_mode))
        return readFolder(options.collection, options);
    return readManifest(options.collection, options);
}

} // namespace bladetrace::cli
