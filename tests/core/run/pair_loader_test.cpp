#include "run/pair_loader.h"
#include "support/painted_blades.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// The batch tool's loader hands out the two views it loads at once, and loads any other name
// or a name asked for again then.
TEST(PairLoader, LoadsBothViewsAtOnce) {
    QTemporaryDir dir;
    const auto save = [&dir](int width, const char* name) {
        return testing::saveImage(testing::paintBand(width, 10, 5, 30, 2, 6), dir.path(), name);
    };
    const QString top = save(40, "top.bmp"), side = save(50, "side.bmp");
    const PictureLoader loader = loadPairAtOnce(top, side);
    EXPECT_EQ(loader(side).width(), 50);
    EXPECT_EQ(loader(top).width(), 40);
    EXPECT_EQ(loader(top).width(), 40) << "asked again";
    EXPECT_EQ(loader(save(60, "other.bmp")).width(), 60);
}

} // namespace
} // namespace bladetrace
