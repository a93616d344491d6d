#pragma once

#include "geometry/station_table.h"
#include "text/report_host.h"

namespace bladetrace {

// What the section stage reads from and hands to its caller.
class SectionHost : public virtual ReportHost {
public:
    // The thickness-correction box and the two thickness texts, read afresh per station.
    virtual bool thicknessCorrection() = 0;
    virtual QString rootThicknessText() = 0;
    virtual QString tipThicknessText() = 0;
    // Clears the clipboard and puts the text on it.
    virtual void putOnClipboard(const QString& text) = 0;
};

// Folds the table onto one blade station by station and, with the thickness correction on,
// corrects each blade angle and writes the section script through a temporary file "QW..."
// in the system's temporary directory, whose text then goes to the clipboard. The file is
// gone when this returns, whichever way. R is the radius in metres. Failures of the stage's
// own steps (a thickness that is no number, a file that cannot be written) propagate.
void runSectionStage(StationTable& table, double R, SectionHost& host);

} // namespace bladetrace
