#pragma once

#include "export/csv_export.h"
#include "results/run_results.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace bladetrace {

enum class ExportFormat {
    Csv,            // .csv
    Qprop,          // .qprop
    PublishedTable, // .txt
    Report,         // .pdf
};

// The format a file name asks for by its extension, in any case; none for another one.
std::optional<ExportFormat> exportFormatFor(const QString& fileName);

// The known extensions with their dots, in the order above.
QStringList exportExtensions();

// "Cannot save <name>: unknown file type; use .csv, .qprop, .txt or .pdf.", naming after
// these the extensions in `alsoKnown` (".png") that the caller writes itself.
QString unknownExportText(const QString& fileName, const QStringList& alsoKnown = {});

// What a file of that format holds for the run, a CSV table in the style asked for. The
// report needs a QGuiApplication.
QByteArray exportBytes(const RunResults& results, ExportFormat format,
                       CsvStyle csv = CsvStyle::Plain);

// The same for the format of `fileName`; an unknown extension fails with 52 and the known
// ones. Nothing is written: the bytes go to the program's output writer.
QByteArray exportBytes(const RunResults& results, const QString& fileName,
                       CsvStyle csv = CsvStyle::Plain);

} // namespace bladetrace
