#pragma once

namespace bladetrace {

// a when a < b, otherwise b: b on a tie.
template <typename T> const T& Min(const T& a, const T& b) {
    return a < b ? a : b;
}

} // namespace bladetrace
