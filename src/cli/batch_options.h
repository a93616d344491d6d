#pragma once

#include "base/language.h"
#include "export/csv_export.h"

#include <QString>
#include <QStringList>
#include <variant>

namespace bladetrace::cli {

// What the command line asks for. Numbers stay texts: the run reads them as the window
// reads its boxes, in the user's regional format. The parser has made sure they are
// numbers of their type; what the window corrects (a diameter of zero) it leaves.
struct BatchOptions {
    QString topFile;
    QString sideFile;
    QString diameter;
    QString rpm;
    QString speed;
    int threshold = 110;
    bool autoThreshold = false; // --threshold auto: suggested from the two images
    bool matchSpans = false;
    double maxSpanDifference = 15; // percent of the shorter span, with matchSpans
    bool imperial = false;
    bool thickness = false;
    QString rootThickness;
    QString tipThickness;
    Language language = Language::English;
    QString scriptFile;
    QString chartsFile;
    QStringList exportFiles;        // --export, any number; the format follows the extension
    CsvStyle csv = CsvStyle::Plain; // of the .csv exports
    double maxMegapixels = 0.0;     // 0: the loader's own limit
    qint32 blades = 2;
    QString summaryFile;     // --summary: the run's key figures as JSON
    QString performanceFile; // --performance: the predicted performance as CSV
    QString polarFile;       // --polar: a QPROP file whose section polar the prediction takes
    double airDensity = 0;   // kg/m^3; 0: sea level's
    double viscosity = 0;    // kinematic, m^2/s; 0: sea level's at 15 degrees C

    // A collection (--collection): every pair of a manifest or a folder, each measured by a
    // run of this program; the options above that were given apply to every pair.
    QString collection;
    QString outDir;
    int jobs = 0;              // 0: one per core
    QStringList exportFormats; // extensions without the dot; csv unless asked
    bool exactSpans = false;   // no span matching, which a collection does unless told
    QStringList given;         // the options given, by name, for a collection's defaults
};

struct UsageError {
    QString message;
};
struct HelpRequested {};
struct VersionRequested {};

using ParseResult = std::variant<BatchOptions, UsageError, HelpRequested, VersionRequested>;

// Reads no file and writes nothing: every value is checked here, before any image is read.
ParseResult parseBatchOptions(const QStringList& arguments);

QString usageText();

// Whether one of the exports is a report, which needs fonts and the views.
bool asksForReport(const BatchOptions& options);

} // namespace bladetrace::cli
