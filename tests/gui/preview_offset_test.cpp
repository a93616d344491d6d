#include "preview_offset.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

TEST(PreviewOffset, KeepsTheScannedColumnInTheMiddle) {
    // 84 < 84.5; 1915.5 is not strictly beyond, the right end held from there; an image
    // narrower than the strip left-aligned, then right-aligned.
    EXPECT_EQ(
        (QList<float>{previewPaintOffset(0, 169, 2000), previewPaintOffset(84, 169, 2000),
                      previewPaintOffset(85, 169, 2000), previewPaintOffset(1000, 169, 2000),
                      previewPaintOffset(1915.5f, 169, 2000), previewPaintOffset(1916, 169, 2000),
                      previewPaintOffset(50, 169, 100), previewPaintOffset(85, 169, 100)}),
        (QList<float>{0.0f, 0.0f, -0.5f, -915.5f, -1831.0f, -1831.0f, 0.0f, 69.0f}));
}

} // namespace
} // namespace bladetrace
