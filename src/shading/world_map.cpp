#include "shading/world_map.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace heliomark {

namespace {

// sin 0.83°: the shading's horizon lies where the Sun's upper limb rises, allowing for refraction.
constexpr double HorizonSine = 0.0144857261386065;
// s below -0.29447891387245 means sin(altitude) < -0.30896: the Sun lower than about -18°, night.
constexpr double NightSine = 0.29447891387245;

// A red diamond outline 5 pixels across whose centre keeps the map's colour: the OR layer (rows
// 5-9) whitens the outline's pixels, the AND layer (rows 0-4) then turns them red.
PixelBuffer MarkerPicture() {
    return PictureFromRows({"WWRWW", "WRRRW", "RRWRR", "WRRRW", "WWRWW",  // AND
                            "KKWKK", "KWWWK", "WWKWW", "KWWWK", "KKWKK",  // OR
                            "WWWWW", "WWWWW", "WWWWW", "WWWWW", "WWWWW"});
}

// The sub-solar disc: a yellow disc with a brown rim filling the 8 x 8 box from (x - 4, y - 4), as
// an ellipse drawn in the box (x - 4, y - 4) - (x + 4, y + 4) covers it, the right and bottom edges
// being excluded; '.' pixels are left alone.
constexpr std::array<std::string_view, 8> SunDisc = {"..OOOO..", ".OYYYYO.", "OYYYYYYO", "OYYYYYYO",
                                                     "OYYYYYYO", "OYYYYYYO", ".OYYYYO.", "..OOOO.."};

// Rounds half to even like std::nearbyint in the default rounding mode, for |v| < 2^51: adding
// 1.5 * 2^52 leaves no fraction bits, so the sum is rounded to a whole number by the addition itself
// (the constant is even, so ties go to the even neighbour of v). Inline, unlike the library call.
inline double RoundHalfEven(double v) {
    constexpr double Shift = 6755399441055744.0;
    return (v + Shift) - Shift;
}

// The exact shading, the reference for the fixed-point version below: each of the pixel's three
// bytes is night + D * f rounded half to even.
inline void ShadePixelExact(uint8_t* out, const uint8_t* night, const int16_t* d, double f) {
    for (int c = 0; c < 3; ++c)
        out[c] = static_cast<uint8_t>(static_cast<int32_t>(RoundHalfEven(night[c] + d[c] * f)));
}

// The same in 32.32 fixed point, which is several times cheaper per byte. F = f * 2^32 truncated,
// so V = night * 2^32 + D * F is within 255 * 2^-32 of the exact blend, plus |D| times the error of
// f (1e-13 relative from PowerTable). A byte whose fraction lies farther than `FixedTolerance`
// (about 1e-6) from one half therefore rounds exactly as the double computation does; otherwise the
// pixel is left to ShadePixelExact (returns false, nothing written). Ties never pass the test.
constexpr int64_t FixedOne = int64_t{1} << 32;
constexpr int64_t FixedHalf = int64_t{1} << 31;
constexpr int64_t FixedTolerance = 4096;

// Whether a 32.32 value lies within FixedTolerance of a half (one unsigned comparison).
inline bool NearHalf(int64_t v) {
    const auto fraction = static_cast<uint64_t>(v & (FixedOne - 1));
    return fraction - static_cast<uint64_t>(FixedHalf - FixedTolerance) < 2 * FixedTolerance;
}

inline bool ShadePixelFixed(uint8_t* out, const uint8_t* night, const int16_t* d, double f) {
    const auto F = static_cast<int64_t>(f * static_cast<double>(FixedOne));
    const int64_t v0 = night[0] * FixedOne + d[0] * F;
    const int64_t v1 = night[1] * FixedOne + d[1] * F;
    const int64_t v2 = night[2] * FixedOne + d[2] * F;
    if (NearHalf(v0) || NearHalf(v1) || NearHalf(v2)) return false;
    out[0] = static_cast<uint8_t>((v0 + FixedHalf) >> 32);
    out[1] = static_cast<uint8_t>((v1 + FixedHalf) >> 32);
    out[2] = static_cast<uint8_t>((v2 + FixedHalf) >> 32);
    return true;
}

}  // namespace

double PixelToLon(double column) {
    return 2 * column * Pi / MapWidth - Pi;
}

double PixelToLat(double memoryRow) {
    return memoryRow * Pi / MapHeight - HalfPi;
}

int32_t LonToPixel(double longitude) {
    return static_cast<int32_t>(std::lrint((longitude + Pi) * MapWidth / TwoPi));
}

int32_t LatToPixel(double latitude) {
    return static_cast<int32_t>(std::lrint((HalfPi - latitude) * MapHeight / Pi));
}

MapSun SunForMap(const SolarState& state, int hour, int minute, double second) {
    double jd = JulianDay(state.Year, state.Month, state.Day, hour, minute, second);
    jd = jd - state.ZoneHours / 24;
    const Equatorial eq = EclipticToEquatorial(SunLongitude(jd));
    MapSun sun;
    sun.Declination = eq.Declination;
    sun.SinDec = std::sin(eq.Declination);
    sun.CosDec = std::cos(eq.Declination);
    sun.RightAscension = eq.RightAscension;
    sun.Sidereal = DegToRad(FloorMod(SiderealTime(jd), 360));
    return sun;
}

