#include "scan/outline_scanner.h"

#include "scan/grey_value.h"
#include "text/checked_math.h"
#include "text/error_report.h"

namespace bladetrace {
namespace {

constexpr quint32 kMarkRed = 0xFFFF0000u; // grey 85: below the default threshold

// Direct scan-line access to the holder; the image is 32-bit RGB (see loadPicture).
class Holder {
public:
    explicit Holder(QImage& image)
        : image_(image), bits_(image.bits()), stride_(image.bytesPerLine()), width_(image.width()),
          height_(image.height()) {}

    int width() const { return width_; }
    int height() const { return height_; }
    quint32 pixel(int x, int y) const {
        return reinterpret_cast<const quint32*>(bits_ + qsizetype(y) * stride_)[x];
    }
    void markColumn(int x, int top, int bottom) {
        if (x < 0 || x >= width_)
            return;
        top = qMax(top, 0);
        bottom = qMin(bottom, height_ - 1);
        for (int y = top; y <= bottom; ++y)
            reinterpret_cast<quint32*>(bits_ + qsizetype(y) * stride_)[x] = kMarkRed;
    }
    const QImage& image() const { return image_; }

private:
    QImage& image_;
    uchar* bits_;
    qsizetype stride_;
    int width_;
    int height_;
};

struct ColumnEdges {
    int upper = -1;
    int lower = -1;
};

// Reads the background above and below the blade and one dark pixel at each end, nothing
// of the blade's inside, and no pixel twice. Row H and row -1 lie outside the image.
ColumnEdges findEdges(const Holder& holder, const DarkTest& test, int x) {
    const int H = holder.height();
    ColumnEdges e;
    if (x >= holder.width()) {
        if (test.outsideDark())
            e = {0, H};
        return e;
    }
    for (int y = 0; y < H; ++y) {
        if (test.dark(holder.pixel(x, y))) {
            e.upper = y;
            break;
        }
    }
    if (e.upper < 0) {
        // The bottom-up search would read the same white pixels again.
        if (test.outsideDark())
            e = {H, H};
        return e;
    }
    if (test.outsideDark()) {
        e.lower = H;
        return e;
    }
    e.lower = e.upper;
    for (int y = H - 1; y > e.upper; --y) {
        if (test.dark(holder.pixel(x, y))) {
            e.lower = y;
            break;
        }
    }
    return e;
}

} // namespace

ScanOutcome DoIt(QImage& picTop, std::vector<float>& xLE, std::vector<float>& xTE,
                 qint32 lThreshold, float Diameter, ScanHost& host) {
    Holder holder(picTop);
    const int W = holder.width();
    const int H = holder.height();
    xLE.assign(std::size_t(W) + 1, 0.0f);
    xTE.assign(std::size_t(W) + 1, 0.0f);
    host.scanStarted(picTop);

    const DarkTest test(lThreshold);
    int first = -1;
    int last = -1;
    for (int x = 0; x <= W; ++x) {
        if (host.abortAsked())
            return ScanOutcome::Aborted;
        const ColumnEdges e = findEdges(holder, test, x);
        if (e.upper >= 0 && e.lower >= 0) {
            if (first < 0)
                first = x;
            holder.markColumn(x, e.upper, e.lower);
            last = x;
            xLE[std::size_t(x)] = float(e.upper);
            xTE[std::size_t(x)] = float(e.lower);
        }
        host.columnScanned(picTop, x);
    }
    holder.markColumn(first, 0, H);
    holder.markColumn(last, 0, H);

    const int extent = last - first;
    if (extent == 0) {
        const QString why = first < 0
                                ? QStringLiteral("No blade found: no pixel is as dark as the "
                                                 "threshold %1")
                                      .arg(lThreshold)
                                : QStringLiteral("The blade covers a single pixel column (%1), "
                                                 "so its span cannot be measured")
                                      .arg(first);
        ErrorHandler(host, makeError(errc::kDivisionByZero, why), QStringLiteral("DoIt()"));
        return ScanOutcome::Failed;
    }
    try {
        const float s = toSingle(double(Diameter) / double(extent));
        for (int c = first, i = 0; c <= last; ++c, ++i) {
            xLE[std::size_t(i)] = s * xLE[std::size_t(c)];
            xTE[std::size_t(i)] = s * xTE[std::size_t(c)];
        }
    } catch (const Failure& failure) {
        ErrorHandler(host, failure.error(), QStringLiteral("DoIt()"));
        return ScanOutcome::Failed;
    }
    xLE.resize(std::size_t(extent) + 1);
    xTE.resize(std::size_t(extent) + 1);
    return ScanOutcome::Scaled;
}

} // namespace bladetrace
