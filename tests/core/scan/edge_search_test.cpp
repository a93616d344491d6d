#include "scan/edge_search.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

namespace bladetrace {
namespace {

// A bitmap read in place ends where its mapping may end: nothing after its last pixel is read.
TEST(EdgeSearch, ReadsNoByteBeyondTheLast24BitPixel) {
    const long page = sysconf(_SC_PAGESIZE);
    auto* memory = static_cast<uchar*>(
        mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_EQ(mprotect(memory + page, page, PROT_NONE), 0);
    uchar* rows = memory + page - 24; // two rows of four black pixels, then the guard page
    std::memset(rows, 0, 24);
    const PixelRows pixels = {rows, 12, 4, 2, 3};
    const DarkTest test(110);
    EdgeSearch search(pixels, test);
    search.search(0, 4);
    EXPECT_EQ(search[3].lower, 1);
    munmap(memory, 2 * page);
}

} // namespace
} // namespace bladetrace
