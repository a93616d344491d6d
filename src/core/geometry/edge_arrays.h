#pragma once

#include <vector>

namespace bladetrace {

// One view's outline as the scanner leaves it: per blade column the upper (xLE) and lower
// (xTE) edge in metres; the last index is the blade's extent in pixel columns. Despite their
// names they are the picture's upper and lower edges, not the leading and trailing edge.
struct EdgeArrays {
    std::vector<float> xLE;
    std::vector<float> xTE;

    int last() const { return int(xLE.size()) - 1; }
};

} // namespace bladetrace
