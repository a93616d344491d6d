#include "scan/outline_scanner.h"

#include "scan/grey_value.h"
#include "text/checked_math.h"
#include "text/error_report.h"

#include <algorithm>

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
    const quint32* row(int y) const {
        return reinterpret_cast<const quint32*>(bits_ + qsizetype(y) * stride_);
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

// Columns are searched a block at a time, row by row across the block: the same pixels a
// column-by-column search reads (the background above and below the blade and one dark
// pixel at each end, none twice), but each row's memory is touched once per block instead
// of once per column, which keeps tall images out of the cache's and the TLB's way.
constexpr int kBlockColumns = 64;

class EdgeBlock {
public:
    EdgeBlock(const Holder& holder, const DarkTest& test) : holder_(holder), test_(test) {}

    // Finds the edges of columns [x0, x0 + n); columns at or beyond the image's width lie
    // outside it and read as background.
    void search(int x0, int n) {
        x0_ = x0;
        n_ = n;
        const int H = holder_.height();
        const int inside = std::max(0, std::min(n, holder_.width() - x0));
        for (int c = 0; c < n; ++c)
            edges_[c] = ColumnEdges{};
        for (int c = inside; c < n; ++c)
            if (test_.outsideDark())
                edges_[c] = {0, H};

        int open = inside;
        for (int y = 0; y < H && open > 0; ++y) {
            const quint32* row = holder_.row(y) + x0;
            for (int c = 0; c < inside; ++c) {
                if (edges_[c].upper < 0 && test_.dark(row[c])) {
                    edges_[c].upper = y;
                    --open;
                }
            }
        }
        // Rows H and -1 lie outside: at the all-dark threshold they are blade too.
        for (int c = 0; c < inside; ++c) {
            ColumnEdges& e = edges_[c];
            if (test_.outsideDark())
                e = e.upper < 0 ? ColumnEdges{H, H} : ColumnEdges{e.upper, H};
        }
        if (test_.outsideDark())
            return;

        // Bottom-up, only below each column's upper edge; a column whose search meets its
        // upper edge has a single dark pixel there.
        open = 0;
        int lowestUpper = H;
        for (int c = 0; c < inside; ++c) {
            if (edges_[c].upper >= 0) {
                ++open;
                lowestUpper = std::min(lowestUpper, edges_[c].upper);
            }
        }
        for (int y = H - 1; y > lowestUpper && open > 0; --y) {
            const quint32* row = holder_.row(y) + x0;
            for (int c = 0; c < inside; ++c) {
                ColumnEdges& e = edges_[c];
                if (e.lower < 0 && y > e.upper && test_.dark(row[c])) {
                    e.lower = y;
                    --open;
                }
            }
        }
        for (int c = 0; c < inside; ++c)
            if (edges_[c].upper >= 0 && edges_[c].lower < 0)
                edges_[c].lower = edges_[c].upper;
    }

    const ColumnEdges& operator[](int x) const { return edges_[x - x0_]; }
    bool holds(int x) const { return x >= x0_ && x < x0_ + n_; }

private:
    const Holder& holder_;
    const DarkTest& test_;
    ColumnEdges edges_[kBlockColumns];
    int x0_ = 0;
    int n_ = 0;
};

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
    EdgeBlock block(holder, test);
    int first = -1;
    int last = -1;
    for (int x = 0; x <= W; ++x) {
        if (host.abortAsked())
            return ScanOutcome::Aborted;
        if (!block.holds(x))
            block.search(x, std::min(kBlockColumns, W + 1 - x));
        const ColumnEdges e = block[x];
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
