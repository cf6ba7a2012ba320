#include "shading/day_view.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace heliomark {

namespace {

// -18° in radians: below it the sky is fully dark (astronomical twilight has ended).
constexpr double AstronomicalDark = 0.314159265358979;

// The triangle: AND layer (rows 0-2) keeps everything but the red triangle's pixels; OR layer
// (rows 3-5) whitens exactly those pixels first, so AND leaves them pure red whatever lay under.
PixelBuffer PointerPicture() {
    return PictureFromRows({"WWRWW", "WRRRW", "RRRRR", "KKWKK", "KWWWK", "WWWWW", "WWWWW", "WWWWW", "WWWWW"});
}

// The cast keeps the low byte of the sum; nothing is lost, since the blend always lies between the
// day and the night byte.
inline uint8_t Blend(uint8_t day, int16_t d, float darkness) {
    return static_cast<uint8_t>(day + static_cast<int32_t>(d * darkness / 1000.0f));
}

// Fixed-length chunks let the compiler vectorise the loop without run-time checks.
constexpr std::size_t BlendChunk = 48;

void BlendBytes(uint8_t* __restrict out, const uint8_t* __restrict day, const int16_t* __restrict d,
                const float* __restrict darkness, std::size_t n) {
    std::size_t x = 0;
    for (; x + BlendChunk <= n; x += BlendChunk) {
        for (std::size_t i = x; i < x + BlendChunk; ++i)
            out[i] = Blend(day[i], d[i], darkness[i]);
    }
    for (; x < n; ++x)
        out[x] = Blend(day[x], d[x], darkness[x]);
}

}  // namespace

int32_t DarknessThousandths(double altitude) {
    double k;
    if (altitude > 0) {
        k = 0;
    } else if (altitude < -AstronomicalDark) {
        k = 1;
    } else {
        k = -altitude / AstronomicalDark;
    }
    return static_cast<int32_t>(std::nearbyint(k * 1000));
}

int32_t PointerColumn(int hour, int minute, double second) {
    return static_cast<int32_t>(std::lrint((second / 3600 + hour + minute / 60.0) / 24 * 343));
}

float CurveY(double altitude) {
    return static_cast<float>((1 - altitude / 1.5707963267949) * 223);
}

Dms ColumnClockTime(int32_t column) {
    return SplitDMS(24.0 * (3 * column) / DayViewBytes);
}

DayView::DayView(const PixelBuffer& source)
    : source_(source),
      result_(CreatePixelBuffer(DayViewWidth, DayViewHeight)),
      shading_(CreatePixelBuffer(DayViewWidth, DayViewHeight)),
      pointer_(PointerPicture()),
      // The lower half on screen (memory rows 0 .. half - 1) is the night picture.
      difference_(HalfDifferences(source, true)) {
    if (source.Width != DayViewWidth || source.Height != 2 * DayViewHeight) {
        throw std::invalid_argument("the day view picture must be 344 x 448 pixels");
    }
}

void DayView::Shade(const std::array<int32_t, DayViewWidth>& darkness) {
    // D * K / 1000 truncated toward zero is computed in single precision so that the loop vectorises:
    // |D * K| <= 255000 is exact in a float, and a quotient that is not a whole number lies at least
    // 0.001 from one, far more than a float's spacing near 255 (2^-16), so truncating the correctly
    // rounded float quotient gives the integer quotient exactly.
    std::array<float, DayViewBytes> perByte;
    for (int32_t x = 0; x < DayViewBytes; ++x)
        perByte[x] = static_cast<float>(darkness[x / 3]);
    // Most columns are full day (K = 0: the day byte) or full night (K = 1000: day + D, the night
    // byte); only the twilight columns need the arithmetic. Runs of equal kind are handled at once.
    struct Run {
        int32_t Begin, End;  // byte columns
        int32_t Kind;        // 0 day, 1000 night, anything else blend
    };
    std::vector<Run> runs;
    for (int32_t p = 0; p < DayViewWidth; ++p) {
        const int32_t kind = darkness[p] == 0 || darkness[p] == 1000 ? darkness[p] : -1;
        if (!runs.empty() && runs.back().Kind == kind) {
            runs.back().End += 3;
        } else {
            runs.push_back({3 * p, 3 * p + 3, kind});
        }
    }
    for (int32_t y = 0; y < DayViewHeight; ++y) {
        const uint8_t* day = source_.Row(y + DayViewHeight);
        const uint8_t* night = source_.Row(y);
        const int16_t* d = &difference_[static_cast<std::size_t>(y) * DayViewBytes];
        uint8_t* out = result_.Row(y);
        for (const Run& run : runs) {
            const std::size_t n = static_cast<std::size_t>(run.End - run.Begin);
            if (run.Kind == 0) {
                std::memcpy(out + run.Begin, day + run.Begin, n);
            } else if (run.Kind == 1000) {
                std::memcpy(out + run.Begin, night + run.Begin, n);
            } else {
                BlendBytes(out + run.Begin, day + run.Begin, d + run.Begin, perByte.data() + run.Begin, n);
            }
        }
    }
    shading_ = result_;
}

void DayView::UpdateGrafData(SolarState& state, int hour, int minute, double second) {
    const double savedAltitude = state.Altitude, savedAzimuth = state.Azimuth;
    // One position per column serves both the shading and the curve: both ask for the same clock
    // times (24 * 3p / 1032 and 24p / 344 hours are the same double).
    std::array<int32_t, DayViewWidth> darkness;
    for (int32_t p = 0; p < DayViewWidth; ++p) {
        const Dms t = ColumnClockTime(p);
        ComputeCurrentPosition(state, t.Degrees, t.Minutes, t.Seconds);
        darkness[p] = DarknessThousandths(state.Altitude);
        curve_[p] = CurveY(state.Altitude);
    }
    Shade(darkness);
    UpdatePointer(PointerColumn(hour, minute, second), false);
    state.Altitude = savedAltitude;
    state.Azimuth = savedAzimuth;
}

void DayView::UpdatePointer(int32_t posX, bool isRefresh) {
    if (isRefresh && lastPointer_ != -100) {
        BlockTransfer(result_, lastPointer_ - 2, PointerTop, 5, 3, pointer_, 0, 6, BlockOp::Copy);
    }
    BlockTransfer(pointer_, 0, 6, 5, 3, result_, posX - 2, PointerTop, BlockOp::Copy);
    BlockTransfer(result_, posX - 2, PointerTop, 5, 3, pointer_, 0, 3, BlockOp::Or);
    BlockTransfer(result_, posX - 2, PointerTop, 5, 3, pointer_, 0, 0, BlockOp::And);
    lastPointer_ = posX;
}

}  // namespace heliomark
