#pragma once

#include "base/app_error.h"

#include <functional>

namespace bladetrace::testing {

// The error value `step` fails with; number 0 when it does not fail.
inline AppError failureOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const Failure& failure) {
        return failure.error();
    }
    return {};
}

} // namespace bladetrace::testing
