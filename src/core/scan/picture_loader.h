#pragma once

#include <QImage>
#include <QString>

namespace bladetrace {

// Loads an image file for scanning as 32-bit RGB, transparent parts shown on white paper.
// Fails with 53 for a missing file, 75 for a directory or an unreadable file and 481 for a
// file that is no image. Any size that fits in memory is accepted.
QImage loadPicture(const QString& fileName);

} // namespace bladetrace
