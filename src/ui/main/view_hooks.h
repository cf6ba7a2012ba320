// How the main window reaches the views that live in their own files. Each view, when it is added
// to the program, creates its window in MainWindow::CreateViews (hidden, owned by the main window),
// fills its hooks there and registers its toolbar button and View menu item with AddViewToggle.
// Until then its hooks stay empty and every call through them is skipped, so the main window's
// update sequence is already complete and in its final order.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

namespace heliomark {

// Day view (frmGraf).
struct DayViewHooks {
    QPointer<QWidget> Window;
    // Redraws the day's curve and picture; called while the view is shown, after the day values.
    std::function<void()> UpdateGrafData;
    // Moves the time pointer to pixel column posX (0..343 over the day); isRefresh erases the old one.
    std::function<void(int posX, bool isRefresh)> UpdatePointer;
};

// World map (frmMap).
struct WorldMapHooks {
    QPointer<QWidget> Window;
    std::function<void()> UpdateMapData;
    // Moves the place marker; latitude and longitude in radians, north and east positive.
    std::function<void(double lat, double lon, bool isRefresh)> UpdatePointer;
};

// Sky view (frm3D). The refracted altitude it draws the Sun at is MainWindow::VisAlt, which the
// main window sets before every UpdateSkyData.
struct SkyViewHooks {
    QPointer<QWidget> Window;
    std::function<void()> UpdateSkyData;
    // The view's IsLocked flag: the main window sets it around the first UpdateSkyData after
    // showing the view, so that the view opens centred on the Sun.
    std::function<void(bool locked)> SetIsLocked;
};

// Sun Events window (frmEvents).
struct SunEventsHooks {
    QPointer<QWidget> Window;
    // The read-outs of the day; called while the view is shown, after the day values.
    std::function<void()> UpdateEventsData;
    // The stick's shadow now, from the refracted altitude (radians) the main window computed.
    std::function<void(double visAlt)> UpdateShadow;
};

// Year window (frmYear): a new picture when the year's inputs changed, else the marker moves.
struct YearHooks {
    QPointer<QWidget> Window;
    std::function<void()> UpdateYearData;
};

}  // namespace heliomark
