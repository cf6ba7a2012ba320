// Zero has no sign in an angle text; a negative value too small to show keeps its "-".
#include <gtest/gtest.h>

#include <cmath>

#include "engine/engine.h"

namespace heliomark {
namespace {

TEST(FormatAngle, ZeroReadsWithoutASign) {
    struct Row {
        double Degrees;
        bool UseDMS;
        const char* Text;
    } rows[] = {
        {0.0, false, "0.000°"},      {-0.0, false, "0.000°"},   {-0.0, true, "0° 0' 0''"},
        {-0.0001, false, "-0.000°"}, {0.0001, false, "0.000°"}, {-0.0005, false, "-0.001°"},
        {-1e-7, true, "-0° 0' 0''"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(FormatAngle(r.Degrees, r.UseDMS), r.Text)
            << r.Degrees << (std::signbit(r.Degrees) ? " (negative)" : "") << (r.UseDMS ? " as DMS" : "");
}

}  // namespace
}  // namespace heliomark
