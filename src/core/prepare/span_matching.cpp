#include "prepare/span_matching.h"

#include "prepare/dark_parts.h"
#include "prepare/grey_scaling.h"
#include "scan/scan_holder.h"

#include <cmath>
#include <cstring>

namespace bladetrace {
namespace {

// The blade's box with a margin of paper; white where the picture ends and over the specks.
QImage cropToBlade(const QImage& picture, const DarkParts& parts, const QRect& blade) {
    const QRect box = blade.adjusted(-kPaperMargin, -kPaperMargin, kPaperMargin, kPaperMargin);
    QImage out = allocateScanImage(box.size());
    out.fill(Qt::white);
    const QRect inside = box & picture.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        std::memcpy(out.scanLine(y - box.top()) + (inside.left() - box.left()) * 4,
                    picture.constScanLine(y) + inside.left() * 4, std::size_t(inside.width()) * 4);
    for (const DarkRun& run : parts.runs) {
        if (!isSpeck(parts.parts[std::size_t(run.part)], parts) || run.y < box.top() ||
            run.y > box.bottom())
            continue;
        auto* line = reinterpret_cast<quint32*>(out.scanLine(run.y - box.top()));
        for (int x = std::max(run.first, box.left()); x <= std::min(run.last, box.right()); ++x)
            line[x - box.left()] = 0xFFFFFFFFu;
    }
    return out;
}

// The factor, near `factor`, that brings the scaled span closest to `target`: the smooth
// filter moves the tips' threshold crossing by a fraction of a column, so it is found on
// the measured span.
double fittedFactor(const QImage& crop, int span, int target, double factor, qint32 threshold) {
    double best = factor;
    int bestMiss = -1;
    double step = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const auto [first, last] =
            GreyScaling(crop, factor).darkColumns(kPaperMargin, kPaperMargin + span, threshold);
        const int miss = first < 0 ? target : target - (last - first);
        if (bestMiss < 0 || std::abs(miss) < bestMiss) {
            bestMiss = std::abs(miss);
            best = factor;
        }
        if (miss == 0)
            break;
        // Half the step when the last one overshot.
        const double next = double(miss) / span;
        step = step * next < 0 ? next / 2 : next;
        factor += step;
    }
    return best;
}

// The blade's columns dark in the picture's first or last row, from the runs there; specks
// are left out, as the crop paints them over.
EdgeContact edgeContact(const DarkParts& parts, const QRect& blade, int height) {
    std::vector<unsigned char> reach(std::size_t(blade.width()), 0);
    const auto mark = [&](const DarkRun& run, unsigned char edge) {
        if (isSpeck(parts.parts[std::size_t(run.part)], parts))
            return;
        for (int x = std::max(run.first, blade.left()); x <= std::min(run.last, blade.right()); ++x)
            reach[std::size_t(x - blade.left())] |= edge;
    };
    // The runs lie by row: those of the first row lead, those of the last close the list.
    for (auto run = parts.runs.begin(); run != parts.runs.end() && run->y == 0; ++run)
        mark(*run, 1);
    for (auto run = parts.runs.rbegin(); run != parts.runs.rend() && run->y == height - 1; ++run)
        mark(*run, 2);
    EdgeContact contact;
    contact.columns = blade.width();
    for (const unsigned char edge : reach) {
        contact.top += edge & 1;
        contact.bottom += edge >> 1;
        contact.either += edge != 0;
    }
    return contact;
}

} // namespace

double MatchedSpans::difference() const {
    const int shorter = std::min(topSpan, sideSpan);
    return shorter > 0 ? double(std::max(topSpan, sideSpan)) / shorter - 1 : 0;
}

MatchedSpans matchSpans(const QImage& top, const QImage& side, qint32 threshold,
                        double maxDifference) {
    MatchedSpans m;
    m.top = toScanImage(top);
    m.side = toScanImage(side);
    const DarkParts topParts = findDarkParts(m.top, threshold);
    const DarkParts sideParts = findDarkParts(m.side, threshold);
    const QRect topBlade = bladeBox(topParts);
    const QRect sideBlade = bladeBox(sideParts);
    m.topSpan = std::max(topBlade.width() - 1, 0);
    m.sideSpan = std::max(sideBlade.width() - 1, 0);
    if (m.topSpan < 1 || m.sideSpan < 1)
        return m;
    if (m.difference() > maxDifference) {
        m.refused = true;
        return m;
    }
    m.topContact = edgeContact(topParts, topBlade, m.top.height());
    m.sideContact = edgeContact(sideParts, sideBlade, m.side.height());
    m.top = cropToBlade(m.top, topParts, topBlade);
    m.side = cropToBlade(m.side, sideParts, sideBlade);
    m.cropped = true;
    if (std::abs(m.topSpan - m.sideSpan) <= 1)
        return m;
    m.scaled = m.sideSpan < m.topSpan ? ScaledView::Side : ScaledView::Top;
    QImage& view = m.scaled == ScaledView::Side ? m.side : m.top;
    const int span = std::min(m.topSpan, m.sideSpan);
    const int target = std::max(m.topSpan, m.sideSpan);
    m.scale = fittedFactor(view, span, target, double(target) / span, threshold);
    view = GreyScaling(view, m.scale).scaled();
    return m;
}

} // namespace bladetrace
