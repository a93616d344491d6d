#include "collection_record.h"

#include "base/app_error.h"
#include "base/app_info.h"
#include "csv_table.h"
#include "files/picture_file.h"
#include "performance/performance_table.h"
#include "run_summary.h"
#include "text/number_format.h"
#include "text/units.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>

namespace bladetrace::cli {
namespace {

// The record's keys.
namespace key {
const char kName[] = "name";
const char kArguments[] = "arguments";
const char kLocale[] = "locale";
const char kTop[] = "top";
const char kSide[] = "side";
const char kStatus[] = "status";
const char kMessage[] = "message";
const char kFigures[] = "figures";
const char kPairs[] = "pairs";
const char kProgram[] = "program";
} // namespace key

// How the summary writes a figure of a record.
struct Cells {
    QLocale locale;
    bool imperial;

    QString number(const PairRecord& p, const char* key, int decimals) const {
        const QJsonValue v = p.figures.value(QLatin1String(key));
        return v.isDouble() ? formatFixed(v.toDouble(), decimals, locale) : QString();
    }
    QString length(const PairRecord& p, const char* key) const {
        const QJsonValue v = p.figures.value(QLatin1String(key));
        if (!v.isDouble())
            return QString();
        return imperial ? formatFixed(v.toDouble() / kMetresPerInch, 3, locale)
                        : formatFixed(v.toDouble(), 4, locale);
    }
    QString force(const PairRecord& p, const char* key) const {
        const QJsonValue v = p.figures.value(QLatin1String(key));
        if (!v.isDouble())
            return QString();
        return imperial ? formatFixed(v.toDouble() / kNewtonsPerPoundForce, 3, locale)
                        : formatFixed(v.toDouble(), 2, locale);
    }
    QString text(const PairRecord& p, const char* key) const {
        return p.figures.value(QLatin1String(key)).toVariant().toString();
    }
};

// The summary's columns, in order. A figure a run adds to its --summary (run_summary.h)
// comes into the summary with a line here; "%1" in a header is the unit of lengths, "%2"
// that of forces.
struct SummaryColumn {
    const char* header;
    QString (*cell)(const PairRecord&, const Cells&);
};
const SummaryColumn kSummaryColumns[] = {
    {"name", [](const PairRecord& p, const Cells&) { return p.name; }},
    {"status", [](const PairRecord& p, const Cells&) { return QString::number(p.status); }},
    {"result", [](const PairRecord& p, const Cells&) { return resultText(p.status); }},
    {"message", [](const PairRecord& p, const Cells&) { return p.message; }},
    {"threshold",
     [](const PairRecord& p, const Cells& c) { return c.text(p, figure::kThreshold); }},
    {"scaled view",
     [](const PairRecord& p, const Cells& c) { return c.text(p, figure::kScaledView); }},
    {"scale factor",
     [](const PairRecord& p, const Cells& c) { return c.number(p, figure::kSpanScale, 4); }},
    {"stations", [](const PairRecord& p, const Cells& c) { return c.text(p, figure::kStations); }},
    {"blades", [](const PairRecord& p, const Cells& c) { return c.text(p, figure::kBlades); }},
    {"c/R at r/R 0.75",
     [](const PairRecord& p, const Cells& c) { return c.number(p, figure::kChord075, 4); }},
    {"beta at r/R 0.75 [deg]",
     [](const PairRecord& p, const Cells& c) { return c.number(p, figure::kBeta075, 2); }},
    {"pitch at 0.75 R%1",
     [](const PairRecord& p, const Cells& c) { return c.length(p, figure::kPitch075); }},
    {"thrust%2", [](const PairRecord& p, const Cells& c) { return c.force(p, figure::kThrust); }},
    {"power [W]",
     [](const PairRecord& p, const Cells& c) { return c.number(p, figure::kPower, 1); }},
    {"efficiency",
     [](const PairRecord& p, const Cells& c) { return c.number(p, figure::kEfficiency, 3); }},
    {"CT", [](const PairRecord& p, const Cells& c) { return c.number(p, figure::kCT, 4); }},
    {"CP", [](const PairRecord& p, const Cells& c) { return c.number(p, figure::kCP, 4); }},
    {"measured", [](const PairRecord& p, const Cells& c) { return c.text(p, figure::kCompleted); }},
};

QJsonObject recordJson(const PairRecord& r) {
    return {{key::kName, r.name},
            {key::kArguments, QJsonArray::fromStringList(r.arguments)},
            {key::kLocale, r.locale},
            {key::kTop, stampJson(r.top)},
            {key::kSide, stampJson(r.side)},
            {key::kStatus, r.status},
            {key::kMessage, r.message},
            {key::kFigures, r.figures}};
}

PairRecord recordFromJson(const QJsonObject& o) {
    PairRecord r;
    r.name = o.value(key::kName).toString();
    for (const QJsonValue& a : o.value(key::kArguments).toArray())
        r.arguments << a.toString();
    r.locale = o.value(key::kLocale).toString();
    r.top = stampFromJson(o.value(key::kTop).toObject());
    r.side = stampFromJson(o.value(key::kSide).toObject());
    r.status = o.value(key::kStatus).toInt(-1);
    r.message = o.value(key::kMessage).toString();
    r.figures = o.value(key::kFigures).toObject();
    return r;
}

QString programText() {
    const AppVersion v = appVersion();
    return QStringLiteral("bladetrace-batch %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision);
}

} // namespace

bool samePair(const PairRecord& before, const PairRecord& now) {
    return before.arguments == now.arguments && before.locale == now.locale &&
           before.top.sameContent(now.top) && before.side.sameContent(now.side);
}

std::map<QString, PairRecord> readRecords(const QString& path, QString& warning) {
    std::map<QString, PairRecord> records;
    QByteArray bytes;
    try {
        const std::shared_ptr<PictureFile> file = openPictureFile(path);
        bytes = QByteArray(reinterpret_cast<const char*>(file->data), file->size);
    } catch (const Failure& failure) {
        if (failure.error().number != errc::kFileNotFound)
            warning = failure.error().description;
        return records;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (!document.isObject() ||
        document.object().value(key::kProgram).toString() != programText()) {
        warning = QStringLiteral("%1 is not this program's record of a collection; every pair "
                                 "is measured")
                      .arg(path);
        return records;
    }
    for (const QJsonValue& pair : document.object().value(key::kPairs).toArray()) {
        PairRecord r = recordFromJson(pair.toObject());
        records[r.name] = r;
    }
    return records;
}

QByteArray recordBytes(const std::vector<PairRecord>& records) {
    QJsonArray pairs;
    for (const PairRecord& r : records)
        pairs.append(recordJson(r));
    return QJsonDocument(QJsonObject{{key::kProgram, programText()}, {key::kPairs, pairs}})
        .toJson(QJsonDocument::Indented);
}

QByteArray summaryBytes(const std::vector<PairRecord>& records, CsvStyle style, bool imperial) {
    const bool regional = style == CsvStyle::Regional;
    const Cells cells{regional ? QLocale() : QLocale::c(), imperial};
    const QChar separator = regional ? QLatin1Char(';') : QLatin1Char(',');
    const QString unit = imperial ? QStringLiteral(" [in]") : QStringLiteral(" [m]");
    const QString force = imperial ? QStringLiteral(" [lbf]") : QStringLiteral(" [N]");
    QStringList line;
    for (const SummaryColumn& column : kSummaryColumns)
        line << csvField(QString::fromLatin1(column.header)
                             .replace(QLatin1String("%1"), unit)
                             .replace(QLatin1String("%2"), force),
                         separator);
    QString text = line.join(separator) + QLatin1Char('\n');
    for (const PairRecord& r : records) {
        line.clear();
        for (const SummaryColumn& column : kSummaryColumns)
            line << csvField(column.cell(r, cells), separator);
        text += line.join(separator) + QLatin1Char('\n');
    }
    return (regional ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
}

QString resultText(int status) {
    switch (status) {
    case 0:
        return QStringLiteral("measured");
    case 2:
        return QStringLiteral("not measured");
    case 3:
        return QStringLiteral("spans differ");
    case 4:
        return QStringLiteral("failed");
    case 5:
        return QStringLiteral("refused");
    case 130:
    case 143:
        return QStringLiteral("interrupted");
    default:
        break;
    }
    return status > 128 ? QStringLiteral("ended by signal %1").arg(status - 128)
                        : QStringLiteral("failed");
}

} // namespace bladetrace::cli
