// The shipped refraction table over the whole sky: refraction lifts the Sun near the horizon, fades
// out below it and never lowers it anywhere.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/engine.h"

namespace heliomark {
namespace {

const RefractionTable& Shipped() {
    static const RefractionTable table =
        LoadRefractionTable(std::filesystem::path(HELIOMARK_SOURCE_DIR) / "resources" / "refs.txt");
    return table;
}

double RefractedDegrees(double geometricDegrees) {
    return RadToDeg(RefractionLookup(Shipped(), DegToRad(geometricDegrees)));
}

TEST(ShippedRefraction, RunsFromNadirToZenith) {
    EXPECT_NEAR(Shipped().Key[0], -HalfPi, 1e-12);
    EXPECT_NEAR(Shipped().Key[138], HalfPi, 1e-12);
}

TEST(ShippedRefraction, NeverLowersTheSunAndKeepsItsOrder) {
    double previous = -1e9;
    for (int i = -9000; i <= 9000; ++i) {
        const double h = i / 100.0;
        const double refracted = RefractedDegrees(h);
        EXPECT_GE(refracted, h - 1e-9) << "geometric " << h << "°";
        EXPECT_GT(refracted, previous) << "geometric " << h << "° gives " << refracted << "°";
        previous = refracted;
    }
}

TEST(ShippedRefraction, WellBelowTheHorizonTheSunIsWhereGeometryPutsIt) {
    for (double h : {-90.0, -50.44, -18.0, -12.0, -6.07, -5.0})
        EXPECT_NEAR(RefractedDegrees(h), h, 1e-9) << "geometric " << h << "°";
    // Between there and the horizon refraction grows without a jump.
    for (double h = -5.0; h < -0.5; h += 0.05) {
        const double step = (RefractedDegrees(h + 0.05) - h - 0.05) - (RefractedDegrees(h) - h);
        EXPECT_LT(std::fabs(step) * 60, 2.5)
            << "refraction jumps between " << h << "° and " << h + 0.05 << "°";
    }
}

// Bennett's refraction for an apparent altitude, R = cot(a + 7.31 / (a + 4.4)) arc minutes
// (G. G. Bennett, Journal of Navigation 35, 255, 1982; the Astronomical Almanac's low-precision
// formula), at the rows of its published table.
TEST(ShippedRefraction, AgreesWithBennettFromTheHorizonUp) {
    struct Row {
        double Apparent;  // degrees
        double Minutes;   // refraction, arc minutes
    } rows[] = {{0, 34.5}, {1, 24.3}, {2, 18.2}, {5, 9.9}, {10, 5.4}, {20, 2.7}, {45, 1.0}, {90, 0.0}};
    for (const Row& r : rows) {
        const double geometric = r.Apparent - r.Minutes / 60;
        EXPECT_NEAR(RefractedDegrees(geometric), r.Apparent, 0.4 / 60)
            << "apparent " << r.Apparent << "° with " << r.Minutes << "' of refraction";
    }
}

}  // namespace
}  // namespace heliomark
