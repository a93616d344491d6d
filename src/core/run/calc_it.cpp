#include "run/calc_it.h"

#include "base/checked_math.h"
#include "export/report_picture.h"
#include "files/file_identity.h"
#include "geometry/stations.h"
#include "results/sheet.h"
#include "run/preparation_stage.h"
#include "run/run_notes.h"
#include "run/span_messages.h"
#include "run/view_checks.h"
#include "scan/picture_loader.h"
#include "text/box_number.h"
#include "text/error_report.h"
#include "text/number_format.h"
#include "text/string_table.h"
#include "text/units.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace bladetrace {
namespace {

constexpr int kSpanTolerance = 2;

struct UsedInputs {
    qint32 lThreshold;
    float Diameter;
    double dRPS;
    double dVelocity;
};

class Run : public StationSink {
public:
    Run(const RunHost& host, const PictureLoader& loader)
        : inputs_(host.inputs), progress_(host.progress), output_(host.output), loader_(loader) {}

    RunOutcome execute() {
        progress_.setBusyPointer(true);
        status(str::kStatusWorking);
        UsedInputs in = readInputs();

        results_.inputs.topFile = inputs_.topFileName();
        results_.inputs.sideFile = inputs_.sideFileName();
        results_.inputs.blades = inputs_.bladeCount();
        // One picture cannot show the blade both along the axis and from the side.
        if (sameExistingFile(results_.inputs.topFile, results_.inputs.sideFile)) {
            progress_.showMessage(sameFileText(progress_.lLanguage(), results_.inputs.sideFile),
                                  MessageIcon::None, QString());
            return finish(RunOutcome::Refused);
        }
        ScanHolder picTop = loader_(results_.inputs.topFile);
        ScanHolder picSide = loader_(results_.inputs.sideFile);
        if (output_.wantsReportPictures())
            std::tie(results_.topPicture, results_.sidePicture) =
                reportPictures(picTop.rows(), picSide.rows());
        // As the preparation reads them next.
        const bool suggest = inputs_.autoThreshold();
        results_.inputs.autoThreshold = suggest || inputs_.thresholdSuggested();
        results_.inputs.spanMatching = inputs_.matchSpans();
        if (suggest || results_.inputs.spanMatching) {
            QImage top = picTop.releaseImage();
            QImage side = picSide.releaseImage();
            const std::optional<PreparedViews> prepared =
                prepareViews(top, side, in.lThreshold, inputs_, progress_, results_.inputs);
            if (!prepared)
                return finish(RunOutcome::Mismatch);
            note_ = prepared->note;
            croppedTopContact_ = prepared->topContact;
            croppedSideContact_ = prepared->sideContact;
            picTop = ScanHolder(std::move(top));
            picSide = ScanHolder(std::move(side));
        }
        progress_.processEvents();
        progress_.setScanPreviewVisible(true);
        EdgeArrays top, side;
        EdgeContact topContact, sideContact;
        status(str::kStatusTopView);
        const ScanOutcome topScan = scan(picTop, top, in, topContact);
        ScanOutcome sideScan = ScanOutcome::Aborted;
        // After a view that cannot be scaled the run cannot go on; skip the second scan.
        if (topScan != ScanOutcome::Failed) {
            status(str::kStatusSideView);
            sideScan = scan(picSide, side, in, sideContact);
        }
        progress_.setScanPreviewVisible(false);

        if (progress_.abortAsked()) {
            progress_.showMessage(text(str::kAborted), MessageIcon::Critical,
                                  text(str::kCancelledTitle));
            return finish(RunOutcome::Aborted);
        }
        if (topScan == ScanOutcome::Failed || sideScan == ScanOutcome::Failed)
            return finish(RunOutcome::ScanFailed);
        if (!edgesChecked(croppedTopContact_.value_or(topContact),
                          croppedSideContact_.value_or(sideContact)))
            return finish(RunOutcome::Refused);
        const int Ut = top.last();
        const int Us = side.last();
        if (std::abs(Ut - Us) > kSpanTolerance) {
            progress_.showMessage(spanMismatchText(progress_.lLanguage(), Ut, Us),
                                  MessageIcon::None, QString());
            return finish(RunOutcome::Mismatch);
        }

        output_.prepareSheet();
        status(str::kStatusGeometry);
        const double R = double(in.Diameter) / 2.0;
        StationTable table =
            computeStations({top, side, in.Diameter, in.dRPS, in.dVelocity}, *this);
        SectionScript script(R, inputs_, progress_);
        FoldedTable folded = foldBlade(
            std::move(table), [&script](StationTable& t, int i) { script.addStation(t, i); });
        const QString sections = script.finish();
        if (!sections.isEmpty())
            output_.putOnClipboard(sections);
        applyTipCorrection(folded);
        results_.imperial = inputs_.imperialUnits();
        results_.charts = chartValues(folded, in.Diameter, R, results_.imperial);
        output_.showCharts(results_.charts);
        resultsReady(in);
        runNotes_ = runNotes({results_.charts, double(in.Diameter), in.dVelocity, tipMach_},
                             progress_.lLanguage());
        return finish(RunOutcome::Completed);
    }

private:
    QString text(qint16 id) const { return LoadLangResString(progress_.lLanguage(), id); }
    void status(qint16 id) { progress_.showStatus(text(id)); }

