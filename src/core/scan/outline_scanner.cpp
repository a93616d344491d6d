#include "scan/outline_scanner.h"

#include "base/checked_math.h"
#include "scan/edge_search.h"
#include "text/error_report.h"

#include <algorithm>

namespace bladetrace {

ScanOutcome DoIt(ScanHolder& picTop, std::vector<float>& xLE, std::vector<float>& xTE,
                 qint32 lThreshold, float Diameter, ScanHost& host) {
    EdgeContact contact;
    return DoIt(picTop, xLE, xTE, lThreshold, Diameter, host, contact);
}

ScanOutcome DoIt(ScanHolder& picTop, std::vector<float>& xLE, std::vector<float>& xTE,
                 qint32 lThreshold, float Diameter, ScanHost& host, EdgeContact& contact) {
    contact = {};
    const int W = picTop.width();
    const int H = picTop.height();
    xLE.assign(std::size_t(W) + 1, 0.0f);
    xTE.assign(std::size_t(W) + 1, 0.0f);
    host.scanStarted(picTop);
    const bool marks = host.wantsMarks();

    const DarkTest test(lThreshold);
    EdgeSearch edges(picTop.rows(), test);
    int first = -1;
    int last = -1;
    for (int x = 0; x <= W; ++x) {
        if (host.abortAsked())
            return ScanOutcome::Aborted;
        if (!edges.holds(x))
            edges.search(x, std::min(EdgeSearch::kBlockColumns, W + 1 - x));
        const ColumnEdges e = edges[x];
        if (e.upper >= 0 && e.lower >= 0) {
            if (first < 0)
                first = x;
            if (marks)
                picTop.markColumn(x, e.upper, e.lower);
            last = x;
            xLE[std::size_t(x)] = float(e.upper);
            xTE[std::size_t(x)] = float(e.lower);
            // Row H, beyond the picture, is dark only when everything is.
            const bool top = e.upper == 0;
            const bool bottom = e.lower >= H - 1;
            contact.top += int(top);
            contact.bottom += int(bottom);
            contact.either += int(top || bottom);
        }
        host.columnScanned(picTop, x);
    }
    try {
        picTop.checkRows();
    } catch (const Failure& failure) {
        ErrorHandler(host, failure.error(), QStringLiteral("DoIt()"));
        return ScanOutcome::Failed;
    }
    if (marks) {
        picTop.markColumn(first, 0, H);
        picTop.markColumn(last, 0, H);
    }

    const int extent = last - first;
    contact.columns = first < 0 ? 0 : extent + 1;
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

ScanOutcome DoIt(QImage& picTop, std::vector<float>& xLE, std::vector<float>& xTE,
                 qint32 lThreshold, float Diameter, ScanHost& host) {
    ScanHolder holder;
    try {
        holder = ScanHolder(std::move(picTop));
    } catch (const Failure& failure) {
        ErrorHandler(host, failure.error(), QStringLiteral("DoIt()"));
        return ScanOutcome::Failed;
    }
    const ScanOutcome outcome = DoIt(holder, xLE, xTE, lThreshold, Diameter, host);
    picTop = holder.takeImage();
    return outcome;
}

} // namespace bladetrace
