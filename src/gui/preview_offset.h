#pragma once

namespace bladetrace {

// Where the preview strip paints the marked image (its left edge, in strip pixels) so that
// the column being scanned stays in the middle, except near the image's two ends.
inline float previewPaintOffset(float x, float stripWidth, float imageWidth) {
    if (x < stripWidth / 2)
        return 0.0f;
    if (x > imageWidth - stripWidth / 2)
        return stripWidth - imageWidth;
    return stripWidth / 2 - x;
}

} // namespace bladetrace
