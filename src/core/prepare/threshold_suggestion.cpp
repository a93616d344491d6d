#include "prepare/threshold_suggestion.h"

#include "scan/grey_value.h"
#include "scan/scan_holder.h"

namespace bladetrace {

void addToHistogram(GreyHistogram& histogram, const QImage& picture) {
    const QImage rgb = toScanImage(picture);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++histogram[std::size_t(greyOf(line[x]))];
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

qint32 suggestThreshold(const QImage& top, const QImage& side) {
    GreyHistogram histogram{};
    addToHistogram(histogram, top);
    addToHistogram(histogram, side);
    return otsuThreshold(histogram);
}

} // namespace bladetrace
