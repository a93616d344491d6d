#pragma once

namespace bladetrace::cli {

// What the batch tool ends with, for a pair and for a collection.
enum ExitStatus { kDone = 0, kUsage = 2, kMismatch = 3, kFailed = 4, kRefused = 5 };

} // namespace bladetrace::cli
