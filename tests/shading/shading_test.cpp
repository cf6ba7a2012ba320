// The pixel buffers and the day-view and world-map shading, checked pixel by pixel against the
// formulas computed afresh for each pixel.

#include <algorithm>
#include <array>
#include <cmath>

#include "shading/day_view.h"
#include "shading/power_table.h"
#include "shading/world_map.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

constexpr Rgb Red{255, 0, 0};

// Deterministic bytes over the whole 0..255 range (a linear congruential generator).
PixelBuffer NoisePicture(int32_t width, int32_t height, uint32_t seed) {
    PixelBuffer b = CreatePixelBuffer(width, height);
    for (uint8_t& byte : b.Bits)
        byte = static_cast<uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
    return b;
}

// Every pixel of `shown` is what `expected(column, row)` gives; the first few that differ are reported.
template <class Expected>
void ExpectPixels(const PixelBuffer& shown, Expected expected, const std::string& what) {
    int count = 0;
    for (int row = 0; row < shown.Height; ++row)
        for (int column = 0; column < shown.Width; ++column)
            if (!(GetPixel(shown, column, row) == expected(column, row)) && ++count <= 3)
                ADD_FAILURE() << what << ": pixel " << column << "," << row;
}

// The day view's pointer at column x: 1 red pixel in row 221, 3 in row 222, 5 in row 223.
bool UnderPointer(int column, int row, int x) {
    return row >= PointerTop && std::abs(column - x) <= row - PointerTop;
}

TEST(PixelBuffer, RowsBottomUpInBlueGreenRedPaddedToFourBytes) {
    for (const auto& [width, stride] : {std::pair{1, 4}, {3, 12}, {4, 12}, {5, 16}})
        EXPECT_TRUE(RowStride(width) == stride && CreatePixelBuffer(width, 2).Bits.size() == 2u * stride)
            << "width " << width;
    EXPECT_THROW(CreatePixelBuffer(0, 5), std::invalid_argument);
    EXPECT_THROW(CreatePixelBuffer(5, -1), std::invalid_argument);
    // A solid buffer is its colour in every pixel; a block copy covers exactly its w x h block.
    PixelBuffer page = SolidPixelBuffer(4, 3, {1, 1, 1});
    BlockTransfer(page, 1, 1, 2, 1, SolidPixelBuffer(4, 3, {9, 9, 9}), 0, 0, BlockOp::Copy);
    std::string shown;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            shown += std::to_string(GetPixel(page, column, row).G) + (column == 3 ? "|" : "");
    EXPECT_EQ(shown, "1111|1991|1111|");
    PixelBuffer b = CreatePixelBuffer(2, 3);
    SetPixel(b, 1, 0, {10, 20, 30});  // the top row on screen is the last memory row, blue first
    EXPECT_EQ(std::vector<int>(b.Row(2) + 3, b.Row(2) + 6), (std::vector<int>{30, 20, 10}));

    // A top-down RGB image (rows padded to 24 bytes) read in and copied out is unchanged.
    std::vector<uint8_t> rgb(24 * 5), back(24 * 5, 0);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<uint8_t>(i * 37);
    const PixelBuffer image = PixelBufferFromTopDownRgb(7, 5, rgb.data(), 24);
    EXPECT_EQ(GetPixel(image, 2, 1), (Rgb{rgb[30], rgb[31], rgb[32]}));
    CopyToTopDownRgb(image, back.data(), 24);
    for (int i = 0; i < 24 * 5; ++i)
        EXPECT_EQ(back[i], i % 24 < 21 ? rgb[i] : 0) << "byte " << i;
    EXPECT_THROW(PixelBufferFromTopDownRgb(7, 5, rgb.data(), 20), std::invalid_argument);
}

TEST(DayView, DarknessAndPositionsOnThePicture) {
    testing::ExpectRows<int>(
        {ROW(DarknessThousandths(DegToRad(10)), 0), ROW(DarknessThousandths(-0.0), 0),
         ROW(DarknessThousandths(DegToRad(-9)), 500), ROW(DarknessThousandths(DegToRad(-17.99)), 999),
         ROW(DarknessThousandths(-0.314159265358979), 1000), ROW(DarknessThousandths(DegToRad(-25)), 1000),
         ROW(PointerColumn(12, 0, 0), 172), ROW(PointerColumn(23, 59, 59), 343),
         ROW(PointerColumn(0, 2, 5), 0), ROW(PointerColumn(0, 2, 6), 1),
         ROW(PointerColumn(13, 45, 10.5), 197)});
    testing::ExpectNear(
        {ROW(CurveY(0), 223), ROW(CurveY(1.5707963267949), 0), ROW(CurveY(DegToRad(45)), 111.5)}, 1e-5);
    EXPECT_GT(CurveY(DegToRad(-1)), 223.0f);
    EXPECT_THROW(DayView(CreatePixelBuffer(344, 224)), std::invalid_argument)
        << "a picture of the wrong size";
}

