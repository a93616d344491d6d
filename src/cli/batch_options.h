#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace bladetrace::cli {

// What the command line asks for. Numbers stay texts: the run reads them as the window
// reads its boxes, in the user's regional format.
struct BatchOptions {
    QString topFile;
    QString sideFile;
    QString diameter;
    QString rpm;
    QString speed;
    int threshold = 110;
    bool autoThreshold = false; // --threshold auto: suggested from the two images
    bool matchSpans = false;
    bool imperial = false;
    bool thickness = false;
    QString rootThickness;
    QString tipThickness;
    int language = 1;
    QString scriptFile;
    QString chartsFile;
};

struct UsageError {
    QString message;
};
struct HelpRequested {};

using ParseResult = std::variant<BatchOptions, UsageError, HelpRequested>;

ParseResult parseBatchOptions(const QStringList& arguments);

QString usageText();

} // namespace bladetrace::cli
