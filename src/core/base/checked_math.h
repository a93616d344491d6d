#pragma once

#include "base/app_error.h"

#include <cfloat>
#include <cmath>

namespace bladetrace {

// Arithmetic that fails as users of such programs expect, instead of running on with
// infinities: a result beyond the type's range is an overflow, a division by zero an error.

inline double checkedFinite(double value) {
    if (!std::isfinite(value))
        fail(errc::kOverflow);
    return value;
}

// Stores a double in single precision; a value beyond the float range is an overflow.
inline float toSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > double(FLT_MAX))
        fail(errc::kOverflow);
    return float(value);
}

// 0 / 0 is an overflow, x / 0 a division by zero, as the classic run-time reports them.
inline double checkedDivide(double numerator, double denominator) {
    if (denominator == 0.0)
        fail(numerator == 0.0 ? errc::kOverflow : errc::kDivisionByZero);
    return checkedFinite(numerator / denominator);
}

} // namespace bladetrace
