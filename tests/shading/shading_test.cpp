// The pixel buffers and the day-view and world-map shading, checked pixel by pixel against the
// formulas computed afresh for each pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

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
    for (uint8_t& byte : b.Bits) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(seed >> 24);
    }
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

TEST(PixelBuffer, RowsBottomUpInBlueGreenRedPaddedToFourBytes) {
    const struct {
        int Width, Stride;
    } cases[] = {{1, 4}, {2, 8}, {3, 12}, {5, 16}, {344, 1032}, {450, 1352}};
    for (const auto& c : cases) {
        EXPECT_EQ(RowStride(c.Width), c.Stride) << "width " << c.Width;
        EXPECT_EQ(CreatePixelBuffer(c.Width, 2).Bits.size(), static_cast<std::size_t>(2 * c.Stride))
            << "width " << c.Width;
    }
    EXPECT_THROW(CreatePixelBuffer(0, 5), std::invalid_argument);
    EXPECT_THROW(CreatePixelBuffer(5, -1), std::invalid_argument);
    PixelBuffer b = CreatePixelBuffer(2, 3);
    SetPixel(b, 1, 0, {10, 20, 30});  // the top row on screen is the last memory row, blue first
    EXPECT_EQ(std::vector<int>(b.Row(2) + 3, b.Row(2) + 6), (std::vector<int>{30, 20, 10}));

    // Property: a top-down RGB image read in and copied out is unchanged.
    const int w = 7, h = 5;
    const std::size_t line = 24;  // padded like an image row
    std::vector<uint8_t> rgb(line * h), back(line * h, 0);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<uint8_t>(i * 37);
    const PixelBuffer image = PixelBufferFromTopDownRgb(w, h, rgb.data(), line);
    EXPECT_EQ(GetPixel(image, 2, 1), (Rgb{rgb[line + 6], rgb[line + 7], rgb[line + 8]}));
    CopyToTopDownRgb(image, back.data(), line);
    for (int y = 0; y < h; ++y)
        EXPECT_TRUE(
            std::equal(rgb.begin() + y * line, rgb.begin() + y * line + 3 * w, back.begin() + y * line))
            << "row " << y;
    EXPECT_THROW(PixelBufferFromTopDownRgb(w, h, rgb.data(), 20), std::invalid_argument);
}

TEST(PixelBuffer, BlockTransfersClipToBothBuffers) {
    const PixelBuffer src = NoisePicture(4, 4, 1);
    PixelBuffer dst = CreatePixelBuffer(6, 3);
    // From (-1, 2) in the source to (4, -1) in the destination, 3 x 3: of the block only the source
    // pixel (0, 3) lies inside both buffers, and lands on (5, 0).
    BlockTransfer(dst, 4, -1, 3, 3, src, -1, 2, BlockOp::Copy);
    BlockTransfer(dst, 0, 2, 1, 1, src, 2, 1, BlockOp::Copy);  // the pixel beside it stays
    BlockTransfer(dst, 2, 2, 2, 1, src, 3, 1, BlockOp::Copy);  // the second column lies beyond the source
    ExpectPixels(
        dst,
        [&](int x, int y) {
            return x == 5 && y == 0   ? GetPixel(src, 0, 3)
                   : x == 0 && y == 2 ? GetPixel(src, 2, 1)
                   : x == 2 && y == 2 ? GetPixel(src, 3, 1)
                                      : Rgb{0, 0, 0};
        },
        "copy");
    PixelBuffer masked = SolidPixelBuffer(2, 1, {0xF0, 0x0F, 0xFF});
    const PixelBuffer mask = SolidPixelBuffer(2, 1, {0x3C, 0x3C, 0x00});
    BlockTransfer(masked, 0, 0, 2, 1, mask, 0, 0, BlockOp::And);
    EXPECT_EQ(GetPixel(masked, 1, 0), (Rgb{0x30, 0x0C, 0x00}));
    BlockTransfer(masked, 0, 0, 2, 1, mask, 0, 0, BlockOp::Or);
    EXPECT_EQ(GetPixel(masked, 0, 0), (Rgb{0x3C, 0x3C, 0x00}));
}

