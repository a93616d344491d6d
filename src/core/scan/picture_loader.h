#pragma once

#include "scan/picture_probe.h"
#include "scan/scan_holder.h"

#include <QImage>
#include <QString>

namespace bladetrace {

// The one door for pictures: each is probed (picture_probe.h), then decoded.

// Loads an image file as 32-bit RGB, transparent parts shown on white paper. Fails as
// probePicture does, with 481 for a picture that does not decode whole, and with 7 when
// memory runs out.
QImage loadPicture(const QString& fileName, const LoadLimits& limits = {});

// The same for scanning alone: an uncompressed 24- or 32-bit bitmap is not decoded but
// mapped into memory and its rows read where they lie; other pictures are decoded.
ScanHolder loadScanPicture(const QString& fileName, const LoadLimits& limits = {});

} // namespace bladetrace
