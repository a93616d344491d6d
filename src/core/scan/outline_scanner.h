#pragma once

#include "base/report_host.h"
#include "scan/scan_holder.h"

#include <QImage>
#include <QtGlobal>
#include <vector>

namespace bladetrace {

// What the scanner asks of its caller while it walks the columns.
class ScanHost : public ReportHost {
public:
    // bAbort, read once at the start of every column.
    virtual bool abortAsked() = 0;
    // Before the first column: the preview strip takes the holder's height.
    virtual void scanStarted(const ScanHolder& holder) { Q_UNUSED(holder); }
    // Once per column after its edge search: the preview shows the marked holder, and
    // pending events run (this is where Escape reaches the window).
    virtual void columnScanned(const ScanHolder& holder, int x) {
        Q_UNUSED(holder);
        Q_UNUSED(x);
    }
    // Whether the blade columns are marked red in the holder for the host to show.
    virtual bool wantsMarks() const { return true; }
};

// How many of the blade's columns reach the picture's first or last row, found on the way:
// a blade that does may go on beyond the picture.
struct EdgeContact {
    int columns = 0; // the blade's columns, first to last
    int top = 0;     // columns dark in the first row
    int bottom = 0;  // columns dark in the last row
    int either = 0;  // columns dark in one of them or both
};

enum class ScanOutcome {
    Scaled,  // arrays hold the blade's columns in the diameter's unit
    Aborted, // bAbort was set; arrays hold raw rows for the columns scanned so far
    Failed,  // reported as "DoIt()"; arrays hold raw rows, unscaled
};

// Traces the blade's upper (xLE) and lower (xTE) edge column by column in picTop, marking
// every blade column red in the holder when the host wants it. On success the arrays span
// the blade's first to last column, scaled so that this extent measures Diameter; their
// last index is the extent in pixel columns. The names mislead: picTop is whichever view is
// scanned, top or side, and xLE/xTE are the picture's upper and lower edges, not the
// leading and trailing edge.
ScanOutcome DoIt(ScanHolder& picTop, std::vector<float>& xLE, std::vector<float>& xTE,
                 qint32 lThreshold, float Diameter, ScanHost& host);

// The same, also counting the blade's columns that reach the picture's top or bottom row.
ScanOutcome DoIt(ScanHolder& picTop, std::vector<float>& xLE, std::vector<float>& xTE,
                 qint32 lThreshold, float Diameter, ScanHost& host, EdgeContact& contact);

// The same on an image in any format, converted on the way in; picTop ends as the marked
// 32-bit holder.
ScanOutcome DoIt(QImage& picTop, std::vector<float>& xLE, std::vector<float>& xTE,
                 qint32 lThreshold, float Diameter, ScanHost& host);

} // namespace bladetrace
