#include "run/calc_it.h"

#include "geometry/stations.h"
#include "results/sheet.h"
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
        const RunInputs in = readInputs();

        ScanHolder picTop = loader_(host_.topFileName());
        ScanHolder picSide = loader_(host_.sideFileName());
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
        host_.showCharts(chartValues(table, in.Diameter, R, host_.imperialUnits()));
        return finish(RunOutcome::Completed);
    }

private:
    QString text(qint16 id) const { return LoadLangResString(host_.lLanguage(), id); }
    void status(qint16 id) { host_.showStatus(text(id)); }

    RunOutcome finish(RunOutcome outcome) {
        status(str::kStatusReady);
        host_.setBusyPointer(false);
        return outcome;
    }

    RunInputs readInputs() {
        RunInputs in;
        in.lThreshold = host_.thresholdValue();
        in.Diameter = toSingle(parseNumber(host_.diameterText()));
        in.dRPS = parseNumber(host_.rpmText()) / 60.0;
        in.dVelocity = parseNumber(host_.velocityText());
        if (!(in.Diameter > 0)) {
            in.Diameter = 1.0f;
            correction(str::kDiameter);
        }
        if (!(in.dRPS > 0)) {
            in.dRPS = 1.0;
            correction(str::kRpm);
        }
        if (host_.imperialUnits()) {
            in.Diameter = toSingle(double(in.Diameter) * kMetresPerInch);
            in.dVelocity = in.dVelocity / kMphPerMetrePerSecond;
        }
        return in;
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
        host_.appendSheetRow(sheetRowText(row));
    }

    RunHost& host_;
    const PictureLoader& loader_;
    bool headerSet_ = false;
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