    RunOutcome finish(RunOutcome outcome) {
        status(str::kStatusReady);
        progress_.setBusyPointer(false);
        if (!note_.isEmpty())
            output_.showPreparationNote(note_);
        if (!runNotes_.isEmpty())
            output_.showRunNotes(runNotes_);
        return outcome;
    }

    UsedInputs readInputs() {
        ResultInputs& typed = results_.inputs;
        UsedInputs in;
        const qint32 language = progress_.lLanguage();
        in.lThreshold = inputs_.thresholdValue();
        typed.diameterText = inputs_.diameterText();
        in.Diameter = toSingle(parseBoxNumber(typed.diameterText, language, str::kDiameter));
        typed.rpmText = inputs_.rpmText();
        in.dRPS = parseBoxNumber(typed.rpmText, language, str::kRpm) / 60.0;
        typed.velocityText = inputs_.velocityText();
        in.dVelocity = parseBoxNumber(typed.velocityText, language, str::kFlightSpeed);
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
        typed.imperialInputs = inputs_.imperialUnits();
        if (typed.imperialInputs) {
            in.Diameter = toSingle(double(in.Diameter) * kMetresPerInch);
            in.dVelocity = in.dVelocity / kMphPerMetrePerSecond;
        }
        return in;
    }

    // The thickness inputs as the section stage last read them: no events ran since.
    void resultsReady(const UsedInputs& in) {
        ResultInputs& used = results_.inputs;
        used.threshold = in.lThreshold;
        used.diameter = in.Diameter;
        used.revolutionsPerSecond = in.dRPS;
        used.speed = in.dVelocity;
        used.thicknessCorrection = inputs_.thicknessCorrection();
        used.rootThicknessText = inputs_.rootThicknessText();
        used.tipThicknessText = inputs_.tipThicknessText();
        results_.language = languageOf(progress_.lLanguage());
        results_.completed = QDateTime::currentDateTime();
        results_.sheetHeader = sheetHeaders();
        output_.resultsReady(results_);
    }

    void correction(qint16 what) {
        progress_.showMessage(text(what) + QLatin1Char(' ') + text(str::kMustBePositive),
                              MessageIcon::Critical, text(str::kCancelledTitle));
    }

    ScanOutcome scan(ScanHolder& picture, EdgeArrays& edges, const UsedInputs& in,
                     EdgeContact& contact) {
        return DoIt(picture, edges.xLE, edges.xTE, in.lThreshold, in.Diameter, progress_, contact);
    }

    // Refuses a blade that goes on beyond its picture; notes one that barely touches it.
    bool edgesChecked(const EdgeContact& topContact, const EdgeContact& sideContact) {
        const qint32 language = progress_.lLanguage();
        QStringList notes;
        for (const bool topView : {true, false}) {
            const EdgeContact& contact = topView ? topContact : sideContact;
            switch (edgeFinding(contact)) {
            case EdgeFinding::CutOff:
                progress_.showMessage(cutOffText(language, topView, contact), MessageIcon::None,
                                      QString());
                return false;
            case EdgeFinding::Note:
                notes << edgeNote(language, topView, contact);
                break;
            case EdgeFinding::Clear:
                break;
            }
        }
        if (!note_.isEmpty())
            notes.prepend(note_);
        note_ = notes.join(QStringLiteral("; "));
        return true;
    }

    // StationSink: each row reaches the sheet before the next station is computed.
    bool imperialUnits() override { return inputs_.imperialUnits(); }
    void stationComputed(const StationRow& row) override {
        tipMach_ = std::max(tipMach_, row.mach);
        if (!headerSet_) {
            output_.setSheetHeader(sheetHeaders(), sheetSampleTexts());
            headerSet_ = true;
        }
        QStringList cells = sheetRowCells(row);
        output_.appendSheetRow(cells.join(QLatin1Char('\t')));
        results_.sheetRows.push_back(std::move(cells));
    }

    RunInputs& inputs_;
    RunProgress& progress_;
    RunOutput& output_;
    const PictureLoader& loader_;
    QString note_;
    // The crops' paper hides how far the blades reached; the preparation saw it.
    std::optional<EdgeContact> croppedTopContact_;
    std::optional<EdgeContact> croppedSideContact_;
    QStringList runNotes_;
    double tipMach_ = 0;
    bool headerSet_ = false;
    RunResults results_;
};

} // namespace

RunOutcome CalcIt(const RunHost& host) {
    return CalcIt(host, [](const QString& fileName) { return ScanHolder(loadPicture(fileName)); });
}

RunOutcome CalcIt(const RunHost& host, const PictureLoader& loader) {
    AppError error;
    try {
        return Run(host, loader).execute();
    } catch (const Failure& failure) {
        error = failure.error();
    } catch (const std::bad_alloc&) {
        error = makeError(errc::kOutOfMemory);
    }
    host.progress.setScanPreviewVisible(false);
    ErrorHandler(host.progress, error, QStringLiteral("CalcIt()"));
    return RunOutcome::Failed;
}

} // namespace bladetrace
