#include "core/export/sample_runs.h"

#include "support/painted_blades.h"
#include "support/recording_host.h"

#include <QTemporaryDir>

namespace bladetrace::testing {

const SampleRuns& sampleRuns() {
    static const SampleRuns kept = [] {
        QTemporaryDir dir;
        RecordingHost host;
        host.topFile = saveImage(taperedView(80, 30, 8), dir.path(), "top.bmp");
        host.sideFile = saveImage(taperedView(60, 10, 12), dir.path(), "side.bmp");
        host.reportPictures = true;
        host.thickness = true;
        SampleRuns runs;
        runs.outcomes.push_back(CalcIt(host.host()));
        host.thickness = false;
        host.imperialAt = [] { return true; };
        host.diameter = QStringLiteral("7.283");
        runs.outcomes.push_back(CalcIt(host.host()));
        runs.results = host.results;
        return runs;
    }();
    return kept;
}

} // namespace bladetrace::testing
