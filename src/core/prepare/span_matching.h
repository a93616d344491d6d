#pragma once

#include "base/scaled_view.h"
#include "scan/outline_scanner.h"

#include <QImage>
#include <QtGlobal>

namespace bladetrace {

// Spans that differ by more than this fraction of the shorter one come from two different
// propellers, or from views at scales too far apart to trust, unless the user says otherwise.
constexpr double kMaxSpanDifference = 0.15;
// Paper left around the blade when a view is cropped, in pixels.
constexpr int kPaperMargin = 3;

// Two views made ready for the scans: each cropped to its blade with a margin of paper
// (specks of dust outside the blade painted over), and the one with the shorter span scaled
// up, the same across and along with smooth filtering, until the spans agree within a
// column. Scaling a view as a whole keeps its proportions, which is all the run relies on:
// it scales each view to metres by its own span.
struct MatchedSpans {
    QImage top;
    QImage side;
    int topSpan = 0; // blade spans of the views as given, in columns; 0 without a blade
    int sideSpan = 0;
    bool cropped = false; // false also when a view has no blade: the scan reports that
    ScaledView scaled = ScaledView::None;
    double scale = 1;     // the factor applied to the scaled view
    bool refused = false; // the spans differ by more than allowed; views untouched
    // Where cropped: how far each blade reached the picture's top and bottom row, which the
    // crop's margin of paper hides from the scans.
    EdgeContact topContact;
    EdgeContact sideContact;

    // How much longer the longer span is than the shorter, as a fraction of the shorter.
    double difference() const;
};

// Prepares two pictures (32-bit RGB, as the loader gives them) for the scans at this
// threshold, refusing spans more than `maxDifference` apart (a fraction of the shorter). A
// view without a blade spanning two columns or more leaves both untouched: the scan reports
// it.
MatchedSpans matchSpans(const QImage& top, const QImage& side, qint32 threshold,
                        double maxDifference = kMaxSpanDifference);

} // namespace bladetrace
