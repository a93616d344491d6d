#include "prepare/dark_parts.h"

#include "scan/grey_value.h"
#include "scan/scan_holder.h"

#include <algorithm>

namespace bladetrace {
namespace {

// Appends the dark runs of one scan line, four pixels at a time where they agree.
void appendRuns(const quint32* line, int width, int y, const DarkTest& test,
                std::vector<DarkRun>& runs) {
    int x = 0;
    while (x < width) {
        while (x + 4 <= width && test.darkMask4<4>(reinterpret_cast<const uchar*>(line + x)) == 0)
            x += 4;
        while (x < width && !test.dark(line[x]))
            ++x;
        if (x >= width)
            return;
        const int first = x;
        while (x + 4 <= width &&
               test.darkMask4<4>(reinterpret_cast<const uchar*>(line + x)) == 0xFu)
            x += 4;
        while (x < width && test.dark(line[x]))
            ++x;
        runs.push_back({y, first, x - 1, 0});
    }
}

int root(std::vector<int>& parent, int i) {
    while (parent[std::size_t(i)] != i) {
        parent[std::size_t(i)] = parent[std::size_t(parent[std::size_t(i)])];
        i = parent[std::size_t(i)];
    }
    return i;
}

} // namespace

DarkParts findDarkParts(const QImage& picture, qint32 threshold) {
    const QImage rgb = toScanImage(picture);
    const DarkTest test(threshold);
    DarkParts out;
    std::vector<int> parent;
    std::size_t above = 0, aboveEnd = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const std::size_t begin = out.runs.size();
        appendRuns(reinterpret_cast<const quint32*>(rgb.constScanLine(y)), rgb.width(), y, test,
                   out.runs);
        for (std::size_t i = begin; i < out.runs.size(); ++i) {
            parent.push_back(int(i));
            const DarkRun& run = out.runs[i];
            while (above < aboveEnd && out.runs[above].last < run.first - 1)
                ++above;
            for (std::size_t a = above; a < aboveEnd && out.runs[a].first <= run.last + 1; ++a)
                parent[std::size_t(root(parent, int(a)))] = root(parent, int(i));
        }
        above = begin;
        aboveEnd = out.runs.size();
    }
    std::vector<int> partOf(out.runs.size(), -1);
    for (std::size_t i = 0; i < out.runs.size(); ++i) {
        int& part = partOf[std::size_t(root(parent, int(i)))];
        if (part < 0) {
            part = int(out.parts.size());
            out.parts.emplace_back();
        }
        DarkRun& run = out.runs[i];
        run.part = part;
        DarkPart& p = out.parts[std::size_t(part)];
        p.pixels += run.last - run.first + 1;
        p.box |= QRect(QPoint(run.first, run.y), QPoint(run.last, run.y));
        out.largest = std::max(out.largest, p.pixels);
    }
    return out;
}

bool isSpeck(const DarkPart& part, const DarkParts& all) {
    return part.pixels * 1000 < all.largest;
}

QRect bladeBox(const DarkParts& parts) {
    QRect box;
    for (const DarkPart& p : parts.parts)
        if (!isSpeck(p, parts))
            box |= p.box;
    return box;
}

} // namespace bladetrace
