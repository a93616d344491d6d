#pragma once

#include "export/run_results.h"
#include "geometry/section_script.h"
#include "results/charts.h"
#include "scan/outline_scanner.h"

#include <QString>
#include <QtGlobal>

namespace bladetrace {

// Everything the run reads from its caller, at the moment it needs it, and everything it
// shows. The window implements it with its controls, the batch tool with its options.
class RunHost : public ScanHost, public SectionHost {
public:
    // Inputs.
    virtual qint32 thresholdValue() = 0;
    virtual QString diameterText() = 0;
    virtual QString rpmText() = 0;
    virtual QString velocityText() = 0;
    // The unit check box: read at the start, for every row and at the chart stage.
    virtual bool imperialUnits() = 0;
    virtual QString topFileName() = 0;
    virtual QString sideFileName() = 0;

    // Progress.
    // Lets pending events run once (after the images are loaded).
    virtual void processEvents() = 0;
    virtual void setScanPreviewVisible(bool visible) = 0;
    // The grid drops its rows: 9 columns, the header row only.
    virtual void prepareSheet() = 0;
    // Header texts and column widths, once, before the first row.
    virtual void setSheetHeader(const QStringList& headers, const QStringList& sampleTexts) = 0;
    virtual void appendSheetRow(const QString& tabSeparatedCells) = 0;
    virtual void showCharts(const ChartSet& charts) = 0;

    // Added beside the original run; off unless the host asks for them.
    // Crop both views to the blade and scale the shorter span up to the longer before the
    // scans (matchSpans); spans too far apart refuse the run.
    virtual bool matchSpansChecked() { return false; }
    // Take the threshold from the two images (suggestThreshold), not from thresholdValue().
    virtual bool autoThreshold() { return false; }
    // What that preparation did, e.g. "side view scaled by 1.0115"; once, after the run's
    // last status text.
    virtual void showPreparationNote(const QString& note) { Q_UNUSED(note); }
    // After the chart stage of a completed run: what saving needs. Hosts that save keep it.
    virtual void resultsReady(const RunResults&) {}
};

} // namespace bladetrace
