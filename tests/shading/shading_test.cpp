#include "shading/day_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "shading_test_util.h"

namespace heliomark {
namespace {

using test::NoisePicture;
using test::Place;
using test::StateFor;

constexpr Rgb Red{255, 0, 0};

// The blend as a reader of the formula would write it: per displayed pixel, from the two halves
// of the picture, with the quotient truncated in double arithmetic.
Rgb ExpectedBlend(const PixelBuffer& source, int column, int row, int K) {
    const Rgb day = GetPixel(source, column, row);
    const Rgb night = GetPixel(source, column, row + DayViewHeight);
    auto mix = [K](int d, int n) {
        return static_cast<uint8_t>((d + static_cast<int>(std::trunc((n - d) * K / 1000.0))) & 0xFF);
    };
    return {mix(day.R, night.R), mix(day.G, night.G), mix(day.B, night.B)};
}

// Darkness of each column computed afresh from the engine: the column's clock time 24p/344 hours.
std::vector<int> ExpectedDarkness(SolarState s) {
    std::vector<int> out;
    for (int p = 0; p < DayViewWidth; ++p) {
        const Dms t = SplitDMS(24.0 * p / 344);
        ComputeCurrentPosition(s, t.Degrees, t.Minutes, t.Seconds);
        const double a = s.Altitude;
        const double k = a > 0 ? 0.0 : (a < -0.314159265358979 ? 1.0 : -a / 0.314159265358979);
        out.push_back(static_cast<int>(std::nearbyint(1000 * k)));
    }
    return out;
}

bool InPointer(int column, int row, int posX) {
    return row >= DayViewHeight - 3 && column >= posX - 2 && column <= posX + 2;
}

TEST(DayView, DarknessFollowsTheSunBelowTheHorizon) {
    struct Case {
        double AltitudeDeg;
        int Expected;
    } cases[] = {{10, 0}, {0, 0}, {-4.5, 250}, {-9, 500}, {-13.5, 750}, {-17.99, 999}, {-25, 1000}};
    for (const Case& c : cases) {
        EXPECT_EQ(DarknessThousandths(DegToRad(c.AltitudeDeg)), c.Expected) << "altitude " << c.AltitudeDeg;
    }
    EXPECT_EQ(DarknessThousandths(-0.314159265358979), 1000) << "exactly -18°";
    EXPECT_EQ(DarknessThousandths(-0.0), 0) << "minus zero";
}

TEST(DayView, ColumnsBlendWithTruncatedThousandths) {
    // Every day byte 200, every night byte 51: D = -149, so K = 500 gives -74.5, truncated to -74.
    PixelBuffer source = CreatePixelBuffer(DayViewWidth, 2 * DayViewHeight);
    for (int y = 0; y < 2 * DayViewHeight; ++y) {
        for (int x = 0; x < DayViewWidth; ++x)
            SetPixel(source, x, y, y < DayViewHeight ? Rgb{200, 200, 200} : Rgb{51, 51, 51});
    }
    DayView view(source);
    std::array<int32_t, DayViewWidth> darkness{};
    darkness[1] = 500;
    darkness[2] = 1000;
    darkness[3] = 1;
    darkness[4] = 999;
    view.Shade(darkness);
    const uint8_t expected[] = {200, 126, 51, 200, 52};
    for (int column = 0; column < 5; ++column) {
        for (int row : {0, 100, DayViewHeight - 1}) {
            EXPECT_EQ(GetPixel(view.Result(), column, row).G, expected[column])
                << "K " << darkness[column] << " row " << row;
        }
    }
}

TEST(DayView, ShadingMatchesAStraightforwardComputation) {
    const Place places[] = {
        {"Paris at the equinox", 48.85, 2.35, 1, 2026, 3, 20},
        {"Quito", -0.22, -78.5, -5, 2026, 7, 4},
        {"Reykjavik in winter", 64.15, -21.94, 0, 2025, 12, 21},
        {"Tromso at midsummer", 69.65, 18.96, 2, 2026, 6, 21},
        {"Tromso in midwinter", 69.65, 18.96, 1, 2026, 12, 21},
        {"Hobart, zone +10.5", -42.88, 147.33, 10.5, 2027, 1, 15},
    };
    const PixelBuffer source = NoisePicture(DayViewWidth, 2 * DayViewHeight, 7);
    for (const Place& place : places) {
        DayView view(source);
        SolarState s = StateFor(place);
        view.UpdateGrafData(s, 12, 0, 0);
        const std::vector<int> K = ExpectedDarkness(StateFor(place));
        int mismatches = 0;
        for (int row = 0; row < DayViewHeight; ++row) {
            for (int column = 0; column < DayViewWidth; ++column) {
                if (InPointer(column, row, 172)) continue;
                if (!(GetPixel(view.Result(), column, row) ==
                      ExpectedBlend(source, column, row, K[column]))) {
                    ++mismatches;
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << place.Name;
    }
}

TEST(DayView, PolarDayAndNight) {
    const PixelBuffer source = NoisePicture(DayViewWidth, 2 * DayViewHeight, 11);
    // Whether a column (above the pointer rows) shows the day picture unchanged / the night picture.
    auto showsHalf = [&](const DayView& view, int column, int offset) {
        for (int row = 0; row < DayViewHeight - 3; ++row) {
            if (!(GetPixel(view.Result(), column, row) == GetPixel(source, column, row + offset)))
                return false;
        }
        return true;
    };
    const struct {
        Place P;
        bool AllDay, AllNight;
    } cases[] = {
        {{"Tromso at midsummer", 69.65, 18.96, 2, 2026, 6, 21}, true, false},
        // Polar night at 78° N: twilight at noon, but no column shows the day picture.
        {{"Svalbard in midwinter", 78.22, 15.65, 1, 2026, 12, 21}, false, false},
        // Near the pole the Sun stays below -18° all day: the night picture everywhere.
        {{"near the North Pole", 89, 0, 0, 2026, 12, 21}, false, true},
    };
    for (const auto& c : cases) {
        DayView view(source);
        SolarState s = StateFor(c.P);
        view.UpdateGrafData(s, 0, 0, 0);
        for (int column = 0; column < DayViewWidth; ++column) {
            const bool day = showsHalf(view, column, 0);
            EXPECT_EQ(day, c.AllDay) << c.P.Name << ", column " << column;
            EXPECT_TRUE(!c.AllNight || showsHalf(view, column, DayViewHeight))
                << c.P.Name << ", column " << column;
            EXPECT_EQ(view.Curve()[column] < 223.0f, c.AllDay) << c.P.Name << ", curve at column " << column;
        }
    }
}

TEST(DayView, UpdateRestoresAltitudeAndAzimuth) {
    DayView view(NoisePicture(DayViewWidth, 2 * DayViewHeight, 3));
    SolarState s = StateFor({"Paris", 48.85, 2.35, 1, 2026, 5, 1});
    s.Altitude = 0.25;
    s.Azimuth = 3.5;
    view.UpdateGrafData(s, 9, 30, 0);
    EXPECT_EQ(s.Altitude, 0.25);
    EXPECT_EQ(s.Azimuth, 3.5);
    SolarState last = StateFor({"Paris", 48.85, 2.35, 1, 2026, 5, 1});
    const Dms t = ColumnClockTime(343);
    ComputeCurrentPosition(last, t.Degrees, t.Minutes, t.Seconds);
    EXPECT_EQ(s.RightAscension, last.RightAscension) << "left at the last column's value";
}

TEST(DayView, CurveRowsOfAltitudes) {
    EXPECT_EQ(CurveY(0), 223.0f);
    EXPECT_EQ(CurveY(1.5707963267949), 0.0f);
    EXPECT_FLOAT_EQ(CurveY(DegToRad(45)), 111.5f);
    EXPECT_GT(CurveY(DegToRad(-1)), 223.0f);
}

TEST(DayView, PointerColumnOfClockTimes) {
    struct Case {
        int H, M;
        double S;
        int Expected;
    } cases[] = {{0, 0, 0, 0},     {12, 0, 0, 172}, {23, 59, 59, 343}, {6, 0, 0, 86},      {18, 0, 0, 257},
                 {23, 58, 0, 343}, {0, 2, 5, 0},    {0, 2, 6, 1},      {13, 45, 10.5, 197}};
    for (const Case& c : cases) {
        EXPECT_EQ(PointerColumn(c.H, c.M, c.S), c.Expected) << c.H << ":" << c.M << ":" << c.S;
    }
}

// The triangle: 1 red pixel in row 221, 3 in row 222, 5 in row 223, centred on the column, and
// nothing else changed.
void ExpectTriangleAt(const PixelBuffer& shown, const PixelBuffer& before, int posX) {
    for (int row = 0; row < DayViewHeight; ++row) {
        for (int column = 0; column < DayViewWidth; ++column) {
            const int half = row - (DayViewHeight - 3);  // 0, 1, 2 on the pointer rows
            const bool red = half >= 0 && std::abs(column - posX) <= half;
            if (red) {
                EXPECT_EQ(GetPixel(shown, column, row), Red)
                    << "pointer " << posX << " at " << column << "," << row;
            } else {
                EXPECT_EQ(GetPixel(shown, column, row), GetPixel(before, column, row))
                    << "pointer " << posX << " changed " << column << "," << row;
            }
        }
    }
}

TEST(DayView, PointerDrawsMovesAndClipsAtTheEdges) {
    for (int posX : {0, 1, 172, 342, 343}) {
        DayView view(NoisePicture(DayViewWidth, 2 * DayViewHeight, 5));
        view.Shade({});
        const PixelBuffer day = view.Result();
        view.UpdatePointer(posX, false);
        ExpectTriangleAt(view.Result(), day, posX);
        view.UpdatePointer(posX, true);
        view.UpdatePointer(posX, true);
        ExpectTriangleAt(view.Result(), day, posX);  // twice the same column: as after one call
        view.UpdatePointer(100, true);
        ExpectTriangleAt(view.Result(), day, 100);  // the old triangle erased, edge pixels included
        EXPECT_EQ(view.LastPointer(), 100);
    }
}

TEST(DayView, PointerWithoutRefreshLeavesTheOldTriangle) {
    DayView view(NoisePicture(DayViewWidth, 2 * DayViewHeight, 9));
    view.Shade({});
    const PixelBuffer day = view.Result();
    EXPECT_EQ(view.LastPointer(), -100);
    view.UpdatePointer(50, true);  // nothing drawn yet: nothing to erase
    ExpectTriangleAt(view.Result(), day, 50);
    view.UpdatePointer(60, false);
    EXPECT_EQ(GetPixel(view.Result(), 50, 221), Red);
    EXPECT_EQ(GetPixel(view.Result(), 60, 221), Red);
}

TEST(DayView, RejectsAPictureOfTheWrongSize) {
    EXPECT_THROW(DayView(CreatePixelBuffer(344, 224)), std::invalid_argument);
}

}  // namespace
}  // namespace heliomark
