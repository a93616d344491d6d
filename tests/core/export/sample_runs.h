#pragma once

#include "results/run_results.h"
#include "run/calc_it.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace bladetrace::testing {

// One metric run with thickness correction, then an imperial run of the same pair, both with
// report pictures: what the run recorded for saving, kept for all the export tests.
struct SampleRuns {
    std::vector<RunOutcome> outcomes;
    std::vector<RunResults> results;
};
const SampleRuns& sampleRuns();

// Tests on the sample runs; each stops at once when the runs did not complete.
class SampleRunsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(sampleRuns().outcomes,
                  (std::vector<RunOutcome>{RunOutcome::Completed, RunOutcome::Completed}));
        ASSERT_EQ(sampleRuns().results.size(), 2u);
    }
    static const RunResults& metricRun() { return sampleRuns().results[0]; }
    static const RunResults& imperialRun() { return sampleRuns().results[1]; }
};

} // namespace bladetrace::testing
