#pragma once

#include "results/run_results.h"

#include <QByteArray>

namespace bladetrace::cli {

// The key figures of a completed run as --summary writes them: one JSON object, what a
// collection's summary row is made of. Lengths in metres, angles in degrees, whatever the
// run's units. A figure the run did not yield is left out.
namespace figure {
constexpr char kThreshold[] = "threshold";         // as used
constexpr char kAutoThreshold[] = "autoThreshold"; // suggested from the views
constexpr char kSpanMatching[] = "spanMatching";
constexpr char kScaledView[] = "scaledView"; // "none", "top" or "side"
constexpr char kSpanScale[] = "spanScale";   // by which it was scaled up
constexpr char kStations[] = "stations";     // of the folded blade
constexpr char kBlades[] = "blades";
constexpr char kDiameter[] = "diameter"; // as used: corrected when not positive
constexpr char kRpm[] = "rpm";
constexpr char kSpeed[] = "speed"; // m/s
constexpr char kChord075[] = "cR075";
constexpr char kBeta075[] = "beta075";
constexpr char kPitch075[] = "pitch075";
// Predicted at the run's RPM and flight speed; left out when there is no prediction, and
// the efficiency when the propeller does not both push and take power.
constexpr char kThrust[] = "thrust"; // N
constexpr char kPower[] = "power";   // W
constexpr char kEfficiency[] = "efficiency";
constexpr char kCT[] = "CT";
constexpr char kCP[] = "CP";
constexpr char kCompleted[] = "completed"; // ISO 8601, local time with its offset
} // namespace figure

// Where the figures at three quarters of the radius are taken.
constexpr double kSummaryRR = 0.75;

QByteArray runSummaryBytes(const RunResults& results);

} // namespace bladetrace::cli
