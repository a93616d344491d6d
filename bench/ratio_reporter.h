#pragma once

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
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                seconds_[run.benchmark_name()] = run.GetAdjustedCPUTime();
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

private:
    std::map<std::string, double> seconds_;
};

} // namespace bladetrace::bench
