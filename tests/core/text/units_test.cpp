#include "base/language.h"
#include "text/units.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// Each switch shows what it rounded to, so a round trip keeps the rounding; a box without a
// number is left as it is.
TEST(UnitSwitch, RoundTripsAccumulateTheShownRounding) {
    const struct {
        const char *diameter, *velocity;
        int language;
        QStringList imperial, metric;
    } cases[] = {
        {"0.185",
         "50",
         languageNumber(Language::English),
         {"7.283", "111.85"},
         {"0.1850", "50.00"}},
        {"1", "1", languageNumber(Language::German), {"39.370", "2.24"}, {"1.0000", "1.00"}},
        {"", "fast", languageNumber(Language::English), {"", "fast"}, {"", "fast"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.diameter << ", " << c.velocity);
        const UnitBoxes imperial = switchUnits(true, c.diameter, c.velocity, c.language);
        EXPECT_EQ(imperial.diameter, c.imperial[0]);
        EXPECT_EQ(imperial.velocity, c.imperial[1]);
        EXPECT_EQ(imperial.diameterUnit, "[inch]");
        EXPECT_EQ(imperial.velocityUnit, "[mph]");
        const UnitBoxes metric =
            switchUnits(false, imperial.diameter, imperial.velocity, c.language);
        EXPECT_EQ(metric.diameter, c.metric[0]);
        EXPECT_EQ(metric.velocity, c.metric[1]);
        EXPECT_EQ(metric.diameterUnit, "[m]");
        EXPECT_EQ(metric.velocityUnit, "[m/s]");
    }
}

} // namespace
} // namespace bladetrace