// The shipped pictures are 24-bit uncompressed bottom-up BMP files of the sizes the shading is built
// for (a regenerated file of another size would only show grey).
TEST(PixelBuffer, ShippedBitmapsHaveTheExpectedLayout) {
    const struct {
        const char* File;
        uint32_t Width, Height;
    } cases[] = {{"world.bmp", MapWidth, 2 * MapHeight},
                 {"graf.bmp", DayViewWidth, 2 * DayViewHeight},
                 {"graf_hours.bmp", DayViewWidth, 15},
                 {"graf_altitudes.bmp", 22, DayViewHeight}};
    for (const auto& c : cases) {
        const auto b = testing::ReadBytes(testing::Resource(c.File));
        ASSERT_EQ(b.size(),
                  54 + static_cast<std::size_t>(RowStride(static_cast<int32_t>(c.Width))) * c.Height)
            << c.File;
        auto at = [&b](int offset, int bytes) {
            uint32_t v = 0;
            for (int i = bytes - 1; i >= 0; --i)
                v = v << 8 | b[offset + i];
            return v;
        };
        EXPECT_TRUE(b[0] == 'B' && b[1] == 'M' && at(10, 4) == 54 && at(18, 4) == c.Width &&
                    at(22, 4) == c.Height && at(28, 2) == 24 && at(30, 4) == 0)
            << c.File << ": the header of a 24-bit uncompressed bottom-up picture";
    }
}

// The blend as a reader of the formula would write it: per displayed pixel, from the two halves
// of the picture, with the quotient truncated in double arithmetic.
Rgb ExpectedBlend(const PixelBuffer& source, int column, int row, int K) {
    const Rgb day = GetPixel(source, column, row), night = GetPixel(source, column, row + DayViewHeight);
    auto mix = [K](int d, int n) {
        return static_cast<uint8_t>((d + static_cast<int>(std::trunc((n - d) * K / 1000.0))) & 0xFF);
    };
    return {mix(day.R, night.R), mix(day.G, night.G), mix(day.B, night.B)};
}

TEST(DayView, DarknessAndPositionsOnThePicture) {
    const struct {
        double AltitudeDeg;
        int Expected;
    } darkness[] = {{10, 0},      {0, 0},        {-0.0, 0},   {-4.5, 250}, {-9, 500},
                    {-13.5, 750}, {-17.99, 999}, {-18, 1000}, {-25, 1000}};
    for (const auto& c : darkness)
        EXPECT_EQ(DarknessThousandths(c.AltitudeDeg == -18 ? -0.314159265358979 : DegToRad(c.AltitudeDeg)),
                  c.Expected)
            << "altitude " << c.AltitudeDeg;
    const struct {
        int H, M;
        double S;
        int Column;
    } columns[] = {{0, 0, 0, 0},     {12, 0, 0, 172}, {23, 59, 59, 343}, {6, 0, 0, 86},      {18, 0, 0, 257},
                   {23, 58, 0, 343}, {0, 2, 5, 0},    {0, 2, 6, 1},      {13, 45, 10.5, 197}};
    for (const auto& c : columns)
        EXPECT_EQ(PointerColumn(c.H, c.M, c.S), c.Column) << c.H << ":" << c.M << ":" << c.S;
    EXPECT_EQ(CurveY(0), 223.0f);
    EXPECT_EQ(CurveY(1.5707963267949), 0.0f);
    EXPECT_FLOAT_EQ(CurveY(DegToRad(45)), 111.5f);
    EXPECT_GT(CurveY(DegToRad(-1)), 223.0f);
    EXPECT_THROW(DayView(CreatePixelBuffer(344, 224)), std::invalid_argument)
        << "a picture of the wrong size";
}

