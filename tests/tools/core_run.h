#pragma once

#include "propeller_renderer.h"
#include "run/calc_it.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace bladetrace::roundtrip {

// The thickness-correction box ticked with these root and tip thicknesses, in percent.
struct Thickness {
    double root;
    double tip;
};

// What a run showed: its outcome, the messages it raised and the two charts' values.
struct CoreResult {
    RunOutcome outcome = RunOutcome::Failed;
    QStringList messages;
    bool scriptWritten = false;
    std::vector<double> cOverR;        // row 0 the tip: folded chord over radius
    std::vector<double> betaDeg;       // folded, and corrected when asked, blade angle
    std::vector<double> stationROverR; // each sheet row's r/R, first tip first
};

// Runs the whole analysis (CalcIt) on two image files, as the window would with these inputs.
CoreResult runCore(const QString& topFile, const QString& sideFile, double diameter, int threshold,
                   std::optional<Thickness> thickness = std::nullopt, bool matchSpans = false);

// Saves the pair into a fresh temporary directory first.
CoreResult runCore(const render::RenderedPair& pair, double diameter, int threshold,
                   std::optional<Thickness> thickness = std::nullopt, bool matchSpans = false);

} // namespace bladetrace::roundtrip