TEST(DayView, ShadingMatchesAStraightforwardComputation) {
    const PixelBuffer source = NoisePicture(DayViewWidth, 2 * DayViewHeight, 7);
    for (const auto& [name, lat, lon, zone, y, m, d] :
         {std::tuple{"Paris at midsummer, twilight at midnight", 48.85, 2.35, 2.0, 2026, 6, 21},
          {"Tromso at midsummer", 69.65, 18.96, 2.0, 2026, 6, 21},
          {"Hobart, zone +10.5", -42.88, 147.33, 10.5, 2027, 1, 15},
          {"near the pole, below -18° all day", 89.0, 0.0, 0.0, 2026, 12, 21}}) {
        DayView view(source);
        SolarState s = SolarStateFor(lat, lon, y, m, d, zone);
        s.Altitude = 0.25, s.Azimuth = 3.5;
        view.UpdateGrafData(s, 12, 0, 0);
        EXPECT_TRUE(s.Altitude == 0.25 && s.Azimuth == 3.5) << name << ": the current Sun is given back";
        // Darkness of each column afresh from the engine: the column's clock time is 24 p / 344 hours.
        std::vector<int> K;
        double lastRightAscension = 0;
        for (int column = 0; column < DayViewWidth; ++column) {
            SolarState at = SolarStateFor(lat, lon, y, m, d, zone);
            const Dms t = SplitDMS(24.0 * column / 344);
            ComputeCurrentPosition(at, t.Degrees, t.Minutes, t.Seconds);
            const double a = at.Altitude;
            K.push_back(
                static_cast<int>(std::nearbyint(1000 * std::clamp(-a / 0.314159265358979, 0.0, 1.0))));
            EXPECT_EQ((view.Curve()[column] < 223.0f), (a > 0)) << name << ", curve at column " << column;
            lastRightAscension = at.RightAscension;
        }
        EXPECT_EQ(s.RightAscension, lastRightAscension) << name << ": left at the last column's value";
        // The blend from the two halves of the picture, the quotient truncated in double arithmetic.
        ExpectPixels(
            view.Result(),
            [&](int column, int row) {
                const Rgb day = GetPixel(source, column, row),
                          night = GetPixel(source, column, row + DayViewHeight);
                auto mix = [k = K[column]](int d, int n) {
                    return static_cast<uint8_t>(d + static_cast<int>(std::trunc((n - d) * k / 1000.0)));
                };
                return UnderPointer(column, row, 172)
                           ? Red
                           : Rgb{mix(day.R, night.R), mix(day.G, night.G), mix(day.B, night.B)};
            },
            name);
    }
}

// The shading of one displayed pixel as the formula reads, computed afresh for every pixel from the
// angles (no tables, no fixed point, the library's pow and nearbyint).
Rgb ExpectedShade(const PixelBuffer& source, const MapSun& sun, int column, int row) {
    const double phi = (MapHeight - 1 - row) * 3.14159265358979 / 222 - 1.5707963267949;
    const double lambda = 2 * column * 3.14159265358979 / 450 - 3.14159265358979;
    const double k = std::cos(lambda + sun.Sidereal - sun.RightAscension) * sun.CosDec;
    const double s = std::sin(phi) * sun.SinDec + std::cos(phi) * k + 0.0144857261386065;
    const Rgb day = GetPixel(source, column, row), night = GetPixel(source, column, row + MapHeight);
    if (s < -0.29447891387245) return night;
    const double f = s > 0 ? 0.8 + 0.2 * std::pow(s, 0.3) : s * 0.7 / 0.29447891387245 + 0.7;
    auto mix = [f](int d, int n) { return static_cast<uint8_t>(std::nearbyint(n + (d - n) * f)); };
    return {mix(day.R, night.R), mix(day.G, night.G), mix(day.B, night.B)};
}

