#include "run/calc_it.h"

#include "geometry/stations.h"
#include "results/sheet.h"
#include "run/preparation_stage.h"
#include "scan/picture_loader.h"
#include "text/checked_math.h"
#include "text/error_report.h"
#include "text/number_format.h"
#include "text/string_table.h"
#include "text/units.h"

#include <cstdlib>

namespace bladetrace {
namespace {

constexpr int kSpanTolerance = 2;
const QString kCrLf = QStringLiteral("\r\n");

struct RunInputs {
    qint32 lThreshold;
    float Diameter;
    double dRPS;
    double dVelocity;
};

class Run : public StationSink {
public:
    Run(RunHost& host, const PictureLoader& loader) : host_(host), loader_(loader) {}

    RunOutcome execute() {
        host_.setBusyPointer(true);
        status(str::kStatusWorking);
        RunInputs in = readInputs();

        results_.inputs.topFile = host_.topFileName();
        ScanHolder picTop = loader_(results_.inputs.topFile);
        results_.inputs.sideFile = host_.sideFileName();
        ScanHolder picSide = loader_(results_.inputs.sideFile);
        results_.topPicture = reportPicture(picTop.rows());
        results_.sidePicture = reportPicture(picSide.rows());
        // As the preparation reads them next.
        results_.inputs.autoThreshold = host_.autoThreshold();
        results_.inputs.spanMatching = host_.matchSpansChecked();
        if (results_.inputs.autoThreshold || results_.inputs.spanMatching) {
            QImage top = picTop.releaseImage();
            QImage side = picSide.releaseImage();
            const std::optional<QString> prepared = prepareViews(top, side, in.lThreshold, host_);
            if (!prepared)
                return finish(RunOutcome::Mismatch);
            note_ = *prepared;
            picTop = ScanHolder(std::move(top));
            picSide = ScanHolder(std::move(side));
        }
        host_.processEvents();
        host_.setScanPreviewVisible(true);
        EdgeArrays top, side;
        status(str::kStatusTopView);
        const ScanOutcome topScan = scan(picTop, top, in);
        ScanOutcome sideScan = ScanOutcome::Aborted;
        // After a view that cannot be scaled the run cannot go on; skip the second scan.
        if (topScan != ScanOutcome::Failed) {
            status(str::kStatusSideView);
            sideScan = scan(picSide, side, in);
        }
        host_.setScanPreviewVisible(false);

        if (host_.abortAsked()) {
            host_.showMessage(text(str::kAborted), MessageIcon::Critical,
                              text(str::kCancelledTitle));
            return finish(RunOutcome::Aborted);
        }
        if (topScan == ScanOutcome::Failed || sideScan == ScanOutcome::Failed)
            return finish(RunOutcome::ScanFailed);
        const int Ut = top.last();
        const int Us = side.last();
        if (std::abs(Ut - Us) > kSpanTolerance) {
            host_.showMessage(mismatchText(Ut, Us), MessageIcon::None, QString());
            return finish(RunOutcome::Mismatch);
        }

        host_.prepareSheet();
        status(str::kStatusGeometry);
        const double R = double(in.Diameter) / 2.0;
        StationTable table =
            computeStations({top, side, in.Diameter, in.dRPS, in.dVelocity}, *this);
        runSectionStage(table, R, host_);
        applyTipCorrection(table);
        results_.imperial = host_.imperialUnits();
        results_.charts = chartValues(table, in.Diameter, R, results_.imperial);
        host_.showCharts(results_.charts);
        resultsReady(in);
        return finish(RunOutcome::Completed);
    }

private:
    QString text(qint16 id) const { return LoadLangResString(host_.lLanguage(), id); }
    void status(qint16 id) { host_.showStatus(text(id)); }

    RunOutcome finish(RunOutcome outcome) {
        status(str::kStatusReady);
        host_.setBusyPointer(false);
        if (!note_.isEmpty())
            host_.showPreparationNote(note_);
        return outcome;
    }

