#pragma once

#include "geometry/section_script.h"
#include "prepare/span_matching.h"
#include "results/charts.h"
#include "results/run_results.h"
#include "scan/outline_scanner.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace bladetrace {

// What the run reads from its caller, each at the moment it needs it: the window's controls
// may change while the scans let events run.
class RunInputs : public SectionInputs {
public:
    virtual qint32 thresholdValue() = 0;
    virtual QString diameterText() = 0;
    virtual QString rpmText() = 0;
    virtual QString velocityText() = 0;
    // The unit check box: read at the start, for every row and at the chart stage.
    virtual bool imperialUnits() = 0;
    virtual QString topFileName() = 0;
    virtual QString sideFileName() = 0;
    // Added beside the original run, off unless asked for. Crop both views to the blade and
    // scale the shorter span up to the longer before the scans (matchSpans).
    virtual bool matchSpans() { return false; }
    // Take the threshold from the two images (suggestThreshold), not from thresholdValue().
    virtual bool autoThreshold() { return false; }
    // thresholdValue() was suggested from these two images already (the window's Auto).
    virtual bool thresholdSuggested() { return false; }
    // Matching spans, views further apart than this fraction of the shorter span are refused
    // unless the user, asked, says they show the same propeller.
    virtual double maxSpanDifference() { return kMaxSpanDifference; }
    // The propeller's blades, as the user counts them: the run measures one blade, a file
    // of the whole propeller (QPROP) needs the count.
    virtual qint32 bladeCount() { return 2; }
};

// How the run shows that it is working: status texts, pointer, messages (ReportHost) and the
// scanned columns (ScanHost).
class RunProgress : public ScanHost {
public:
    // Lets pending events run once (after the images are loaded).
    virtual void processEvents() {}
    virtual void setScanPreviewVisible(bool visible) { Q_UNUSED(visible); }
    // A question with the answers yes and no, waiting for the answer; nothing when there is
    // nobody to ask, which counts as no.
    virtual std::optional<bool> askQuestion(const QString& question) {
        Q_UNUSED(question);
        return std::nullopt;
    }
};

// Where the run's results go. Each has a default that drops them.
class RunOutput {
public:
    virtual ~RunOutput() = default;
    // The grid drops its rows: 9 columns, the header row only.
    virtual void prepareSheet() {}
    // Header texts and column widths, once, before the first row.
    virtual void setSheetHeader(const QStringList& headers, const QStringList& sampleTexts) {
        Q_UNUSED(headers);
        Q_UNUSED(sampleTexts);
    }
    virtual void appendSheetRow(const QString& tabSeparatedCells) { Q_UNUSED(tabSeparatedCells); }
    // Clears the clipboard and puts the section script on it.
    virtual void putOnClipboard(const QString& text) { Q_UNUSED(text); }
    virtual void showCharts(const ChartSet& charts) { Q_UNUSED(charts); }
    // What the view preparation did, e.g. "side view scaled by 1.0115"; once, after the run's
    // last status text.
    virtual void showPreparationNote(const QString& note) { Q_UNUSED(note); }
    // What a completed run found doubtful (runNotes): each a sentence in the run's language,
    // once, after the preparation's note.
    virtual void showRunNotes(const QStringList& notes) { Q_UNUSED(notes); }
    // Whether resultsReady's record should carry small copies of the views for a report.
    virtual bool wantsReportPictures() const { return false; }
    // After the chart stage of a completed run: what saving needs. Hosts that save keep it.
    virtual void resultsReady(const RunResults& results) { Q_UNUSED(results); }
};

// The run's three partners; the window is all three at once, a benchmark only the first.
struct RunHost {
    RunInputs& inputs;
    RunProgress& progress;
    RunOutput& output;
};

} // namespace bladetrace
