#pragma once

#include "scan/scan_holder.h"

#include <QImage>
#include <QString>

namespace bladetrace {

struct LoadLimits {
    // Pictures with more pixels are refused from their header, before anything is decoded.
    // The default takes any scan or photograph a user could make.
    double maxMegapixels = 400.0;
};

// Loads an image file as 32-bit RGB, transparent parts shown on white paper. Only regular
// files are opened. Fails with 53 for a missing file, 75 for a directory, a device, a pipe
// or an unreadable file, 481 for a file that is no picture, is damaged or incomplete, or
// is larger than `limits` allow, and 7 when memory runs out.
QImage loadPicture(const QString& fileName, const LoadLimits& limits = {});

// The same for scanning alone: an uncompressed 24- or 32-bit bitmap is not decoded but
// mapped into memory and its rows read where they lie; other pictures are decoded.
ScanHolder loadScanPicture(const QString& fileName, const LoadLimits& limits = {});

} // namespace bladetrace
