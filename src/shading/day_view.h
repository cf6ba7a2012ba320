// The day view's picture: the Sun's altitude over the local day, drawn over a landscape that is
// blended column by column between a day picture and a night picture according to how far the Sun
// is below the horizon at that column's clock time, with a small red triangle marking the time
// shown in the main window. The window only shows `Result()`, draws the polyline of `Curve()` in
// red over it, and forwards the main window's calls.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/engine.h"
#include "shading/pixel_buffer.h"

namespace heliomark {

inline constexpr int32_t DayViewWidth = 344;   // pixels: 24 h over columns 0 .. 343
inline constexpr int32_t DayViewHeight = 224;  // pixels: altitude 90° on row 0, 0° on row 223
inline constexpr int32_t DayViewBytes = DayViewWidth * 3;
inline constexpr int32_t PointerTop = DayViewHeight - 3;  // display row 221: the pointer's top row

// Darkness of a column in thousandths: 0 while the Sun is above the horizon (altitude > 0, radians),
// 1000 below -18°, linear in between, rounded half to even.
int32_t DarknessThousandths(double altitude);

// Pointer column for a clock time: (s/3600 + h + m/60) / 24 * 343, rounded half to even. The full day
// spans 343 columns, so 12:00:00 gives 172 (171.5 to even) and 23:59:59 gives 343.
int32_t PointerColumn(int hour, int minute, double second);

// Plot row of an altitude (radians): (1 - a / (pi/2)) * 223 in single precision; 90° on row 0, 0° on
// row 223, negative altitudes below the picture (the window clips them).
float CurveY(double altitude);

// The local clock time of pixel column p, 24 * 3p / 1032 hours, split into hours, minutes and
// seconds as the position computation takes them.
Dms ColumnClockTime(int32_t column);

class DayView {
  public:
    // `source` is graf.bmp as read: 344 x 448, the day picture above the night picture. Throws
    // std::invalid_argument for any other size.
    explicit DayView(const PixelBuffer& source);

    // Shades the picture, places the pointer (without erasing the old one: the whole picture is new)
    // and computes the curve, for the date, place and zone of `state`; hour, minute and second are the
    // main window's clock. Uses `state` as scratch for the position computation and restores its
    // Altitude and Azimuth afterwards; RightAscension is left at the value for column 343.
    void UpdateGrafData(SolarState& state, int hour, int minute, double second);

    // Moves the pointer to column `posX`. With `isRefresh` the old triangle is erased first from the
    // pixels saved under it; without it (right after a full shading) it is simply drawn anew.
    void UpdatePointer(int32_t posX, bool isRefresh);

    // The column blend alone, from the darkness of each column in thousandths (0 day .. 1000 night).
    void Shade(const std::array<int32_t, DayViewWidth>& darkness);

    const PixelBuffer& Result() const { return result_; }
    // The blend of the last update without the pointer, for a screen that scales the picture up and
    // draws the pointer itself at its own resolution.
    const PixelBuffer& Shading() const { return shading_; }
    // Plot row of the curve for each column 0 .. 343; the window joins them with lines.
    const std::array<float, DayViewWidth>& Curve() const { return curve_; }
    int32_t LastPointer() const { return lastPointer_; }  // -100 before the first pointer

  private:
    PixelBuffer source_;
    PixelBuffer result_;
    PixelBuffer shading_;
    PixelBuffer pointer_;              // rows 0-2 AND layer, 3-5 OR layer, 6-8 pixels saved under
    std::vector<int16_t> difference_;  // night - day per byte, DayViewBytes per memory row
    std::array<float, DayViewWidth> curve_{};
    int32_t lastPointer_ = -100;
};

}  // namespace heliomark
