#pragma once

#include "run/run_host.h"

#include <QImage>
#include <optional>

namespace bladetrace {

// The preparation the inputs may ask for before the scans: the threshold taken from the two
// pictures, their spans matched. Spans further apart than the inputs allow are matched when
// the user, asked, says both views show the same propeller. Records in `record` what it did
// and returns it for the note (empty when it did nothing), or nothing when the spans stay
// refused, after showing why unless the user was asked.
std::optional<QString> prepareViews(QImage& top, QImage& side, qint32& threshold, RunInputs& inputs,
                                    RunProgress& progress, ResultInputs& record);

} // namespace bladetrace
