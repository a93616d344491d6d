#include "midway_threshold.h"

#include <algorithm>

namespace bladetrace::accuracy {
namespace {

// The most frequent grey in [from, to), counted over five neighbouring greys so that the
// comb a JPEG leaves in the histogram does not decide it.
int mostFrequent(const GreyHistogram& h, int from, int to) {
    int best = from;
    qint64 bestCount = -1;
    for (int g = from; g < to; ++g) {
        qint64 count = 0;
        for (int n = std::max(from, g - 2); n <= std::min(to - 1, g + 2); ++n)
            count += h[std::size_t(n)];
        if (count > bestCount) {
            bestCount = count;
            best = g;
        }
    }
    return best;
}

} // namespace

int midwayThreshold(const GreyHistogram& h) {
    const int split = otsuThreshold(h);
    return (mostFrequent(h, 0, split + 1) + mostFrequent(h, split + 1, 256)) / 2;
}

} // namespace bladetrace::accuracy
