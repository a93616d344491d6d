#pragma once

#include "prepare/threshold_suggestion.h"

namespace bladetrace::accuracy {

// Halfway between the blade's grey and the paper's, each the most frequent grey on its side
// of Otsu's split: where an evenly blurred edge is half blade. The program suggests Otsu's
// own split; this is what the accuracy report compares it with.
int midwayThreshold(const GreyHistogram& histogram);

} // namespace bladetrace::accuracy
