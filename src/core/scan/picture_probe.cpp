#include "scan/picture_probe.h"

#include "base/app_error.h"
#include "scan/picture_damage.h"
#include "scan/warning_capture.h"

#include <QBuffer>
#include <QImageReader>
#include <cstdlib>

namespace bladetrace {
namespace {

// What the program reads: the formats of scanners and cameras. Qt's readers of the rarer
// formats have seen far less hostile input.
bool readsFormat(const QByteArray& format) {
    static const QByteArrayList formats = {"bmp", "jpeg", "png", "gif", "tiff",
                                           "pbm", "pgm",  "ppm", "webp"};
    return formats.contains(format);
}

QByteArray canonicalFormat(QByteArray format) {
    if (format == "jpg")
        return "jpeg";
    if (format == "tif")
        return "tiff";
    return format;
}

} // namespace

void pictureDamaged(const QString& fileName, const QString& why) {
    fail(errc::kInvalidPicture,
         QStringLiteral("Invalid picture: %1 is damaged or incomplete (%2)").arg(fileName, why));
}

namespace {

void checkPictureSize(const QString& fileName, qint64 width, qint64 height,
                      const LoadLimits& limits) {
    const double megapixels = double(width) * double(height) / 1e6;
    if (width > 0 && height > 0 && !(megapixels <= limits.maxMegapixels))
        fail(errc::kInvalidPicture,
             QStringLiteral("Invalid picture: %1 is %2 x %3 pixels (%4 megapixels), more than "
                            "the limit of %5 megapixels")
                 .arg(fileName)
                 .arg(width)
                 .arg(height)
                 .arg(megapixels, 0, 'g', 4)
                 .arg(limits.maxMegapixels, 0, 'g', 4));
}

} // namespace

void checkPictureSize(const QString& fileName, QSize size, const LoadLimits& limits) {
    if (size.isValid())
        checkPictureSize(fileName, size.width(), size.height(), limits);
}

PictureProbe probePicture(const QString& fileName, const LoadLimits& limits) {
    PictureProbe probe;
    probe.file = openPictureFile(fileName);
    const PictureFile& file = *probe.file;
    const WarningCapture quiet; // the decoding, which follows, tells what matters of them
    QBuffer buffer;
    buffer.setData(
        QByteArray::fromRawData(reinterpret_cast<const char*>(file.data), qsizetype(file.size)));
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    probe.format = canonicalFormat(reader.format());
    if (probe.format.isEmpty())
        fail(errc::kInvalidPicture,
             QStringLiteral("Invalid picture: %1 (%2)").arg(fileName, reader.errorString()));
    if (!readsFormat(probe.format))
        fail(errc::kInvalidPicture,
             QStringLiteral("Invalid picture: %1 (a picture in %2 format, which is not read)")
                 .arg(fileName, QString::fromLatin1(probe.format)));

    // The program's own readings come first: a reader asked for the size may already
    // allocate what the file declares (libpng a chunk's length), and Qt's bitmap reader tells
    // no size beyond the pixels it decodes.
    QString broken;
    if (probe.format == "bmp") {
        probe.bitmap = readBitmapHeader(file.data, file.size);
        if (probe.bitmap) {
            checkPictureSize(fileName, probe.bitmap->width, std::abs(qint64(probe.bitmap->height)),
                             limits);
            broken = bitmapDamage(*probe.bitmap, file.data, file.size);
        }
    } else {
        broken = damageInStructure(probe.format, file.data, file.size);
    }
    // A file cut short while it was read looks broken for that alone.
    if (const QString changed = file.changed(); !changed.isEmpty())
        pictureDamaged(fileName, changed);
    if (!broken.isEmpty())
        pictureDamaged(fileName, broken);
    probe.size = reader.size();
    checkPictureSize(fileName, probe.size, limits);
    return probe;
}

} // namespace bladetrace
