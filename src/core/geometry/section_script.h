#pragma once

#include "base/report_host.h"
#include "geometry/station_table.h"

#include <QString>
#include <QTemporaryFile>

namespace bladetrace {

// The thickness-correction box and the two thickness texts, read afresh per station.
class SectionInputs {
public:
    virtual ~SectionInputs() = default;
    virtual bool thicknessCorrection() = 0;
    virtual QString rootThicknessText() = 0;
    virtual QString tipThicknessText() = 0;
};

// The section script of one run, written station by station as the fold hands them over
// (foldBlade): with the thickness correction on, each station's blade angle is corrected for
// its thickness and its section written through a temporary file "QW..." in the system's
// temporary directory. The file is gone when the script is destroyed, whichever way.
// Failures of the stage's own steps (a thickness that is no number, a file that cannot be
// written) propagate; a section that cannot be built is reported as "Airfoil()".
class SectionScript {
public:
    // R is the radius in metres. Creates the temporary file.
    SectionScript(double R, SectionInputs& inputs, ReportHost& host);

    // Station i of the folded table, just folded.
    void addStation(StationTable& table, int i);

    // The whole script, read back from the file, which is then deleted; empty when no
    // section was written.
    QString finish();

private:
    double R_;
    SectionInputs& inputs_;
    ReportHost& host_;
    QTemporaryFile file_;
};

} // namespace bladetrace
