#include "scan/edge_search.h"

#include <algorithm>

namespace bladetrace {

EdgeSearch::EdgeSearch(const PixelRows& rows, const DarkTest& test)
    : rows_(rows), test_(test), edges_(kBlockColumns) {
    runs_.reserve(kBlockColumns);
    next_.reserve(kBlockColumns);
    byUpper_.reserve(kBlockColumns);
}

void EdgeSearch::search(int x0, int n) {
    x0_ = x0;
    n_ = n;
    const int H = rows_.height;
    const int inside = std::max(0, std::min(n, rows_.width - x0));
    std::fill(edges_.begin(), edges_.end(), ColumnEdges{});
    if (test_.outsideDark()) {
        // Everything is blade, the rows and columns outside included.
        for (int c = 0; c < n; ++c)
            edges_[std::size_t(c)] = {0, H};
        return;
    }
    searchDown(inside);
    searchUp(inside);
}

// Reads row y at the open columns, calls found(c) for each dark one and leaves the rest open.
template <typename Found> void EdgeSearch::sweepRow(int y, Found found) {
    next_.clear();
    if (rows_.bytesPerPixel == 3)
        sweep<3>(rows_.row(y), found);
    else
        sweep<4>(rows_.row(y), found);
    runs_.swap(next_);
}

template <int Bytes, typename Found> void EdgeSearch::sweep(const uchar* row, Found found) {
    row += qsizetype(x0_) * Bytes;
    // Four 24-bit pixels are read as four words, the last reaching into the next pixel: the
    // row's last pixel is left to the single reads.
    const int wordsEnd = Bytes == 3 ? rows_.width - 1 - x0_ : n_;
    for (const Run& run : runs_) {
        int open = run.begin;
        const auto close = [&](int c) {
            found(c);
            if (open < c)
                next_.push_back({open, c});
            open = c + 1;
        };
        int c = run.begin;
        for (const int end = std::min(run.end, wordsEnd); c + 4 <= end; c += 4) {
            for (unsigned mask = test_.darkMask4<Bytes>(row + c * Bytes); mask != 0;
                 mask &= mask - 1)
                close(c + __builtin_ctz(mask));
        }
        for (; c < run.end; ++c) {
            const uchar* p = row + c * Bytes;
            if (test_.dark(Bytes == 3 ? pixelWord3(p) : pixelWord(p)))
                close(c);
        }
        if (open < run.end)
            next_.push_back({open, run.end});
    }
}

void EdgeSearch::searchDown(int inside) {
    runs_.clear();
    if (inside > 0)
        runs_.push_back({0, inside});
    for (int y = 0; y < rows_.height && !runs_.empty(); ++y)
        sweepRow(y, [&](int c) { edges_[std::size_t(c)].upper = y; });
}

// From the bottom up to each column's upper edge. A column that meets its upper edge has a
// single dark pixel there, which the search down has already read.
void EdgeSearch::searchUp(int inside) {
    runs_.clear();
    byUpper_.clear();
    for (int c = 0; c < inside; ++c) {
        if (edges_[std::size_t(c)].upper < 0)
            continue;
        byUpper_.push_back(c);
        if (!runs_.empty() && runs_.back().end == c)
            runs_.back().end = c + 1;
        else
            runs_.push_back({c, c + 1});
    }
    std::sort(byUpper_.begin(), byUpper_.end(), [this](int a, int b) {
        return edges_[std::size_t(a)].upper > edges_[std::size_t(b)].upper;
    });
    auto reaching = byUpper_.begin();
    for (int y = rows_.height - 1; !runs_.empty(); --y) {
        for (; reaching != byUpper_.end() && edges_[std::size_t(*reaching)].upper == y;
             ++reaching) {
            ColumnEdges& e = edges_[std::size_t(*reaching)];
            if (e.lower < 0) {
                e.lower = y;
                closeColumn(*reaching);
            }
        }
        sweepRow(y, [&](int c) { edges_[std::size_t(c)].lower = y; });
    }
}

// Takes column c out of the open runs without reading it.
void EdgeSearch::closeColumn(int c) {
    auto run = std::upper_bound(runs_.begin(), runs_.end(), c,
                                [](int column, const Run& r) { return column < r.begin; });
    --run; // the run that begins at or before c holds it
    const Run whole = *run;
    if (whole.begin == c && whole.end == c + 1) {
        runs_.erase(run);
    } else if (whole.begin == c) {
        run->begin = c + 1;
    } else if (whole.end == c + 1) {
        run->end = c;
    } else {
        run->end = c;
        runs_.insert(run + 1, {c + 1, whole.end});
    }
}

} // namespace bladetrace
