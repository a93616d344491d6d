#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace bladetrace {

// A picture encoded in the format its file name's extension names (PNG, BMP, JPEG...), for
// writeOutputs. Empty when the picture cannot be encoded so.
QByteArray pictureBytes(const QImage& image, const QString& fileName);

// The same in a format named as Qt names it ("png").
QByteArray pictureBytes(const QImage& image, const char* format);

} // namespace bladetrace
