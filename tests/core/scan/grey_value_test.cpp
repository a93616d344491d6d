#include "scan/grey_value.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// The dark test itself is compared with greyOf in the edge search's randomised test.
TEST(GreyValue, RoundsTheChannelMeanToTheNearestInteger) {
    const struct {
        const char* name;
        quint32 pixel;
        quint32 grey;
    } cases[] = {{"(1, 1, 0): 2/3", 0x000101, 1},
                 {"(1, 0, 0): 1/3", 0x000001, 0},
                 {"the red marks", 0x0000FF, 85},
                 {"white, its fourth byte ignored", 0xFFFFFFFF, 255}};
    for (const auto& c : cases)
        EXPECT_EQ(greyOf(c.pixel), c.grey) << c.name;
}

} // namespace
} // namespace bladetrace
