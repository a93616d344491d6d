#pragma once

#include "export/csv_export.h"
#include "pair_stamp.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace bladetrace::cli {

// A pair as the collection last measured it, kept in the output folder beside its files.
struct PairRecord {
    QString name;
    QStringList arguments; // its run's options and export formats; no output paths
    QString locale;        // numbers are read in it
    PictureStamp top;
    PictureStamp side;
    int status = -1;     // the run's exit status; 128 + n when signal n ended it
    QString message;     // what the run said on standard error, lines joined by "; "
    QJsonObject figures; // the run's --summary; empty unless it completed

    bool completed() const { return status == 0; }
    // Its run measured it, or judged that its pictures cannot be measured (spans that
    // differ, a blade cut off): the same pictures and options would come to the same.
    bool settled() const { return status == 0 || status == 3 || status == 5; }
};

// The same pictures, by their bytes, and the same options: the outputs stand.
bool samePair(const PairRecord& before, const PairRecord& now);

// The record file; its records by name. One that cannot be read is as none, with `warning`.
std::map<QString, PairRecord> readRecords(const QString& path, QString& warning);
QByteArray recordBytes(const std::vector<PairRecord>& records);

// The summary: a header, then one row per record, as --csv asks; lengths in metres, or in
// inches when `imperial`.
QByteArray summaryBytes(const std::vector<PairRecord>& records, CsvStyle style, bool imperial);

// "measured", "spans differ", ...: what a run's exit status means.
QString resultText(int status);

} // namespace bladetrace::cli
