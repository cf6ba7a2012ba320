// The windows whose places are kept between runs: the five of pos.ini, in the file's order (main
// window, sky view, day view, twilights window, world map), then the two of pos_views.ini (Sun
// Events, Year). Positions are twips (15 per pixel) in single precision, as the
// file stores them; a window that has not moved since it was placed reports the exact twips it was
// given, so a position read from pos.ini is written back unchanged even when it is not a whole
// pixel. A slot without a window keeps the position read from pos.ini, so the file keeps it too.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <array>

#include "data/data.h"

namespace heliomark {

class PositionedWindows {
  public:
    enum Slot {
        MainSlot = 0,
        SkyViewSlot = 1,
        DayViewSlot = 2,
        TwilightsSlot = 3,
        WorldMapSlot = 4,
        EventsSlot = 5,
        YearSlot = 6
    };
    static constexpr int SlotCount = 7;

    void SetWindow(Slot slot, QWidget* window);
    QWidget* Window(Slot slot) const { return windows_[slot]; }

    // Moves every window to its saved place, or onto the nearest screen when that place would leave
    // it entirely off every screen.
    void Apply(const WindowPositions& saved);     // the five of pos.ini
    void ApplyViews(const ViewPositions& saved);  // the two of pos_views.ini
    WindowPositions Current();
    ViewPositions CurrentViews();
    float Left(Slot slot);  // twips
    float Top(Slot slot);
    void MoveBy(Slot slot, float dxTwips, float dyTwips);

  private:
    void Refresh(Slot slot);
    void MoveTo(Slot slot, const WindowPosition& twips);
    void Place(int slot, const WindowPosition& saved);

    std::array<QPointer<QWidget>, SlotCount> windows_;
    std::array<WindowPosition, SlotCount> twips_{};
    std::array<QPoint, SlotCount> placedAt_{};
};

}  // namespace heliomark
