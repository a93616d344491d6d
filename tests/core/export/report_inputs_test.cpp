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
        {"Actual Diameter", "0.185\u00a0m", false},
        {"Propeller RPM", "15000\u00a01/min", false},
        {"Flight Speed", "50\u00a0m/s", false},
        {"White threshold", "110 (set by hand)", false},
        {"Thickness Correction", "on: root\u00a020\u00a0%, tip\u00a010\u00a0%", false},
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

// Where the run used another value than the one typed, both show; switches show their state
// and how the threshold came about and what span matching did, in the record's language.
TEST_F(ReportInputs, WhatTheRunMadeOfAnInputFollowsIt) {
    RunResults corrected = metricRun();
    ResultInputs& in = corrected.inputs;
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
    RunResults matched = imperialRun();
    matched.inputs.autoThreshold = true;
    matched.inputs.threshold = 127;
    matched.inputs.spanMatching = true;
    matched.inputs.scaledView = ScaledView::Side;
    matched.inputs.spanScale = 1.0115;
    RunResults germanMatched = matched;
    germanMatched.language = Language::German;
    RunResults german = metricRun();
    german.language = Language::German;
    // The units box changed between the start and the sheet: both systems show.
    RunResults switched = imperialRun();
    switched.imperial = false;
    const struct {
        const char* name;
        const RunResults& run;
        QString label, value;
    } rows[] = {
        {"diameter corrected", corrected, "Actual Diameter",
         QString::fromUtf8("0\u00a0m  →  1.0000\u00a0m")},
        {"RPM corrected", corrected, "Propeller RPM",
         QString::fromUtf8("0\u00a01/min  →  60\u00a01/min")},
        {"threshold suggested", corrected, "White threshold",
         "127 (Auto: suggested from the two images)"},
        {"no thickness correction", corrected, "Thickness Correction", "off"},
        {"spans agreed", corrected, "Match spans", "on: spans already agree"},
        {"side view scaled", matched, "Match spans", "on: side view scaled by 1.0115"},
        {"imperial diameter", imperialRun(), "Actual Diameter",
         QString::fromUtf8("7.283\u00a0inch  →  0.1850\u00a0m")},
        {"imperial speed", imperialRun(), "Flight Speed",
         QString::fromUtf8("50\u00a0mph  →  22.35\u00a0m/s")},
        {"imperial units", imperialRun(), "Units", "imperial (inch, mph)"},
        {"units switched", switched, "Units",
         QString::fromUtf8("imperial (inch, mph)  →  metric (m, m/s)")},
        {"German thickness correction", german, "Dickenkorrektur",
         "ein: Wurzel\u00a020\u00a0%, Spitze\u00a010\u00a0%"},
        {"German threshold", germanMatched, QString::fromUtf8("Weißabgleich"),
         "127 (Auto: aus den beiden Bildern vorgeschlagen)"},
        {"German spans", germanMatched, "Spannweiten angleichen",
         "ein: Seitenansicht skaliert mit 1.0115"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(valueOf(row.run, row.label), row.value);
    }
}

} // namespace
} // namespace bladetrace