TEST(DayView, ShadingMatchesAStraightforwardComputation) {
    const struct {
        const char* Name;
        double Lat, Lon, Zone;
        int Y, M, D;
    } places[] = {
        {"Paris at the equinox", 48.85, 2.35, 1, 2026, 3, 20},
        {"Paris at midsummer, twilight at midnight", 48.85, 2.35, 2, 2026, 6, 21},
        {"Quito", -0.22, -78.5, -5, 2026, 7, 4},
        {"Reykjavik in winter", 64.15, -21.94, 0, 2025, 12, 21},
        {"Tromso at midsummer", 69.65, 18.96, 2, 2026, 6, 21},
        {"Svalbard in midwinter", 78.22, 15.65, 1, 2026, 12, 21},
        {"Hobart, zone +10.5", -42.88, 147.33, 10.5, 2027, 1, 15},
        {"near the pole, below -18° all day", 89, 0, 0, 2026, 12, 21},
    };
    const PixelBuffer source = NoisePicture(DayViewWidth, 2 * DayViewHeight, 7);
    for (const auto& p : places) {
        DayView view(source);
        SolarState s = SolarStateFor(p.Lat, p.Lon, p.Y, p.M, p.D, p.Zone);
        s.Altitude = 0.25, s.Azimuth = 3.5;
        view.UpdateGrafData(s, 12, 0, 0);
        EXPECT_TRUE(s.Altitude == 0.25 && s.Azimuth == 3.5) << p.Name << ": the current Sun is given back";
        // Darkness of each column afresh from the engine: the column's clock time is 24 p / 344 hours.
        std::vector<int> K;
        for (int column = 0; column < DayViewWidth; ++column) {
            SolarState at = SolarStateFor(p.Lat, p.Lon, p.Y, p.M, p.D, p.Zone);
            const Dms t = SplitDMS(24.0 * column / 344);
            ComputeCurrentPosition(at, t.Degrees, t.Minutes, t.Seconds);
            const double a = at.Altitude;
            K.push_back(
                static_cast<int>(std::nearbyint(1000 * (a > 0                    ? 0.0
                                                        : a < -0.314159265358979 ? 1.0
                                                                                 : -a / 0.314159265358979))));
            EXPECT_EQ((view.Curve()[column] < 223.0f), (a > 0)) << p.Name << ", curve at column " << column;
            if (column == DayViewWidth - 1) {
                EXPECT_EQ(s.RightAscension, at.RightAscension) << "left at the last column's value";
            }
        }
        ExpectPixels(
            view.Result(),
            [&](int column, int row) {
                return row >= DayViewHeight - 3 && std::abs(column - 172) <= row - (DayViewHeight - 3)
                           ? Red
                           : ExpectedBlend(source, column, row, K[column]);
            },
            p.Name);
    }
}

