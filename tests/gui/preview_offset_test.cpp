#include "preview_offset.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// The strip is 169 pixels wide: the scanned column stays in its middle, 84.5 pixels in.
TEST(PreviewOffset, KeepsTheScannedColumnInTheMiddle) {
    const struct {
        const char* name;
        float column;
        float imageWidth;
        float offset;
    } cases[] = {
        {"still left-aligned: 84 < 84.5", 84, 2000, 0.0f},
        {"past the middle", 85, 2000, -0.5f},
        {"not strictly beyond the right end's hold", 1915.5f, 2000, -1831.0f},
        {"the right end held", 1916, 2000, -1831.0f},
        {"an image narrower than the strip, left-aligned", 50, 100, 0.0f},
        {"then right-aligned", 85, 100, 69.0f},
    };
    for (const auto& c : cases)
        EXPECT_EQ(previewPaintOffset(c.column, 169, c.imageWidth), c.offset) << c.name;
}

} // namespace
} // namespace bladetrace
