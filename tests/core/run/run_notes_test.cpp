#include "base/language.h"
#include "run/run_notes.h"

#include <gtest/gtest.h>
#include <vector>

namespace bladetrace {
namespace {

// A twist chart from the tip inwards, as the run folds it: r/R and blade angle per station.
ChartSet twist(const std::vector<std::pair<double, double>>& stations) {
    ChartSet charts;
    for (const auto& [rR, beta] : stations) {
        charts[kBetaChart].x.push_back(rR);
        charts[kBetaChart].y.push_back(beta);
    }
    return charts;
}

// The swapped-views note needs every station from r/R 0.5 out above 60 degrees; the warning
// line gathers what is hardly meant. Both in the run's language.
TEST(RunNotes, SwappedViewsAreNotedImplausibleInputsWarnedInOneLine) {
    const ChartSet swapped = twist({{1.0, 78}, {0.75, 70}, {0.5, 61}, {0.25, 45}});
    const ChartSet upright = twist({{1.0, 12}, {0.75, 16}, {0.5, 22}, {0.25, 40}});
    const ChartSet oneBelow = twist({{1.0, 78}, {0.75, 59.9}, {0.5, 61}, {0.25, 45}});
    const struct {
        const char* name;
        const ChartSet& charts;
        double diameter, speed, tipMach;
        Language language;
        QStringList said;
    } cases[] = {
        {"nothing doubtful", upright, 0.185, 50, 0.6, Language::English, {}},
        {"swapped",
         swapped,
         0.185,
         50,
         0.6,
         Language::English,
         {"The two views may be swapped: the blade angle is above 60\u00b0 everywhere from r/R "
          "0.5 to the tip."}},
        {"one station outboard at 59.9\u00b0", oneBelow, 0.185, 50, 0.6, Language::English, {}},
        {"the tip faster than sound",
         upright,
         0.185,
         50,
         3.9e26,
         Language::English,
         {"Warning: the blade tip moves at Mach 3.9e+26, faster than sound."}},
        {"all of it, German",
         swapped,
         12,
         -5,
         1.25,
         Language::German,
         {"Die beiden Ansichten sind vielleicht vertauscht: Der Blattwinkel liegt von r/R 0.5 "
          "bis zur Spitze \u00fcberall \u00fcber 60\u00b0.",
          "Warnung: die Blattspitze bewegt sich mit Mach 1.25, schneller als der Schall; ein "
          "Durchmesser von 12\u00a0m ist mehr als 10\u00a0m; die Fluggeschwindigkeit von "
          "-5\u00a0m/s ist negativ und wurde so \u00fcbernommen."}},
        {"exactly 10 m and Mach 1", upright, 10, 0, 1, Language::English, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(runNotes({c.charts, c.diameter, c.speed, c.tipMach}, languageNumber(c.language)),
                  c.said);
    }
}

} // namespace
} // namespace bladetrace
