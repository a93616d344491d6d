#pragma once

#include "scan/grey_value.h"
#include "scan/pixel_rows.h"

#include <vector>

namespace bladetrace {

struct ColumnEdges {
    int upper = -1; // first dark row from the top, -1 for none
    int lower = -1; // first dark row from the bottom
};

// Finds the upper and lower edge of a block of columns. It reads exactly the pixels a
// column-by-column search reads — the background above and below the blade and one dark
// pixel at each end, none twice, nothing of the blade's inside — but row by row along the
// scan lines, four columns at a time, where a column-by-column walk would cross a scan line
// for every pixel.
class EdgeSearch {
public:
    static constexpr int kBlockColumns = 512;

    EdgeSearch(const PixelRows& rows, const DarkTest& test);

    // Searches columns [x0, x0 + n), n <= kBlockColumns; columns at or beyond the image's
    // width lie outside it and read as background, as do rows H and -1.
    void search(int x0, int n);

    bool holds(int x) const { return x >= x0_ && x < x0_ + n_; }
    const ColumnEdges& operator[](int x) const { return edges_[std::size_t(x - x0_)]; }

private:
    // Open columns of the block, as runs of neighbours [begin, end).
    struct Run {
        int begin;
        int end;
    };

    void searchDown(int inside);
    void searchUp(int inside);
    template <typename Found> void sweepRow(int y, Found found);
    template <int Bytes, typename Found> void sweep(const uchar* row, Found found);
    void closeColumn(int c);

    const PixelRows& rows_;
    const DarkTest& test_;
    std::vector<ColumnEdges> edges_;
    std::vector<Run> runs_;
    std::vector<Run> next_;
    std::vector<int> byUpper_;
    int x0_ = 0;
    int n_ = 0;
};

} // namespace bladetrace
