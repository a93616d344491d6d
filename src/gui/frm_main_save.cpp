#include "base/app_error.h"
#include "chart_file.h"
#include "distribution_chart.h"
#include "export/export_format.h"
#include "files/output_files.h"
#include "frm_main.h"
#include "tab_strip.h"
#include "text/error_report.h"
#include "window_run_host.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <array>
#include <new>

// Saving the last completed run's results: its tables, its report, or the chart in view.
namespace bladetrace {
namespace {

// The descriptions of the result formats, in the order of exportExtensions(); the regional
// CSV table follows the plain one.
constexpr std::array<qint16, 4> kResultFormats = {str::kSaveCsv, str::kSaveQprop, str::kSaveTable,
                                                  str::kSaveReport};
const char* const kChartExtensions[] = {".png", ".svg"};

QString filter(const QString& description, const QString& extension) {
    return description + QStringLiteral(" (*") + extension + QLatin1Char(')');
}

// Where the dialog opens the first time: beside the images, if results may go there.
QString firstFolder(const QString& topFile) {
    const QFileInfo images(QFileInfo(topFile).absolutePath());
    if (images.isDir() && images.isWritable())
        return images.filePath();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace

// "CSV table, regional (;) (*.csv)": semicolons and the user's decimal sign.
QString frmMain::regionalCsvFilter() const {
    return filter(text(str::kSaveCsvRegional), exportExtensions().constFirst());
}

void frmMain::keepResults(const RunResults& results) {
    results_ = results;
    btnSave->setEnabled(true);
}

FileRequest frmMain::saveRequest(bool chartInView) const {
    FileRequest request;
    request.title = text(str::kSaveTitle);
    const QStringList extensions = exportExtensions();
    for (std::size_t i = 0; i < kResultFormats.size(); ++i) {
        request.filters << filter(text(kResultFormats[i]), extensions[int(i)]);
        if (kResultFormats[i] == str::kSaveCsv)
            request.filters << regionalCsvFilter();
    }
    if (chartInView) {
        request.filters << filter(text(str::kSaveChartPng), QLatin1String(kChartExtensions[0]))
                        << filter(text(str::kSaveChartSvg), QLatin1String(kChartExtensions[1]));
    }
    request.selectedFilter = request.filters.constFirst();
    const QString folder =
        saveFolder_.isEmpty() ? firstFolder(results_->inputs.topFile) : saveFolder_;
    request.fileName = QDir(folder).filePath(
        QFileInfo(results_->inputs.topFile).completeBaseName() + extensions.constFirst());
    return request;
}

void frmMain::btnSave_Click() {
    if (!results_)
        return;
    // The chart in view is saved as the window draws it.
    const DistributionChart* chart = nullptr;
    for (const DistributionChart* view : {ctlChordGraph, ctlBetaGraph, ctlPitchGraph}) {
        if (view->key() == TabStrip1->selectedKey())
            chart = view;
    }
    const std::optional<SaveChoice> choice = dialogs_.saveFile(this, saveRequest(chart != nullptr));
    if (!choice)
        return;
    const QString& chosen = choice->fileName;
    try {
        const std::optional<ChartFileFormat> chartFormat =
            chart ? chartFileFormatFor(chosen) : std::nullopt;
        if (chart && !chartFormat && !exportFormatFor(chosen))
            fail(errc::kBadFileName,
                 unknownExportText(chosen, {QLatin1String(kChartExtensions[0]),
                                            QLatin1String(kChartExtensions[1])}));
        const CsvStyle csv =
            choice->filter == regionalCsvFilter() ? CsvStyle::Regional : CsvStyle::Plain;
        // Written in the language the window shows now, as its charts are.
        RunResults shown = *results_;
        shown.language = languageOf(lLanguage);
        const QByteArray bytes = chartFormat ? chartFileBytes(chart->plot(), *chartFormat)
                                             : exportBytes(shown, chosen, csv);
        // Neither the run's images nor those now in the boxes may be overwritten.
        const QList<NamedFile> kept = {
            {QStringLiteral("the top view image"), results_->inputs.topFile},
            {QStringLiteral("the side view image"), results_->inputs.sideFile},
            {QStringLiteral("the top view image"), txtTopFile->text()},
            {QStringLiteral("the side view image"), txtSideFile->text()}};
        const OutputResult written =
            writeOutputs({{{QStringLiteral("the results file"), chosen}, bytes}}, kept);
        if (written.status != OutputStatus::Written)
            fail(errc::kPathFileAccess,
                 QStringLiteral("Path/File access error: %1").arg(written.message));
        saveFolder_ = QFileInfo(chosen).absolutePath();
    } catch (const Failure& failure) {
        ErrorHandler(*host_, failure.error(), QStringLiteral("btnSave_Click()"));
    } catch (const std::bad_alloc&) {
        ErrorHandler(*host_, makeError(errc::kOutOfMemory), QStringLiteral("btnSave_Click()"));
    }
}

} // namespace bladetrace
