#pragma once

#include "run/run_host.h"

#include <QImage>
#include <optional>

namespace bladetrace {

struct PreparedViews {
    QString note; // what the preparation did, for the run's note; empty when nothing
    // Where the views were cropped to their blades: how far each blade reached its picture's
    // top and bottom row, which the scans of the crops cannot see.
    std::optional<EdgeContact> topContact;
    std::optional<EdgeContact> sideContact;
};

// The preparation the inputs may ask for before the scans: the threshold taken from the two
// pictures, their spans matched. Spans further apart than the inputs allow are matched when
// the user, asked, says both views show the same propeller. Records in `record` what it did
// and returns it, or nothing when the spans stay refused, after showing why unless the user
// was asked.
std::optional<PreparedViews> prepareViews(QImage& top, QImage& side, qint32& threshold,
                                          RunInputs& inputs, RunProgress& progress,
                                          ResultInputs& record);

} // namespace bladetrace
