#include "scan/scan_holder.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace bladetrace {
namespace {

// Marks are clipped to the picture, never written into a row's padding or past it.
TEST(ScanHolder, MarksAreClippedToThePicture) {
    std::vector<quint32> pixels(5 * 3, 0xFFFFFFFFu); // 4 columns, rows 5 apart
    ScanHolder small(
        QImage(reinterpret_cast<uchar*>(pixels.data()), 4, 3, 5 * 4, QImage::Format_RGB32));
    for (const auto& [x, top, bottom] : {std::tuple{-1, 0, 2}, {4, 0, 2}, {0, -1, 1}, {3, 2, 3}})
        small.markColumn(x, top, bottom);
    std::vector<quint32> expected(pixels.size(), 0xFFFFFFFFu);
    for (const int at : {0, 5, 13}) // rows 0 and 1 of column 0, row 2 of column 3
        expected[std::size_t(at)] = ScanHolder::kMarkRed;
    EXPECT_EQ(pixels, expected);
}

} // namespace
} // namespace bladetrace
