#pragma once

#include "run/run_host.h"

#include <QImage>
#include <optional>

namespace bladetrace {

// The preparation the inputs may ask for before the scans: the threshold taken from the two
// pictures, their spans matched. Returns what it did for the note (empty when it did
// nothing), or nothing when the spans are too far apart, after showing why.
std::optional<QString> prepareViews(QImage& top, QImage& side, qint32& threshold, RunInputs& inputs,
                                    ReportHost& progress);

} // namespace bladetrace