    RunInputs readInputs() {
        ResultInputs& typed = results_.inputs;
        RunInputs in;
        in.lThreshold = host_.thresholdValue();
        typed.diameterText = host_.diameterText();
        in.Diameter = toSingle(parseNumber(typed.diameterText));
        typed.rpmText = host_.rpmText();
        in.dRPS = parseNumber(typed.rpmText) / 60.0;
        typed.velocityText = host_.velocityText();
        in.dVelocity = parseNumber(typed.velocityText);
        if (!(in.Diameter > 0)) {
            in.Diameter = 1.0f;
            typed.diameterCorrected = true;
            correction(str::kDiameter);
        }
        if (!(in.dRPS > 0)) {
            in.dRPS = 1.0;
            typed.rpmCorrected = true;
            correction(str::kRpm);
        }
        typed.imperialInputs = host_.imperialUnits();
        if (typed.imperialInputs) {
            in.Diameter = toSingle(double(in.Diameter) * kMetresPerInch);
            in.dVelocity = in.dVelocity / kMphPerMetrePerSecond;
        }
        return in;
    }

    // The thickness inputs as the section stage last read them: no events ran since.
    void resultsReady(const RunInputs& in) {
        ResultInputs& used = results_.inputs;
        used.lThreshold = in.lThreshold;
        used.Diameter = in.Diameter;
        used.dRPS = in.dRPS;
        used.dVelocity = in.dVelocity;
        used.thicknessCorrection = host_.thicknessCorrection();
        used.rootThicknessText = host_.rootThicknessText();
        used.tipThicknessText = host_.tipThicknessText();
        results_.lLanguage = host_.lLanguage();
        results_.completed = QDateTime::currentDateTime();
        results_.sheetHeader = sheetHeaders();
        host_.resultsReady(results_);
    }

    void correction(qint16 what) {
        host_.showMessage(text(what) + QLatin1Char(' ') + text(str::kMustBePositive),
                          MessageIcon::Critical, text(str::kCancelledTitle));
    }

    ScanOutcome scan(ScanHolder& picture, EdgeArrays& edges, const RunInputs& in) {
        return DoIt(picture, edges.xLE, edges.xTE, in.lThreshold, in.Diameter, host_);
    }

    QString mismatchText(int Ut, int Us) const {
        return text(str::kMismatch1) + kCrLf + text(str::kMismatch2) + kCrLf +
               text(str::kMismatchTop) + QStringLiteral(" = ") + QString::number(Ut) +
               QLatin1Char(',') + text(str::kMismatchSide) + QStringLiteral(" = ") +
               QString::number(Us);
    }

    // StationSink: each row reaches the sheet before the next station is computed.
    bool imperialUnits() override { return host_.imperialUnits(); }
    void stationComputed(const StationRow& row) override {
        if (!headerSet_) {
            host_.setSheetHeader(sheetHeaders(), sheetSampleTexts());
            headerSet_ = true;
        }
        QStringList cells = sheetRowCells(row);
        host_.appendSheetRow(cells.join(QLatin1Char('\t')));
        results_.sheetRows.push_back(std::move(cells));
    }

    RunHost& host_;
    const PictureLoader& loader_;
    QString note_;
    bool headerSet_ = false;
    RunResults results_;
};

} // namespace

RunOutcome CalcIt(RunHost& host) {
    return CalcIt(host, [](const QString& fileName) { return ScanHolder(loadPicture(fileName)); });
}

RunOutcome CalcIt(RunHost& host, const PictureLoader& loader) {
    AppError error;
    try {
        return Run(host, loader).execute();
    } catch (const Failure& failure) {
        error = failure.error();
    } catch (const std::bad_alloc&) {
        error = makeError(errc::kOutOfMemory);
    }
    host.setScanPreviewVisible(false);
    ErrorHandler(host, error, QStringLiteral("CalcIt()"));
    return RunOutcome::Failed;
}

} // namespace bladetrace
