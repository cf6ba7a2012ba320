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

namespace {

bool Inside(const PixelRect& r, const PixelRect& area) {
    return r.Left >= area.Left && r.Top >= area.Top && r.Left + r.Width <= area.Left + area.Width &&
           r.Top + r.Height <= area.Top + area.Height;
}

// Every window's covered rectangle (size plus frame) at a place where it covers none placed
// before it, within `area`, the windows taken in `order`; nothing when one finds no place. The places
// tried are the corners the earlier windows' right and bottom edges make, by rows or by columns.
std::optional<std::vector<PixelRect>> Pack(const PixelRect& area, const std::vector<PixelSize>& sizes,
                                           const std::vector<std::size_t>& order, PixelSize frame,
                                           bool byColumns) {
    std::vector<PixelRect> placed(sizes.size());
    std::vector<PixelRect> done;
    for (const std::size_t k : order) {
        const int width = sizes[k].Width + frame.Width, height = sizes[k].Height + frame.Height;
        std::vector<int> xs{area.Left}, ys{area.Top};
        for (const PixelRect& r : done) {
            xs.push_back(r.Left + r.Width);
            ys.push_back(r.Top + r.Height);
        }
        std::sort(xs.begin(), xs.end());
        std::sort(ys.begin(), ys.end());
        const std::vector<int>& outer = byColumns ? xs : ys;
        const std::vector<int>& inner = byColumns ? ys : xs;
        std::optional<PixelRect> found;
        for (std::size_t j = 0; j < outer.size() && !found; ++j)
            for (std::size_t i = 0; i < inner.size() && !found; ++i) {
                const PixelRect candidate = byColumns ? PixelRect{outer[j], inner[i], width, height}
                                                      : PixelRect{inner[i], outer[j], width, height};
                if (!Inside(candidate, area)) continue;
                if (std::none_of(done.begin(), done.end(),
                                 [&](const PixelRect& r) { return Overlaps(candidate, r); }))
                    found = candidate;
            }
        if (!found) return std::nullopt;
        placed[k] = *found;
        done.push_back(*found);
    }
    return placed;
}

std::optional<std::vector<PixelRect>> PackAnyOrder(const PixelRect& area, const std::vector<PixelSize>& sizes,
                                                   const std::vector<PixelSize>& frames) {
    for (const PixelSize& frame : frames)
        for (const bool byColumns : {false, true}) {
            std::vector<std::size_t> order(sizes.size());
            for (std::size_t i = 0; i < order.size(); ++i)
                order[i] = i;
            do {
                if (auto packed = Pack(area, sizes, order, frame, byColumns)) return packed;
            } while (std::next_permutation(order.begin() + 1, order.end()));  // the main window stays first
        }
    return std::nullopt;
}

}  // namespace

std::vector<PixelPoint> ArrangeWindows(const PixelRect& screen, const std::vector<PixelSize>& sizes,
                                       const std::vector<PixelSize>& frames) {
    std::vector<PixelPoint> points;
    if (sizes.empty()) return points;
    if (const auto packed = PackAnyOrder(screen, sizes, frames)) {
        int right = screen.Left, bottom = screen.Top;
        for (const PixelRect& r : *packed) {
            right = std::max(right, r.Left + r.Width);
            bottom = std::max(bottom, r.Top + r.Height);
        }
        const int dx = (screen.Left + screen.Width - right) / 2,
                  dy = (screen.Top + screen.Height - bottom) / 2;
        for (const PixelRect& r : *packed)
            points.push_back({r.Left + dx, r.Top + dy});
        return points;
    }
    // The arrangement of old: the main window centred, the views beside it to the right,
    // cascading down (where the screen ends, the window manager or the next start brings them in).
    const PixelSize main = sizes.front();
    const int left = screen.Left + std::max(0, (screen.Width - main.Width) / 2);
    const int top = screen.Top + std::max(0, (screen.Height - main.Height) / 2);
    points.push_back({left, top});
    for (std::size_t i = 1; i < sizes.size(); ++i) {
        const int step = static_cast<int>(i - 1) * 24;
        points.push_back({left + main.Width + 8 + step, top + step});
    }
    return points;
}

}  // namespace heliomark