// The map's fast s^0.3 against std::pow at every binary exponent of a normal number, and subnormal.
TEST(WorldMap, PowerTableAgreesWithPowAtEveryExponent) {
    const PowerTable table;
    for (int e = -1022; e <= 0; ++e)
        for (const double s : {std::ldexp(1.0, e), std::ldexp(1.7, e), 4.9e-324})
            ASSERT_NEAR(table.Power03(s), std::pow(s, 0.3), 1e-13 * std::pow(s, 0.3)) << s;
}

TEST(WorldMap, ProjectionRoundTrips) {
    testing::ExpectNear({ROW(PixelToLon(0), -3.14159265358979), ROW(PixelToLon(225), 0),
                         ROW(PixelToLat(0), -1.5707963267949), ROW(PixelToLat(111), 0)},
                        1e-13);
    // A memory row r lies on display row 222 - r: LatToPixel counts from the top edge, one row below
    // where the memory row is shown.
    for (int i = 0; i < MapWidth; ++i)
        EXPECT_TRUE(LonToPixel(PixelToLon(i)) == i &&
                    (i >= MapHeight || LatToPixel(PixelToLat(i)) == 222 - i))
            << i;
    EXPECT_THROW(WorldMap(CreatePixelBuffer(450, 222)), std::invalid_argument)
        << "a picture of the wrong size";
}

TEST(WorldMap, ShadingMatchesAStraightforwardComputation) {
    const PixelBuffer source = NoisePicture(MapWidth, 2 * MapHeight, 21);
    WorldMap map(source);
    for (const auto& [name, zone, y, m, d, hour, minute, second] :
         {std::tuple{"June solstice, Tokyo time", 9.0, 2026, 6, 21, 6, 30, 0.0},
          {"December, India time", 5.5, 2025, 12, 22, 23, 59, 59.5},
          {"leap day", 1.0, 2028, 2, 29, 0, 0, 0.0}}) {
        const MapSun sun = SunForMap(SolarStateFor(0, 0, y, m, d, zone), hour, minute, second);
        map.Shade(sun);
        ExpectPixels(
            map.Result(), [&](int column, int row) { return ExpectedShade(source, sun, column, row); }, name);
    }
    // A Sun that puts one memory row exactly on the shifted horizon (s == 0 in every column): the
    // declination's sine makes sin(lat) sinDec == -sin 0.83° to the last bit and its cosine is zero.
    // There the twilight formula gives f = 0.7 (the day formula at least 0.8), on bytes 0..255 many of
    // which land on a half, where the rounding is decided exactly.
    for (int r = 0; r < 100; ++r) {
        const double sinLat = std::sin(PixelToLat(r));
        double sinDec = -0.0144857261386065 / sinLat;
        for (int step = 0; step < 8 && sinLat * sinDec + 0.0144857261386065 != 0; ++step)
            sinDec = std::nextafter(sinDec, step % 2 ? 1.0 : -1.0);
        if (sinLat * sinDec + 0.0144857261386065 != 0) continue;
        PixelBuffer ramp = CreatePixelBuffer(MapWidth, 2 * MapHeight);  // the night half black
        const int row = MapHeight - 1 - r;
        for (int column = 0; column < MapWidth; ++column)
            SetPixel(ramp, column, row,
                     {static_cast<uint8_t>(column % 256), static_cast<uint8_t>(255 - column % 256), 10});
        WorldMap edge(ramp);
        const MapSun sun{0, sinDec, 0, 0, 0};
        edge.Shade(sun);
        ExpectPixels(
            edge.Result(), [&](int c, int y) { return ExpectedShade(ramp, sun, c, y); }, "on the horizon");
        EXPECT_EQ(GetPixel(edge.Result(), 5, row), (Rgb{4, 175, 7})) << "5 * 0.7 = 3.5 rounds to the even 4";
        return;
    }
    FAIL() << "no row hits s == 0 exactly";
}

