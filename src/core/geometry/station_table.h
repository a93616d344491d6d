#pragma once

#include <vector>

namespace bladetrace {

// The stations of one run: parallel single-precision arrays in SI units (radians, metres).
// It has room for at least 42 stations and for every station the layout makes.
struct StationTable {
    static constexpr int kMinimumSlots = 42;

    explicit StationTable(int slots = kMinimumSlots);

    std::vector<float> rR;
    std::vector<float> Beta;
    std::vector<float> Chord;
    std::vector<float> XLE;
    std::vector<float> ZLE;
    int Count = 0;
};

} // namespace bladetrace
