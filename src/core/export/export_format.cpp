#include "export/export_format.h"

#include "base/app_error.h"
#include "export/csv_export.h"
#include "export/published_table_export.h"
#include "export/qprop_export.h"
#include "export/report_pdf.h"

#include <QFileInfo>
#include <array>

namespace bladetrace {
namespace {

struct Known {
    ExportFormat format;
    const char* suffix;
};
constexpr std::array<Known, 4> kKnown = {{{ExportFormat::Csv, "csv"},
                                          {ExportFormat::Qprop, "qprop"},
                                          {ExportFormat::PublishedTable, "txt"},
                                          {ExportFormat::Report, "pdf"}}};

} // namespace

std::optional<ExportFormat> exportFormatFor(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix();
    for (const Known& k : kKnown) {
        if (suffix.compare(QLatin1String(k.suffix), Qt::CaseInsensitive) == 0)
            return k.format;
    }
    return std::nullopt;
}

QStringList exportExtensions() {
    QStringList list;
    for (const Known& k : kKnown)
        list << QLatin1Char('.') + QLatin1String(k.suffix);
    return list;
}

QString unknownExportText(const QString& fileName, const QStringList& alsoKnown) {
    QStringList known = exportExtensions() + alsoKnown;
    const QString last = known.takeLast();
    return QStringLiteral("Cannot save %1: unknown file type; use %2 or %3.")
        .arg(fileName, known.join(QStringLiteral(", ")), last);
}

QByteArray exportBytes(const RunResults& results, ExportFormat format, CsvStyle csv) {
    switch (format) {
    case ExportFormat::Csv:
        return csvBytes(results, csv);
    case ExportFormat::Qprop:
        return qpropBytes(results);
    case ExportFormat::PublishedTable:
        return publishedTableBytes(results);
    case ExportFormat::Report:
        return reportPdf(results);
    }
    return {};
}

QByteArray exportBytes(const RunResults& results, const QString& fileName, CsvStyle csv) {
    const std::optional<ExportFormat> format = exportFormatFor(fileName);
    if (!format)
        fail(errc::kBadFileName, unknownExportText(fileName));
    return exportBytes(results, *format, csv);
}

} // namespace bladetrace
