#pragma once

#include <QtGlobal>

namespace bladetrace {

// Reading a page of a mapped file that the file no longer holds (it was cut short, or
// rewritten from empty, after it was mapped) raises SIGBUS, which ends the process. While a
// guard lives, such a page in its range reads as zeros instead, and is counted: the reader
// goes on, and whoever owns the mapping reports the damage. Faults elsewhere go to the
// handler that was there before.
class BusErrorGuard {
public:
    BusErrorGuard(const uchar* begin, qint64 size);
    ~BusErrorGuard();
    BusErrorGuard(const BusErrorGuard&) = delete;
    BusErrorGuard& operator=(const BusErrorGuard&) = delete;

    // Whether the range is guarded: false when too many ranges are, or where the system
    // offers no such handler (there, mapping must be left to systems that keep mapped files
    // whole).
    bool guards() const { return slot_ >= 0; }
    // The pages read as zeros so far.
    int faults() const;

private:
    int slot_ = -1;
};

} // namespace bladetrace
