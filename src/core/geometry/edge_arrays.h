#pragma once

#include <vector>

namespace bladetrace {

// One view's outline as the scanner leaves it: per blade column the upper (xLE) and lower
// (xTE) edge in metres. The last index is the blade's extent in pixel columns.
struct EdgeArrays {
    std::vector<float> xLE;
    std::vector<float> xTE;

    int last() const { return int(xLE.size()) - 1; }
};

} // namespace bladetrace