// A screen that draws the markers itself takes the shading without them: the same pixels as the
// picture shown but where the sub-solar disc, the place marker or the day view's pointer lie.
TEST(ShadingWithoutMarkers, DiffersFromThePictureShownOnlyUnderTheMarkers) {
    WorldMap map(NoisePicture(MapWidth, 2 * MapHeight, 7)), bare(NoisePicture(MapWidth, 2 * MapHeight, 7));
    map.UpdateMapData(SolarStateFor(-33.92, 18.42, 2026, 3, 20, 0), 12, 0, 0);  // Cape Town, equinox noon UT
    bare.Shade(map.Sun());
    EXPECT_EQ(bare.Result().Bits, map.Shading().Bits) << "the shading is a bare Shade of the same Sun";
    const MapPoint sun = map.SubSolar(), marker = map.Marker();
    EXPECT_TRUE(sun.Row == 111 && std::abs(sun.Column - 225) <= 4 &&
                GetPixel(map.Result(), sun.Column, sun.Row) == (Rgb{255, 224, 64}) &&
                GetPixel(map.Result(), sun.Column - 4, sun.Row - 4) ==
                    GetPixel(map.Shading(), sun.Column - 4, sun.Row - 4))
        << "the Sun's disc at " << sun.Column << ", " << sun.Row;
    EXPECT_TRUE(marker.Column == LonToPixel(DegToRad(18.42)) && marker.Row == LatToPixel(DegToRad(-33.92)) &&
                GetPixel(map.Result(), marker.Column, marker.Row - 2) == Red)
        << "the marker drawn at the place";
    ExpectPixels(
        map.Result(),
        [&](int c, int r) {
            const bool under =
                (c - sun.Column >= -4 && c - sun.Column < 4 && r - sun.Row >= -4 && r - sun.Row < 4) ||
                (std::abs(c - marker.Column) <= 2 && std::abs(r - marker.Row) <= 2);
            return GetPixel(under ? map.Result() : map.Shading(), c, r);
        },
        "the map outside the disc and the marker");
    DayView view(NoisePicture(DayViewWidth, 2 * DayViewHeight, 11));
    SolarState state = SolarStateFor(52.52, 13.405, 2024, 6, 21, 2);
    view.UpdateGrafData(state, 15, 0, 0);
    ExpectPixels(
        view.Result(),
        [&](int c, int r) {
            return UnderPointer(c, r, view.LastPointer()) ? Red : GetPixel(view.Shading(), c, r);
        },
        "the day view outside its pointer");
}

// Each mark drawn, drawn again at the same place, then moved: the picture it was drawn on but for red
// under the mark (clipped at the edges, the old mark erased). The world map's is a diamond outline.
TEST(ShadingWithoutMarkers, MarksDrawMoveAndClipAtTheEdges) {
    for (int x : {0, 1, 172, 342, 343}) {
        DayView view(NoisePicture(DayViewWidth, 2 * DayViewHeight, 5));
        view.Shade({});
        EXPECT_EQ(view.LastPointer(), -100) << "nothing drawn yet: nothing to erase";
        const PixelBuffer before = view.Result();
        for (const int at : {x, x, 100}) {
            view.UpdatePointer(at, true);
            ExpectPixels(
                view.Result(),
                [&](int c, int r) { return UnderPointer(c, r, at) ? Red : GetPixel(before, c, r); },
                "pointer at " + std::to_string(x) + " then " + std::to_string(at));
        }
        view.UpdatePointer(60, false);  // without a refresh the old triangle stays
        EXPECT_TRUE(GetPixel(view.Result(), 100, 221) == Red && GetPixel(view.Result(), 60, 221) == Red);
    }
    for (const auto& [lat, lon] : {std::pair{0.0, 0.0}, {90.0, -180.0}, {-90.0, 179.9}}) {
        WorldMap map(NoisePicture(MapWidth, 2 * MapHeight, 8));
        map.Shade(MapSun{});
        const PixelBuffer before = map.Result();
        for (const auto& [la, lo, refresh] :
             {std::tuple{lat, lon, false}, {lat, lon, true}, {10.0, 20.0, true}}) {
            map.UpdatePointer(DegToRad(la), DegToRad(lo), refresh);
            ExpectPixels(
                map.Result(),
                [&](int c, int r) {
                    const int d =
                        std::abs(c - LonToPixel(DegToRad(lo))) + std::abs(r - LatToPixel(DegToRad(la)));
                    return d == 1 || d == 2 ? Red : GetPixel(before, c, r);
                },
                "marker at " + std::to_string(lat) + ", " + std::to_string(lon) + " then " +
                    std::to_string(la));
        }
    }
}

}  // namespace
}  // namespace heliomark
