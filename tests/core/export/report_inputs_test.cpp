#include "core/export/sample_runs.h"
#include "export/report_inputs.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

using ReportInputs = testing::SampleRunsTest;

// The value shown for the input labelled `label`; "(none)" when there is no such line.
QString valueOf(const RunResults& run, const QString& label) {
    for (const ReportInput& line : reportInputs(run))
        if (line.label == label)
            return line.value;
    return QStringLiteral("(none)");
}

// Every input in the window's order, under its caption without access key, colon or unit;
// the file names take the page's width.
TEST_F(ReportInputs, EveryInputOfTheRunUnderItsCaption) {
    const RunResults& run = metricRun();
    const struct {
        const char* label;
        QString value;
        bool wide;
    } expected[] = {
        {"Image for Top View", run.inputs.topFile, true},
        {"Image for Side View", run.inputs.sideFile, true},
        {"Actual Diameter", "0.185 m", false},
        {"Propeller RPM", "15000 1/min", false},
        {"Flight Speed", "50 m/s", false},
        {"White threshold", "110", false},
        {"Thickness Correction", "on: root 20 %, tip 10 %", false},
        {"Units", "metric (m, m/s)", false},
        {"Match spans", "off", false},
    };
    const std::vector<ReportInput> lines = reportInputs(run);
    ASSERT_EQ(lines.size(), std::size(expected));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(expected[i].label);
        EXPECT_EQ(lines[i].label, expected[i].label);
        EXPECT_EQ(lines[i].value, expected[i].value);
        EXPECT_EQ(lines[i].wide, expected[i].wide);
    }
}

// Where the run used another value than the one typed, both show; switches show their state.
TEST_F(ReportInputs, WhatTheRunMadeOfAnInputFollowsIt) {
    RunResults run = metricRun();
    ResultInputs& in = run.inputs;
    in.diameterText = "0";
    in.diameterCorrected = true;
    in.diameter = 1;
    in.rpmText = "0";
    in.rpmCorrected = true;
    in.revolutionsPerSecond = 1;
    in.threshold = 127;
    in.autoThreshold = true;
    in.thicknessCorrection = false;
    in.spanMatching = true;
    EXPECT_EQ(valueOf(run, "Actual Diameter"), QString::fromUtf8("0 m  →  1.0000 m"));
    EXPECT_EQ(valueOf(run, "Propeller RPM"), QString::fromUtf8("0 1/min  →  60 1/min"));
    EXPECT_EQ(valueOf(run, "White threshold"), "127 (Auto)");
    EXPECT_EQ(valueOf(run, "Thickness Correction"), "off");
    EXPECT_EQ(valueOf(run, "Match spans"), "on");
}

// Typed in imperial units, converted at the start: what was typed, then the SI value used.
TEST_F(ReportInputs, ImperialInputsShowTheirMetricValues) {
    EXPECT_EQ(valueOf(imperialRun(), "Actual Diameter"),
              QString::fromUtf8("7.283 inch  →  0.1850 m"));
    EXPECT_EQ(valueOf(imperialRun(), "Flight Speed"), QString::fromUtf8("50 mph  →  22.35 m/s"));
    EXPECT_EQ(valueOf(imperialRun(), "Units"), "imperial (inch, mph)");
    // The units box changed between the start and the sheet: both systems show.
    RunResults switched = imperialRun();
    switched.imperial = false;
    EXPECT_EQ(valueOf(switched, "Units"),
              QString::fromUtf8("imperial (inch, mph)  →  metric (m, m/s)"));
}

TEST_F(ReportInputs, InTheLanguageOfTheRun) {
    RunResults german = metricRun();
    german.language = Language::German;
    EXPECT_EQ(valueOf(german, "Durchmesser"), "0.185 m");
    EXPECT_EQ(valueOf(german, "Dickenkorrektur"), "ein: Wurzel 20 %, Spitze 10 %");
}

} // namespace
} // namespace bladetrace
