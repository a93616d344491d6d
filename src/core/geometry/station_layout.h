#pragma once

namespace bladetrace {

// Where the stations lie across the diameter: station 0 is column 0, then one station per
// window of w columns starting at columns 0, w, 2w, ..., and the last station is column N.
struct StationLayout {
    int N{};       // last column both views have
    int w{};       // window width in columns
    int windows{}; // number of window stations

    int count() const { return 2 + windows; }
    int windowStart(int window) const { return window * w; }
};

// Ut and Us are the two views' last column indices. A blade narrower than 21 columns
// (window width 0) fails: it is too narrow to measure.
StationLayout layoutStations(int Ut, int Us);

} // namespace bladetrace
