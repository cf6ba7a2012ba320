#include "app/positioned_windows.h"

#include <QGuiApplication>
#include <QScreen>
#include <vector>

#include "app/window_placement.h"

namespace heliomark {

namespace {

std::vector<PixelRect> ScreenRects() {
    std::vector<PixelRect> rects;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect r = screen->availableGeometry();
        rects.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    return rects;
}

}  // namespace

void PositionedWindows::SetWindow(Slot slot, QWidget* window) {
    windows_[slot] = window;
    if (window) placedAt_[slot] = window->pos();
}

void PositionedWindows::Place(int slot, const WindowPosition& saved) {
    twips_[slot] = saved;
    QWidget* w = windows_[slot];
    if (!w) return;
    const PixelPoint p = PlaceOnScreens(saved, {w->width(), w->height()}, ScreenRects());
    const std::optional<int> x = TwipsToPixels(saved.Left), y = TwipsToPixels(saved.Top);
    if (!x || !y || *x != p.X || *y != p.Y)
        twips_[slot] = {p.X * TwipsPerPixel, p.Y * TwipsPerPixel};  // moved: the old numbers are void
    w->move(p.X, p.Y);
    placedAt_[slot] = w->pos();
}

void PositionedWindows::Apply(const WindowPositions& saved) {
    for (int i = 0; i < 5; ++i)
        Place(i, saved[i]);
}

void PositionedWindows::ApplyViews(const ViewPositions& saved) {
    Place(EventsSlot, saved[0]);
    Place(YearSlot, saved[1]);
}

void PositionedWindows::Refresh(Slot slot) {
    QWidget* w = windows_[slot];
    if (!w || w->pos() == placedAt_[slot]) return;
    placedAt_[slot] = w->pos();
    twips_[slot] = {w->x() * TwipsPerPixel, w->y() * TwipsPerPixel};
}

WindowPositions PositionedWindows::Current() {
    WindowPositions positions;
    for (int i = 0; i < 5; ++i) {
        Refresh(static_cast<Slot>(i));
        positions[i] = twips_[i];
    }
    return positions;
}

ViewPositions PositionedWindows::CurrentViews() {
    Refresh(EventsSlot);
    Refresh(YearSlot);
    return {twips_[EventsSlot], twips_[YearSlot]};
}

float PositionedWindows::Left(Slot slot) {
    Refresh(slot);
    return twips_[slot].Left;
}

float PositionedWindows::Top(Slot slot) {
    Refresh(slot);
    return twips_[slot].Top;
}

void PositionedWindows::MoveBy(Slot slot, float dxTwips, float dyTwips) {
    Refresh(slot);
    MoveTo(slot, {twips_[slot].Left + dxTwips, twips_[slot].Top + dyTwips});
}

void PositionedWindows::MoveTo(Slot slot, const WindowPosition& twips) {
    twips_[slot] = twips;
    QWidget* w = windows_[slot];
    if (!w) return;
    const std::optional<int> x = TwipsToPixels(twips.Left), y = TwipsToPixels(twips.Top);
    if (!x || !y) return;
    w->move(*x, *y);
    placedAt_[slot] = w->pos();
}

}  // namespace heliomark
