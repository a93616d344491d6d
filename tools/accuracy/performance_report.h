#pragma once

#include "blade_tables.h"
#include "performance_check.h"
#include "polar_fit.h"

#include <QImage>
#include <QString>
#include <vector>

namespace bladetrace::accuracy {

// A development propeller with wind-tunnel tests, its blade from the published table and
// as measured from its photographs (empty when the pair was refused).
struct PerformanceCase {
    QString key;
    QString title;
    double diameter = 0; // metres
    int blades = 2;
    std::vector<TunnelTest> tests;
    Distribution table;
    Distribution photographed;
    Distribution answered; // refused for its spans, measured after the question's yes
};

// The model's inputs for one of the two blades.
PerformanceInputs performanceInputs(const PerformanceCase& c, const Distribution& blade,
                                    const Polar& polar);

struct NamedPicture {
    QString file;
    QImage picture;
};

// The generated part on performance: the table of medians per propeller from photographs
// and from tables, the medians over propellers against the targets, the generic polar for
// comparison, and plots of `plotted` propellers (their keys).
QString performanceSection(const std::vector<PerformanceCase>& cases, const QStringList& plotted,
                           std::vector<NamedPicture>& plots);

// The generated part on the default polar: a fit over all published tables and, for each
// propeller, a fit without it that predicts it (leave one out).
QString polarFitSection(const std::vector<PerformanceCase>& cases);

} // namespace bladetrace::accuracy
