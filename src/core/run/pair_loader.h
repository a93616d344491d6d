#pragma once

#include "run/calc_it.h"
#include "scan/picture_loader.h"

namespace bladetrace {

// The batch tool's loader: both views start loading at once, each on a thread of its own,
// uncompressed bitmaps read where they lie; the run takes each when it asks for it. Any
// other name, or a name asked for again, is loaded then.
PictureLoader loadPairAtOnce(const QString& topFile, const QString& sideFile,
                             const LoadLimits& limits = {});

} // namespace bladetrace
