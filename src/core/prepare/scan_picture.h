#pragma once

#include <QImage>

namespace bladetrace {

// The picture as the scanner reads it, 32-bit RGB (the loader already gives it so; other
// formats are converted).
inline QImage asScanPicture(const QImage& picture) {
    return picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
               ? picture
               : picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace bladetrace
