#pragma once

namespace bladetrace::pagekey {

// The keys of the main window's tab pages. A chart's data carries the key of the page
// that shows it.
constexpr char kSheet[] = "SHEET";
constexpr char kChord[] = "CHORD";
constexpr char kBeta[] = "BETA";
constexpr char kPitch[] = "PITCH";
constexpr char kPerformance[] = "PERFORMANCE";

} // namespace bladetrace::pagekey
