// Where the five positioned windows go on the screens: pos.ini keeps their Left and Top in twips
// (15 per pixel) as single-precision numbers, which may be anything in a damaged or hand-edited
// file. Plain geometry, no windowing code.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "data/data.h"

namespace heliomark {

inline constexpr float TwipsPerPixel = 15.0f;

struct PixelRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};
struct PixelSize {
    int Width = 0, Height = 0;
};
struct PixelPoint {
    int X = 0, Y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// The pixel of a twips coordinate (half to even), or nothing when the number cannot be a screen
// position: not finite, or beyond 10 million twips either way, which no desktop reaches. The test
// comes before any conversion, so 1e30 never meets an integer cast.
std::optional<int> TwipsToPixels(float twips);

// The pixel position for a window of `size` saved at `saved`: kept as saved when the window then
// overlaps at least one screen; otherwise (absurd numbers included) moved onto the screen nearest
// to where it would have been (the first screen for absurd numbers), inside it as far as it fits.
PixelPoint PlaceOnScreens(const WindowPosition& saved, PixelSize size, const std::vector<PixelRect>& screens);

// Room the window manager adds to each window for its title bar and borders, with a little space
// between windows: a roomy guess first, then the least a desktop gives (openbox: 1 px borders and a
// 20 px title). Positions are those of the frame's top-left corner, sizes those of the inside, so a
// window covers its size plus this.
inline constexpr PixelSize RoomyFrame{8, 38};
inline constexpr PixelSize TightFrame{2, 22};

// Where the windows go when no positions are saved (a first start, a lost pos.ini): `sizes` holds
// the main window first, then the views (any number of them). The main window goes to the screen's
// top-left corner and each view to the first place, along the edges of the windows placed before it,
// where it lies inside `screen` without covering any of them: places are tried row by row, then
// column by column, with the views in the given order and then in every other order, with each
// frame of `frames` in turn. The group found first is centred on the screen. When none fits (a
// small screen), the main window is centred and the views cascade down at its right, as they always
// did. Pixels, in the order of `sizes`.
std::vector<PixelPoint> ArrangeWindows(const PixelRect& screen, const std::vector<PixelSize>& sizes,
                                       const std::vector<PixelSize>& frames = {RoomyFrame, TightFrame});

}  // namespace heliomark
