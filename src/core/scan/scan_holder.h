#pragma once

#include "files/picture_file.h"
#include "scan/pixel_rows.h"

#include <QImage>
#include <QtGlobal>
#include <memory>

namespace bladetrace {

// A 32-bit RGB image of `size`, its pixels unset. Fails with out of memory (7) where Qt
// finds no room for it (it hands back a null image, which nothing may write to).
QImage allocateScanImage(QSize size);

// The image as the scanner reads it: 32-bit RGB, transparent parts on white paper. Fails
// with out of memory (7) when there is no room for the converted copy.
QImage toScanImage(QImage image);

// A 32-bit RGB copy of rows wherever they lie. Fails with out of memory (7).
QImage imageOf(const PixelRows& rows);

// picTop: a picture held for scanning. Its rows are read where they lie: in a decoded image,
// which also takes the scan's red marks for the window's preview strip, or in a bitmap file
// mapped into memory, which takes none.
class ScanHolder {
public:
    static constexpr quint32 kMarkRed = 0xFFFF0000u; // grey 85: below the default threshold

    ScanHolder() = default;
    // Any format; converted on the way in (see toScanImage).
    explicit ScanHolder(QImage image);
    // Rows where they lie in a picture file's bytes, which the holder keeps alive.
    ScanHolder(const PixelRows& rows, std::shared_ptr<const PictureFile> file);

    ScanHolder(ScanHolder&&) = default;
    ScanHolder& operator=(ScanHolder&&) = default;

    const PixelRows& rows() const { return rows_; }
    int width() const { return rows_.width; }
    int height() const { return rows_.height; }
    // The decoded image with its marks; null when the rows lie in a file.
    const QImage& image() const { return image_; }
    QImage takeImage();
    // The picture as a decoded image, taken out of the holder: rows read in place from a
    // file are copied once.
    QImage releaseImage();
    // Fails with 481 when the rows lie in a file that changed after it was opened: what was
    // read of them may not be the picture (see PictureFile::changed).
    void checkRows() const;

    // A red line in column x from row top to row bottom, both included, clipped to the
    // image; nothing when there is no decoded image.
    void markColumn(int x, int top, int bottom);

private:
    QImage image_;
    uchar* marks_ = nullptr; // image_'s own pixels, never shared
    std::shared_ptr<const PictureFile> file_;
    PixelRows rows_;
};

} // namespace bladetrace