MapPoint SubSolarPoint(const MapSun& sun) {
    const double lon = FloorMod(sun.RightAscension - sun.Sidereal + Pi, TwoPi) - Pi;
    return {LatToPixel(sun.Declination), LonToPixel(lon)};
}

WorldMap::WorldMap(const PixelBuffer& source)
    : source_(source),
      result_(CreatePixelBuffer(MapWidth, MapHeight)),
      shading_(CreatePixelBuffer(MapWidth, MapHeight)),
      markerPicture_(MarkerPicture()),
      // The lower half on screen (memory rows 0 .. half - 1) is the night picture.
      difference_(HalfDifferences(source, false)) {
    if (source.Width != MapWidth || source.Height != 2 * MapHeight) {
        throw std::invalid_argument("the world map picture must be 450 x 444 pixels");
    }
    for (int32_t r = 0; r < MapHeight; ++r) {
        sinLat_[r] = std::sin(PixelToLat(r));
        cosLat_[r] = std::cos(PixelToLat(r));
    }
}

void WorldMap::Shade(const MapSun& sun) {
    sun_ = sun;
    std::array<double, MapWidth> k;  // the hour-angle term, one cosine per column
    for (int32_t p = 0; p < MapWidth; ++p) {
        k[p] = std::cos(PixelToLon(p) + sun.Sidereal - sun.RightAscension) * sun.CosDec;
    }
    for (int32_t r = 0; r < MapHeight; ++r) {
        const double sinPart = sinLat_[r] * sun.SinDec, cosLat = cosLat_[r];
        const uint8_t* night = source_.Row(r);
        const int16_t* d = &difference_[static_cast<std::size_t>(r) * MapBytes];
        uint8_t* out = result_.Row(r);
        // s: sine of the Sun's altitude at each pixel of the row, raised by sin 0.83°.
        std::array<double, MapWidth> s;
        for (int32_t p = 0; p < MapWidth; ++p)
            s[p] = sinPart + cosLat * k[p] + HorizonSine;
        // Night pixels (s below the limit) keep the night map's bytes: the whole row is copied
        // first and only the lit pixels are computed over it.
        std::memcpy(out, night, MapBytes);
        for (int32_t p = 0; p < MapWidth; ++p) {
            const int32_t x = 3 * p;
            if (s[p] > 0) {
                // Day: f = 0.8 + 0.2 s^0.3, brightest under the Sun. The tabulated power decides
                // the rounding unless a byte lies too close to a half; then pow settles it.
                if (!ShadePixelFixed(out + x, night + x, d + x, 0.8 + 0.2 * power_.Power03(s[p]))) {
                    ShadePixelExact(out + x, night + x, d + x, 0.8 + 0.2 * std::pow(s[p], 0.3));
                }
            } else if (s[p] >= -NightSine) {
                // Twilight: 0.7 at the horizon down to 0 at the night limit.
                const double f = s[p] * 0.7 / NightSine + 0.7;
                if (!ShadePixelFixed(out + x, night + x, d + x, f))
                    ShadePixelExact(out + x, night + x, d + x, f);
            }
        }
    }
    shading_ = result_;
}

void WorldMap::DrawSunDisc() {
    for (int32_t j = 0; j < 8; ++j) {
        const int32_t y = subSolar_.Row - 4 + j;
        if (y < 0 || y >= MapHeight) continue;
        for (int32_t i = 0; i < 8; ++i) {
            const int32_t x = subSolar_.Column - 4 + i;
            if (x < 0 || x >= MapWidth || SunDisc[j][i] == '.') continue;
            SetPixel(result_, x, y, PictureColour(SunDisc[j][i]));
        }
    }
}

void WorldMap::UpdateMapData(const SolarState& state, int hour, int minute, double second) {
    Shade(SunForMap(state, hour, minute, second));
    subSolar_ = SubSolarPoint(sun_);
    DrawSunDisc();
    UpdatePointer(state.Latitude, DegToRad(state.Longitude), false);
}

void WorldMap::UpdatePointer(double lat, double lon, bool isRefresh) {
    const int32_t x = LonToPixel(lon), y = LatToPixel(lat);
    if (isRefresh && marker_.Column != -100) {
        BlockTransfer(result_, marker_.Column - 2, marker_.Row - 2, 5, 5, markerPicture_, 0, 10,
                      BlockOp::Copy);
    }
    BlockTransfer(markerPicture_, 0, 10, 5, 5, result_, x - 2, y - 2, BlockOp::Copy);
    BlockTransfer(result_, x - 2, y - 2, 5, 5, markerPicture_, 0, 5, BlockOp::Or);
    BlockTransfer(result_, x - 2, y - 2, 5, 5, markerPicture_, 0, 0, BlockOp::And);
    marker_ = {y, x};
}

}  // namespace heliomark
