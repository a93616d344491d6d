#include "prepare/threshold_suggestion.h"

#include "prepare/scan_picture.h"
#include "scan/grey_value.h"

#include <algorithm>

namespace bladetrace {
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

void addToHistogram(GreyHistogram& histogram, const QImage& picture) {
    const QImage rgb = asScanPicture(picture);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++histogram[std::size_t((DarkTest::channelSum(line[x]) + 1) / 3)];
    }
}

int otsuThreshold(const GreyHistogram& h) {
    double total = 0, sum = 0;
    for (int g = 0; g < 256; ++g) {
        total += double(h[std::size_t(g)]);
        sum += double(g) * double(h[std::size_t(g)]);
    }
    // Greys no pixel has leave the classes alike: of a stretch of equal best splits, the middle.
    // Any split into two classes scores above 0.
    double darkCount = 0, darkSum = 0, best = 0;
    int first = 0, last = 0;
    for (int g = 0; g < 255; ++g) {
        darkCount += double(h[std::size_t(g)]);
        darkSum += double(g) * double(h[std::size_t(g)]);
        const double lightCount = total - darkCount;
        if (darkCount == 0 || lightCount == 0)
            continue;
        const double difference = darkSum / darkCount - (sum - darkSum) / lightCount;
        const double between = darkCount * lightCount * difference * difference;
        if (between > best) {
            best = between;
            first = last = g;
        } else if (between == best && last == g - 1) {
            last = g;
        }
    }
    return (first + last) / 2;
}

int midwayThreshold(const GreyHistogram& h) {
    const int split = otsuThreshold(h);
    return (mostFrequent(h, 0, split + 1) + mostFrequent(h, split + 1, 256)) / 2;
}

qint32 suggestThreshold(const QImage& picTop, const QImage& picSide) {
    GreyHistogram histogram{};
    addToHistogram(histogram, picTop);
    addToHistogram(histogram, picSide);
    return otsuThreshold(histogram);
}

} // namespace bladetrace
