#include "app/window_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace heliomark {

namespace {

constexpr float MaxTwips = 1.0e7f;

bool Overlaps(const PixelRect& a, const PixelRect& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
}

// Squared distance from a point to a rectangle (0 inside); 64-bit, the point may be far away.
long long DistanceSquared(long long x, long long y, const PixelRect& r) {
    const long long dx = x < r.Left ? r.Left - x : (x > r.Left + r.Width ? x - (r.Left + r.Width) : 0);
    const long long dy = y < r.Top ? r.Top - y : (y > r.Top + r.Height ? y - (r.Top + r.Height) : 0);
    return dx * dx + dy * dy;
}

int Clamp(int value, int low, int high) {
    return high < low ? low : std::clamp(value, low, high);
}

}  // namespace

std::optional<int> TwipsToPixels(float twips) {
    if (!std::isfinite(twips) || std::fabs(twips) > MaxTwips) return std::nullopt;
    return static_cast<int>(std::lrint(twips / TwipsPerPixel));
}

PixelPoint PlaceOnScreens(const WindowPosition& saved, PixelSize size,
                          const std::vector<PixelRect>& screens) {
    const std::optional<int> x = TwipsToPixels(saved.Left);
    const std::optional<int> y = TwipsToPixels(saved.Top);
    if (screens.empty()) return {x.value_or(0), y.value_or(0)};
    const PixelRect* target = &screens.front();
    if (x && y) {
        const PixelRect window{*x, *y, std::max(size.Width, 1), std::max(size.Height, 1)};
        for (const PixelRect& screen : screens)
            if (Overlaps(window, screen)) return {*x, *y};
        const long long cx = *x + window.Width / 2, cy = *y + window.Height / 2;
        long long best = std::numeric_limits<long long>::max();
        for (const PixelRect& screen : screens) {
            const long long d = DistanceSquared(cx, cy, screen);
            if (d < best) {
                best = d;
                target = &screen;
            }
        }
    }
    const int px = x ? *x : target->Left;
    const int py = y ? *y : target->Top;
    return {Clamp(px, target->Left, target->Left + target->Width - size.Width),
            Clamp(py, target->Top, target->Top + target->Height - size.Height)};
}

WindowPositions DefaultWindowPositions(const PixelRect& screen, PixelSize main) {
    const int left = screen.Left + std::max(0, (screen.Width - main.Width) / 2);
    const int top = screen.Top + std::max(0, (screen.Height - main.Height) / 2);
    WindowPositions positions{};
    positions[0] = {left * TwipsPerPixel, top * TwipsPerPixel};
    for (int i = 1; i < 5; ++i) {
        const int viewLeft = left + main.Width + 8 + (i - 1) * 24;
        const int viewTop = top + (i - 1) * 24;
        positions[i] = {viewLeft * TwipsPerPixel, viewTop * TwipsPerPixel};
    }
    return positions;
}

ViewPositions DefaultViewPositions(const PixelRect& screen, const PixelRect& main,
                                   const std::array<PixelSize, 2>& views) {
    ViewPositions positions{};
    for (int i = 0; i < 2; ++i) {
        const int step = (4 + i) * 24;  // after the four views' 0, 24, 48, 72
        const int x = Clamp(main.Left + main.Width + 8 + step, screen.Left,
                            screen.Left + screen.Width - views[i].Width);
        const int y = Clamp(main.Top + step, screen.Top, screen.Top + screen.Height - views[i].Height);
        positions[i] = {x * TwipsPerPixel, y * TwipsPerPixel};
    }
    return positions;
}

}  // namespace heliomark
