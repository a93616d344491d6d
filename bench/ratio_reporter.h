#pragma once

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace bladetrace::bench {

// Prints the usual table, then each benchmark's CPU time as a multiple of a baseline
// measured in the same run, so the figures depend neither on the machine's speed nor on
// what else it is doing.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // Wall time where a benchmark asks for it (work on other threads or in another
        // process), CPU time elsewhere; of repetitions the least, the one least disturbed.
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const double time = run.run_name.time_type.empty() ? run.GetAdjustedCPUTime()
                                                               : run.GetAdjustedRealTime();
            const auto [at, fresh] = seconds_.emplace(run.benchmark_name(), time);
            if (!fresh)
                at->second = std::min(at->second, time);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios(const std::string& baseline) const {
        const auto base = seconds_.find(baseline);
        if (base == seconds_.end() || base->second <= 0)
            return;
        std::printf("\nRatio to %s:\n", baseline.c_str());
        for (const auto& [name, time] : seconds_)
            std::printf("  %-40s %6.2fx\n", name.c_str(), time / base->second);
    }

    // name's time as a multiple of baseline's, or 0 when either is missing.
    double ratio(const std::string& name, const std::string& baseline) const {
        const auto a = seconds_.find(name);
        const auto b = seconds_.find(baseline);
        return a == seconds_.end() || b == seconds_.end() || b->second <= 0 ? 0.0
                                                                            : a->second / b->second;
    }

private:
    std::map<std::string, double> seconds_;
};

} // namespace bladetrace::bench
