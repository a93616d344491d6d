// The renderer is the ruler of the round-trip tests, so its geometry is checked here against
// plain trigonometry, independently of the core.
#include "propeller_renderer.h"
#include "section_silhouette.h"

#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace::render {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

TEST(SectionSilhouette, ProjectsTheChordAndAddsTheThickness) {
    // Without thickness a section is its chord: c cos(beta) across, c sin(beta) along the
    // axis, the leading edge a quarter chord ahead of and upstream of the pivot.
    const SectionExtents flat = sectionExtents({0.02, 35 * kDeg, 0.0}, 0.25);
    EXPECT_NEAR(flat.top.length(), 0.02 * std::cos(35 * kDeg), 1e-12);
    EXPECT_NEAR(flat.side.length(), 0.02 * std::sin(35 * kDeg), 1e-12);
    EXPECT_NEAR(flat.top.hi, 0.005 * std::cos(35 * kDeg), 1e-12);
    EXPECT_NEAR(flat.side.hi, 0.005 * std::sin(35 * kDeg), 1e-12);

    // Flat in the plane of rotation the side view shows the airfoil's own depth: upper
    // surface 7.946 % above the chord, lower 2.411 % below, at 10 % thickness; scaled to 18 %.
    const SectionExtents thick = sectionExtents({0.02, 0.0, 0.18}, 0.25);
    EXPECT_NEAR(thick.top.length(), 0.02, 1e-9);
    EXPECT_NEAR(thick.side.length(), 0.02 * (7.946 + 2.411) / 100 * 1.8, 1e-8);
}

BladeDefinition tapered() {
    BladeDefinition b;
    b.diameter = 0.2;
    b.hubRadius = 0.012;
    b.hubLength = 0.01;
    b.rows = {{0.1, 0.10, 50, 0}, {0.5, 0.20, 30, 0}, {1.0, 0.08, 15, 0}};
    return b;
}

// c/R and beta of tapered() at r/R = a, straight from its rows.
std::pair<double, double> taperedAt(double a) {
    if (a < 0.5)
        return {0.10 + 0.10 * (a - 0.1) / 0.4, 50 - 20 * (a - 0.1) / 0.4};
    return {0.20 - 0.12 * (a - 0.5) / 0.5, 30 - 15 * (a - 0.5) / 0.5};
}

// Covered length of one image column in pixels: the grey levels are coverage fractions.
double coveredPixels(const QImage& image, int x, const RenderOptions& o) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        sum += (o.paperGrey - qGray(image.pixel(x, y))) / double(o.paperGrey - o.bladeGrey);
    return sum;
}

TEST(PropellerRenderer, ColumnsShowTheInterpolatedSectionOnBothBlades) {
    const BladeDefinition blade = tapered();
    RenderOptions o;
    o.pixelsPerMetre = 4000; // 800 pixel columns
    const RenderedPair pair = renderPropeller(blade, o);
    ASSERT_EQ(pair.top.width(), pair.side.width());
    EXPECT_EQ(pair.top.width(), 800 + 2 * o.margin);

    // Between the rows every value is linear in r/R. A column covers 1/4000 m, within which
    // the section barely changes; its grey edges must add up to the exact length, up to the
    // rounding to whole grey levels.
    for (const int column : {163, 250, 303, 523, 700}) {
        const double rOverR = (column + 0.5 - pair.tipX) / (0.1 * o.pixelsPerMetre) - 1;
        const auto [cOverR, beta] = taperedAt(std::fabs(rOverR));
        const double chordPixels = cOverR * 0.1 * o.pixelsPerMetre;
        SCOPED_TRACE(::testing::Message() << "r/R " << rOverR);
        EXPECT_NEAR(coveredPixels(pair.top, column, o), chordPixels * std::cos(beta * kDeg), 0.02);
        EXPECT_NEAR(coveredPixels(pair.side, column, o), chordPixels * std::sin(beta * kDeg), 0.02);
    }
    // On the axis the hub: a disc across the top view, a cylinder's length in the side view.
    const int centre = int(pair.tipX + 0.1 * o.pixelsPerMetre);
    EXPECT_NEAR(coveredPixels(pair.top, centre, o), 2 * 0.012 * o.pixelsPerMetre, 0.05);
    EXPECT_NEAR(coveredPixels(pair.side, centre, o), 0.01 * o.pixelsPerMetre, 0.05);
}

// The sample pair is drawn at every build: the same seed must draw the same noise.
TEST(PropellerRenderer, NoiseRepeatsWithItsSeed) {
    RenderOptions o;
    o.pixelsPerMetre = 2000;
    o.noise = 3;
    const QImage a = renderPropeller(tapered(), o).side;
    EXPECT_EQ(a, renderPropeller(tapered(), o).side);
    o.seed = 12;
    EXPECT_NE(a, renderPropeller(tapered(), o).side);
}

} // namespace
} // namespace bladetrace::render
