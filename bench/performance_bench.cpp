// The performance prediction: a full curve, 100 advance ratios on a blade of 40 stations,
// must take under 20 ms. The baseline is the same sum over elements and advance ratios
// with the undisturbed inflow, one polar evaluation per element: the ratio is what solving
// for the induced inflow costs.

#include "performance/performance.h"
#include "ratio_reporter.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>

using namespace bladetrace;

namespace {

constexpr int kStations = 40;
constexpr int kAdvanceRatios = 100;
constexpr double kRpm = 6000;
constexpr double kPiExact = 3.141592653589793;

// A 10 x 7 in propeller's blade, tapered and twisted, at 40 stations from hub to tip.
PerformanceInputs fortyStations() {
    PerformanceInputs in;
    in.tipRadius = 0.127;
    for (int i = 0; i < kStations; ++i) {
        const double rR = 0.1 + 0.9 * i / (kStations - 1);
        const double cR = 0.2 - 0.16 * std::pow((rR - 0.4) / 0.6, 2);
        const double pitch = 0.7 * 2 * in.tipRadius; // 7 in
        in.blade.push_back(
            {rR, cR, std::atan(pitch / (2 * kPiExact * rR * in.tipRadius)) * 180 / kPiExact});
    }
    return in;
}

// J = 0 .. 0.99: the propeller's working range and beyond its zero thrust.
double advanceRatio(int i) {
    return 0.01 * i;
}

void FullCurve(benchmark::State& state) {
    const PerformanceInputs in = fortyStations();
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kAdvanceRatios; ++i)
            sum += advanceRatioPoint(in, kRpm, advanceRatio(i)).CT;
        benchmark::DoNotOptimize(sum);
    }
}

// As the batch tool will ask for it: from static until the thrust turns negative.
void CurveToZeroThrust(benchmark::State& state) {
    const PerformanceInputs in = fortyStations();
    for (auto _ : state) {
        const std::vector<PerformancePoint> curve = performanceCurve(in, kRpm);
        benchmark::DoNotOptimize(curve.data());
        state.counters["points"] = double(curve.size());
    }
}

void UndisturbedSum(benchmark::State& state) {
    const PerformanceInputs in = fortyStations();
    const double omega = 2 * kPiExact * kRpm / 60;
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kAdvanceRatios; ++i) {
            const double speed = advanceRatio(i) * kRpm / 60 * 2 * in.tipRadius;
            for (int j = 0; j < kElements; ++j) {
                const double r = (kRootRR + (1 - kRootRR) * (j + 0.5) / kElements) * in.tipRadius;
                const double phi = std::atan2(speed, omega * r);
                const double w = std::hypot(speed, omega * r);
                const SectionCoefficients c =
                    sectionCoefficients(in.polar, 0.3 - phi, w * 0.02 / 1.46e-5, w / 340.3);
                sum += w * w * (c.cl * std::cos(phi) - c.cd * std::sin(phi));
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(FullCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(CurveToZeroThrust)->Unit(benchmark::kMillisecond);
BENCHMARK(UndisturbedSum)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("UndisturbedSum");
    benchmark::Shutdown();
    return 0;
}
