#include "shading/world_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "shading/day_view.h"
#include "shading/power_table.h"
#include "shading_test_util.h"

namespace heliomark {
namespace {

using test::NoisePicture;
using test::Place;
using test::StateFor;

// The shading of one displayed pixel as the formula reads, computed afresh for every pixel from
// the angles (no tables, no fixed point, the library's pow and nearbyint).
Rgb ExpectedShade(const PixelBuffer& source, const MapSun& sun, int column, int row) {
    const int r = MapHeight - 1 - row;
    const double phi = r * 3.14159265358979 / 222 - 1.5707963267949;
    const double lambda = 2 * column * 3.14159265358979 / 450 - 3.14159265358979;
    const double k = std::cos(lambda + sun.Sidereal - sun.RightAscension) * sun.CosDec;
    const double s = std::sin(phi) * sun.SinDec + std::cos(phi) * k + 0.0144857261386065;
    const Rgb day = GetPixel(source, column, row);
    const Rgb night = GetPixel(source, column, row + MapHeight);
    if (s < -0.29447891387245) return night;
    const double f = s > 0 ? 0.8 + 0.2 * std::pow(s, 0.3) : s * 0.7 / 0.29447891387245 + 0.7;
    auto mix = [f](int d, int n) { return static_cast<uint8_t>(std::nearbyint(n + (d - n) * f)); };
    return {mix(day.R, night.R), mix(day.G, night.G), mix(day.B, night.B)};
}

int CountMismatches(const WorldMap& map, const PixelBuffer& source, const MapSun& sun) {
    int mismatches = 0;
    for (int row = 0; row < MapHeight; ++row) {
        for (int column = 0; column < MapWidth; ++column) {
            if (!(GetPixel(map.Result(), column, row) == ExpectedShade(source, sun, column, row)))
                ++mismatches;
        }
    }
    return mismatches;
}

TEST(WorldMap, ProjectionRoundTrips) {
    EXPECT_DOUBLE_EQ(PixelToLon(0), -Pi);
    EXPECT_DOUBLE_EQ(PixelToLon(225), 0);
    EXPECT_DOUBLE_EQ(PixelToLat(0), -HalfPi);
    EXPECT_NEAR(PixelToLat(111), 0, 1e-13);
    for (int column = 0; column < MapWidth; ++column) {
        EXPECT_EQ(LonToPixel(PixelToLon(column)), column) << "column " << column;
    }
    // A memory row r lies on display row 222 - r: LatToPixel counts from the top edge, one row below
    // where the memory row is shown.
    for (int r = 0; r < MapHeight; ++r)
        EXPECT_EQ(LatToPixel(PixelToLat(r)), 222 - r) << "row " << r;
}

TEST(WorldMap, ShadingMatchesAStraightforwardComputation) {
    struct Case {
        Place P;
        int H, M;
        double S;
    } cases[] = {
        {{"equinox, noon UT", 0, 0, 0, 2026, 3, 20}, 12, 0, 0},
        {{"June solstice, Tokyo time", 0, 0, 9, 2026, 6, 21}, 6, 30, 0},
        {{"December, India time", 0, 0, 5.5, 2025, 12, 22}, 23, 59, 59.5},
        {{"autumn evening, New York", 0, 0, -4, 2027, 10, 3}, 19, 12, 44.125},
        {{"leap day", 0, 0, 1, 2028, 2, 29}, 0, 0, 0},
    };
    const PixelBuffer source = NoisePicture(MapWidth, 2 * MapHeight, 21);
    WorldMap map(source);
    for (const Case& c : cases) {
        const MapSun sun = SunForMap(StateFor(c.P), c.H, c.M, c.S);
        map.Shade(sun);
        EXPECT_EQ(CountMismatches(map, source, sun), 0) << c.P.Name;
    }
}

// A Sun that puts one memory row exactly on the shifted horizon (s == 0 in every column): the
// declination's sine is chosen so that sin(lat) * sinDec == -sin 0.83° to the last bit, and the
// cosine of the declination is zero so the hour angle drops out.
MapSun SunOnTheHorizonOfSomeRow(int& memoryRow) {
    for (int r = 0; r < 100; ++r) {
        const double sinLat = std::sin(PixelToLat(r));
        double sinDec = -0.0144857261386065 / sinLat;
        for (int step = 0; step < 8; ++step) {
            if (sinLat * sinDec + 0.0144857261386065 == 0) {
                memoryRow = r;
                return {0, sinDec, 0, 0, 0};
            }
            sinDec = std::nextafter(sinDec, step % 2 ? 1.0 : -1.0);
        }
    }
    memoryRow = -1;
    return {};
}

TEST(WorldMap, TheShiftedHorizonTakesTheTwilightFormula) {
    int r = -1;
    const MapSun sun = SunOnTheHorizonOfSomeRow(r);
    ASSERT_GE(r, 0) << "no row hits s == 0 exactly";
    // Night 0 and day bytes 0..255 across the columns: at s == 0, f = 0.7 (the day formula would give
    // at least 0.8), and many bytes land on or next to a half, where the rounding is decided exactly.
    PixelBuffer source = CreatePixelBuffer(MapWidth, 2 * MapHeight);
    for (int column = 0; column < MapWidth; ++column) {
        const auto v = static_cast<uint8_t>(column % 256);
        SetPixel(source, column, MapHeight - 1 - r, {v, static_cast<uint8_t>(255 - v), 10});
    }
    WorldMap map(source);
    map.Shade(sun);
    const int row = MapHeight - 1 - r;
    for (int column = 0; column < MapWidth; ++column) {
        const Rgb day = GetPixel(source, column, row);
        const Rgb expected{static_cast<uint8_t>(std::nearbyint(day.R * 0.7)),
                           static_cast<uint8_t>(std::nearbyint(day.G * 0.7)), 7};
        EXPECT_EQ(GetPixel(map.Result(), column, row), expected) << "column " << column;
    }
    EXPECT_EQ(GetPixel(map.Result(), 10, row).R, 7) << "10 * 0.7 = 7";
    EXPECT_EQ(GetPixel(map.Result(), 5, row).R, 4) << "5 * 0.7 = 3.5 rounds to the even 4";
    EXPECT_EQ(CountMismatches(map, source, sun), 0);
}

TEST(WorldMap, EquinoxNoonLightsHalfTheEquator) {
    // Day bytes 200, night bytes 0: day pixels read at least 160 (f >= 0.8), night pixels 0.
    PixelBuffer source = CreatePixelBuffer(MapWidth, 2 * MapHeight);
    for (int column = 0; column < MapWidth; ++column) {
        for (int row = 0; row < MapHeight; ++row)
            SetPixel(source, column, row, {200, 200, 200});
    }
    WorldMap map(source);
    SolarState s = StateFor({"equinox", 0, 0, 0, 2026, 3, 20});
    map.UpdateMapData(s, 12, 0, 0);
    EXPECT_EQ(map.SubSolar().Row, 111);
    EXPECT_NEAR(map.SubSolar().Column, 225, 4);
    int lit = 0, dark = 0;
    for (int column = 0; column < MapWidth; ++column) {
        const uint8_t v = GetPixel(map.Result(), column, 110).R;  // memory row 111, the equator
        lit += v >= 160;
        dark += v == 0;
    }
    // 180° of longitude is 225 columns; the 0.83° shift adds about 2, the twilight bands 2 x 22.
    EXPECT_GE(lit, 225);
    EXPECT_LE(lit, 229);
    EXPECT_GE(dark, 450 - 229 - 2 * 23);
    EXPECT_LE(dark, 450 - 225 - 2 * 21);
}

TEST(WorldMap, UpdateDrawsTheSunDiscAndThePlaceMarker) {
    const PixelBuffer source = NoisePicture(MapWidth, 2 * MapHeight, 4);
    WorldMap map(source);
    SolarState s = StateFor({"Cape Town", -33.92, 18.42, 2, 2026, 1, 10});
    map.UpdateMapData(s, 14, 0, 0);
    const MapPoint sun = map.SubSolar();
    EXPECT_EQ(GetPixel(map.Result(), sun.Column, sun.Row), (Rgb{255, 224, 64})) << "disc centre";
    const MapPoint marker = map.Marker();
    EXPECT_EQ(marker.Column, LonToPixel(DegToRad(18.42)));
    EXPECT_EQ(marker.Row, LatToPixel(DegToRad(-33.92)));
    // The diamond's shape is checked pixel by pixel below; here only that it is drawn at the place.
    EXPECT_EQ(GetPixel(map.Result(), marker.Column, marker.Row - 2), (Rgb{255, 0, 0}));
}

// The marker: a red diamond outline centred on (x, y); the centre and the corners keep the map.
void ExpectMarkerAt(const PixelBuffer& shown, const PixelBuffer& before, int x, int y) {
    static const char* const shape[5] = {"..R..", ".RRR.", "RR.RR", ".RRR.", "..R.."};
    for (int row = 0; row < MapHeight; ++row) {
        for (int column = 0; column < MapWidth; ++column) {
            const int i = column - x + 2, j = row - y + 2;
            const bool red = i >= 0 && i < 5 && j >= 0 && j < 5 && shape[j][i] == 'R';
            const Rgb expected = red ? Rgb{255, 0, 0} : GetPixel(before, column, row);
            if (!(GetPixel(shown, column, row) == expected)) {
                ADD_FAILURE() << "marker at " << x << "," << y << ": pixel " << column << "," << row;
                return;
            }
        }
    }
}

TEST(WorldMap, MarkerMovesIsIdempotentAndClipsAtTheEdges) {
    struct Case {
        double LatDeg, LonDeg;
    } cases[] = {{0, 0}, {90, -180}, {-90, 179.9}, {45, -179}, {-89, 0}};
    for (const Case& c : cases) {
        WorldMap map(NoisePicture(MapWidth, 2 * MapHeight, 8));
        map.Shade(MapSun{});
        const PixelBuffer before = map.Result();
        const double lat = DegToRad(c.LatDeg), lon = DegToRad(c.LonDeg);
        const int x = LonToPixel(lon), y = LatToPixel(lat);
        map.UpdatePointer(lat, lon, false);
        ExpectMarkerAt(map.Result(), before, x, y);
        map.UpdatePointer(lat, lon, true);
        map.UpdatePointer(lat, lon, true);
        ExpectMarkerAt(map.Result(), before, x, y);
        map.UpdatePointer(DegToRad(10), DegToRad(20), true);
        ExpectMarkerAt(map.Result(), before, LonToPixel(DegToRad(20)), LatToPixel(DegToRad(10)));
    }
}

TEST(WorldMap, RejectsAPictureOfTheWrongSize) {
    EXPECT_THROW(WorldMap(CreatePixelBuffer(450, 222)), std::invalid_argument);
}

TEST(PowerTable, AgreesWithPowFarBelowTheRoundingTolerance) {
    const PowerTable table;
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> exponent(-40, 0.02);
    double worst = 0;
    for (int i = 0; i < 200000; ++i) {
        const double s = std::exp2(exponent(random));
        const double exact = std::pow(s, 0.3);
        worst = std::max(worst, std::fabs(table.Power03(s) - exact) / exact);
    }
    EXPECT_LT(worst, 1e-13);
    for (double s : {1.0, 0.5, 1.0144857261386065, 1e-300, 4.9e-324, 2.2e-308}) {
        EXPECT_NEAR(table.Power03(s), std::pow(s, 0.3), 1e-13 * std::pow(s, 0.3)) << s;
    }
}

// Pixels (column, display row) in which the picture shown and the shading kept apart from its
// markers differ, outside the box (left, top, width, height) and inside it.
std::pair<int, int> MarkerDifferences(const PixelBuffer& a, const PixelBuffer& b,
                                      const std::array<int32_t, 4>& box) {
    int outside = 0, inside = 0;
    for (int32_t row = 0; row < a.Height; ++row) {
        const uint8_t *pa = a.Row(a.Height - 1 - row), *pb = b.Row(b.Height - 1 - row);
        for (int32_t x = 0; x < a.Width; ++x) {
            if (std::equal(pa + 3 * x, pa + 3 * x + 3, pb + 3 * x)) continue;
            const bool in = x >= box[0] && x < box[0] + box[2] && row >= box[1] && row < box[1] + box[3];
            ++(in ? inside : outside);
        }
    }
    return {outside, inside};
}

// A screen that draws the markers itself takes the shading without them: the same pixels as the
// picture shown but where the sub-solar disc, the place marker or the day view's pointer lie.
TEST(ShadingWithoutMarkers, DiffersFromThePictureShownOnlyUnderTheMarkers) {
    WorldMap map(NoisePicture(MapWidth, 2 * MapHeight, 7));
    map.UpdateMapData(StateFor({"Sydney", -33.87, 151.21, 10, 2024, 12, 21}), 9, 30, 0);
    WorldMap bare(NoisePicture(MapWidth, 2 * MapHeight, 7));
    bare.Shade(map.Sun());
    EXPECT_EQ(bare.Result().Bits, map.Shading().Bits) << "the shading is a bare Shade of the same Sun";
    const MapPoint sun = map.SubSolar(), marker = map.Marker();
    const auto [mapOut, sunIn] =
        MarkerDifferences(map.Result(), bare.Result(), {sun.Column - 4, sun.Row - 4, 8, 8});
    const int markerIn =
        MarkerDifferences(map.Result(), bare.Result(), {marker.Column - 2, marker.Row - 2, 5, 5}).second;
    EXPECT_EQ(mapOut, markerIn) << "the map differs outside the sub-solar disc and the place marker";
    EXPECT_GT(sunIn, 10);
    EXPECT_GT(markerIn, 5);

    DayView view(NoisePicture(DayViewWidth, 2 * DayViewHeight, 11));
    SolarState state = StateFor({"Berlin", 52.52, 13.405, 2, 2024, 6, 21});
    view.UpdateGrafData(state, 15, 0, 0);
    const auto [out, in] =
        MarkerDifferences(view.Result(), view.Shading(), {view.LastPointer() - 2, PointerTop, 5, 3});
    EXPECT_EQ(out, 0) << "the day view differs outside its pointer";
    EXPECT_GT(in, 0);
}

}  // namespace
}  // namespace heliomark
