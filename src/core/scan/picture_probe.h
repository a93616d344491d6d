#pragma once

#include "files/picture_file.h"
#include "scan/bitmap_file.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>

namespace bladetrace {

struct LoadLimits {
    // Pictures with more pixels are refused from their header, before anything is decoded.
    // The default takes any scan or photograph a user could make.
    double maxMegapixels = 400.0;
};

// What is known of a picture file before anything is decoded.
struct PictureProbe {
    std::shared_ptr<PictureFile> file;
    QByteArray format; // Qt's name for it: "bmp", "jpeg", "png", ...
    QSize size;        // as its header declares it; invalid where the reader tells none
    std::optional<BitmapHeader> bitmap; // a bitmap's headers
};

// Opens the file and checks, once, all that can be checked before decoding: a regular file
// (53 when missing, 75 for a folder, a device, a pipe or an unreadable file), a format the
// program reads, a size within `limits`, a structure that is whole (481 otherwise).
PictureProbe probePicture(const QString& fileName, const LoadLimits& limits);

// The size check of probePicture, also for the size a decoder gives. Fails with 481.
void checkPictureSize(const QString& fileName, QSize size, const LoadLimits& limits);

[[noreturn]] void pictureDamaged(const QString& fileName, const QString& why);

} // namespace bladetrace
