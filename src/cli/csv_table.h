#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <vector>

namespace bladetrace::cli {

// Separated values as RFC 4180 has them: a field in double quotes may hold the separator, a
// line end and "" for a quote; lines end with CR LF or LF. A byte order mark is skipped, and
// blank lines hold no row.
struct CsvText {
    std::vector<QStringList> rows;
    std::vector<int> lines; // the line each row starts on, from 1
    QString error;          // an open quote: the line it opened on
};

CsvText readCsv(const QString& text, QChar separator);

// ';' where the first line holds semicolons and no commas (what a spreadsheet set to a
// region with a decimal comma writes), else ','.
QChar csvSeparator(const QString& text);

// The field as a CSV cell: in double quotes where it holds the separator, a quote or a line
// end.
QString csvField(const QString& value, QChar separator);

} // namespace bladetrace::cli