// The pointer: 1 red pixel in row 221, 3 in row 222, 5 in row 223, centred on its column, and
// nothing else changed; moved, the old one is erased, edge pixels included.
TEST(DayView, PointerDrawsMovesAndClipsAtTheEdges) {
    for (int posX : {0, 1, 172, 342, 343}) {
        DayView view(NoisePicture(DayViewWidth, 2 * DayViewHeight, 5));
        view.Shade({});
        const PixelBuffer day = view.Result();
        const auto triangleAt = [&](int x) {
            return [&, x](int column, int row) {
                return row >= DayViewHeight - 3 && std::abs(column - x) <= row - (DayViewHeight - 3)
                           ? Red
                           : GetPixel(day, column, row);
            };
        };
        EXPECT_EQ(view.LastPointer(), -100);
        view.UpdatePointer(posX, true);  // nothing drawn yet: nothing to erase
        ExpectPixels(view.Result(), triangleAt(posX), "first pointer at " + std::to_string(posX));
        view.UpdatePointer(posX, true);
        ExpectPixels(view.Result(), triangleAt(posX), "the same column twice at " + std::to_string(posX));
        view.UpdatePointer(100, true);
        ExpectPixels(view.Result(), triangleAt(100), "moved from " + std::to_string(posX));
        EXPECT_EQ(view.LastPointer(), 100);
        view.UpdatePointer(60, false);  // without a refresh the old triangle stays
        EXPECT_TRUE(GetPixel(view.Result(), 100, 221) == Red && GetPixel(view.Result(), 60, 221) == Red);
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

TEST(WorldMap, ProjectionRoundTrips) {
    EXPECT_DOUBLE_EQ(PixelToLon(0), -Pi);
    EXPECT_DOUBLE_EQ(PixelToLon(225), 0);
    EXPECT_DOUBLE_EQ(PixelToLat(0), -HalfPi);
    EXPECT_NEAR(PixelToLat(111), 0, 1e-13);
    for (int column = 0; column < MapWidth; ++column)
        EXPECT_EQ(LonToPixel(PixelToLon(column)), column) << "column " << column;
    // A memory row r lies on display row 222 - r: LatToPixel counts from the top edge, one row below
    // where the memory row is shown.
    for (int r = 0; r < MapHeight; ++r)
        EXPECT_EQ(LatToPixel(PixelToLat(r)), 222 - r) << "row " << r;
    EXPECT_THROW(WorldMap(CreatePixelBuffer(450, 222)), std::invalid_argument)
        << "a picture of the wrong size";
}

TEST(WorldMap, ShadingMatchesAStraightforwardComputation) {
    const struct {
        const char* Name;
        double Zone;
        int Y, M, D, H, Min;
        double S;
    } cases[] = {
        {"equinox, noon UT", 0, 2026, 3, 20, 12, 0, 0},
        {"June solstice, Tokyo time", 9, 2026, 6, 21, 6, 30, 0},
        {"December, India time", 5.5, 2025, 12, 22, 23, 59, 59.5},
        {"autumn evening, New York", -4, 2027, 10, 3, 19, 12, 44.125},
        {"leap day", 1, 2028, 2, 29, 0, 0, 0},
    };
    const PixelBuffer source = NoisePicture(MapWidth, 2 * MapHeight, 21);
    WorldMap map(source);
    for (const auto& c : cases) {
        const MapSun sun = SunForMap(SolarStateFor(0, 0, c.Y, c.M, c.D, c.Zone), c.H, c.Min, c.S);
        map.Shade(sun);
        ExpectPixels(
            map.Result(), [&](int column, int row) { return ExpectedShade(source, sun, column, row); },
            c.Name);
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
        PixelBuffer ramp = CreatePixelBuffer(MapWidth, 2 * MapHeight);
        const int row = MapHeight - 1 - r;
        for (int column = 0; column < MapWidth; ++column)
            SetPixel(ramp, column, row,
                     {static_cast<uint8_t>(column % 256), static_cast<uint8_t>(255 - column % 256), 10});
        WorldMap edge(ramp);
        const MapSun sun{0, sinDec, 0, 0, 0};
        edge.Shade(sun);
        ExpectPixels(
            edge.Result(), [&](int column, int y) { return ExpectedShade(ramp, sun, column, y); },
            "on the horizon");
        EXPECT_EQ(GetPixel(edge.Result(), 5, row).R, 4) << "5 * 0.7 = 3.5 rounds to the even 4";
        EXPECT_EQ(GetPixel(edge.Result(), 10, row).B, 7) << "10 * 0.7 = 7";
        return;
    }
    FAIL() << "no row hits s == 0 exactly";
}

TEST(WorldMap, UpdateMarksTheSunUnderItsPointAndThePlace) {
    WorldMap map(NoisePicture(MapWidth, 2 * MapHeight, 3));
    SolarState s = SolarStateFor(-33.92, 18.42, 2026, 3, 20, 0);  // Cape Town, equinox noon UT
    map.UpdateMapData(s, 12, 0, 0);
    EXPECT_EQ(map.SubSolar().Row, 111);
    EXPECT_NEAR(map.SubSolar().Column, 225, 4);
    EXPECT_EQ(GetPixel(map.Result(), map.SubSolar().Column, map.SubSolar().Row), (Rgb{255, 224, 64}))
        << "the Sun's disc";
    EXPECT_TRUE(map.Marker().Column == LonToPixel(DegToRad(18.42)) &&
                map.Marker().Row == LatToPixel(DegToRad(-33.92)) &&
                GetPixel(map.Result(), map.Marker().Column, map.Marker().Row - 2) == Red)
        << "the marker drawn at the place";
}

// The marker: a red diamond outline centred on the place; its centre and corners keep the map.
TEST(WorldMap, MarkerMovesIsIdempotentAndClipsAtTheEdges) {
    const struct {
        double LatDeg, LonDeg;
    } cases[] = {{0, 0}, {90, -180}, {-90, 179.9}, {45, -179}, {-89, 0}};
    for (const auto& c : cases) {
        WorldMap map(NoisePicture(MapWidth, 2 * MapHeight, 8));
        map.Shade(MapSun{});
        const PixelBuffer before = map.Result();
        auto markerAt = [&](double latDeg, double lonDeg) {
            const int x = LonToPixel(DegToRad(lonDeg)), y = LatToPixel(DegToRad(latDeg));
            return [&before, x, y](int column, int row) {
                static const char* const shape[5] = {"..R..", ".RRR.", "RR.RR", ".RRR.", "..R.."};
                const int i = column - x + 2, j = row - y + 2;
                return i >= 0 && i < 5 && j >= 0 && j < 5 && shape[j][i] == 'R'
                           ? Red
                           : GetPixel(before, column, row);
            };
        };
        const std::string what = "marker at " + std::to_string(c.LatDeg) + ", " + std::to_string(c.LonDeg);
        map.UpdatePointer(DegToRad(c.LatDeg), DegToRad(c.LonDeg), false);
        ExpectPixels(map.Result(), markerAt(c.LatDeg, c.LonDeg), what);
        map.UpdatePointer(DegToRad(c.LatDeg), DegToRad(c.LonDeg), true);
        map.UpdatePointer(DegToRad(c.LatDeg), DegToRad(c.LonDeg), true);
        ExpectPixels(map.Result(), markerAt(c.LatDeg, c.LonDeg), what + ", drawn twice");
        map.UpdatePointer(DegToRad(10), DegToRad(20), true);
        ExpectPixels(map.Result(), markerAt(10, 20), what + ", moved");
    }
}

TEST(WorldMap, PowerTableAgreesWithPowFarBelowTheRoundingTolerance) {
    const PowerTable table;
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> exponent(-40, 0.02);
    double worst = 0;
    for (int i = 0; i < 200000; ++i) {
        const double s = std::exp2(exponent(random));
        worst = std::max(worst, std::fabs(table.Power03(s) - std::pow(s, 0.3)) / std::pow(s, 0.3));
    }
    EXPECT_LT(worst, 1e-13);
    for (double s : {1.0, 0.5, 1.0144857261386065, 1e-300, 4.9e-324, 2.2e-308})
        EXPECT_NEAR(table.Power03(s), std::pow(s, 0.3), 1e-13 * std::pow(s, 0.3)) << s;
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
    map.UpdateMapData(SolarStateFor(-33.87, 151.21, 2024, 12, 21, 10), 9, 30, 0);
    WorldMap bare(NoisePicture(MapWidth, 2 * MapHeight, 7));
    bare.Shade(map.Sun());
    EXPECT_EQ(bare.Result().Bits, map.Shading().Bits) << "the shading is a bare Shade of the same Sun";
    const MapPoint sun = map.SubSolar(), marker = map.Marker();
    const auto [mapOut, sunIn] =
        MarkerDifferences(map.Result(), bare.Result(), {sun.Column - 4, sun.Row - 4, 8, 8});
    const int markerIn =
        MarkerDifferences(map.Result(), bare.Result(), {marker.Column - 2, marker.Row - 2, 5, 5}).second;
    EXPECT_EQ(mapOut, markerIn) << "the map differs outside the sub-solar disc and the place marker";
    EXPECT_TRUE(sunIn > 10 && markerIn > 5);

    DayView view(NoisePicture(DayViewWidth, 2 * DayViewHeight, 11));
    SolarState state = SolarStateFor(52.52, 13.405, 2024, 6, 21, 2);
    view.UpdateGrafData(state, 15, 0, 0);
    const auto [out, in] =
        MarkerDifferences(view.Result(), view.Shading(), {view.LastPointer() - 2, PointerTop, 5, 3});
    EXPECT_TRUE(out == 0 && in > 0) << "the day view differs only under its pointer: " << out << ", " << in;
}

}  // namespace
}  // namespace heliomark
