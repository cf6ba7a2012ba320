// The Sun Events window (frmEvents): what people plan by beyond sunrise and sunset, for the main
// window's place and day - the golden and blue hours, where the Sun rises and sets, when it passes
// an altitude the user types, the shadow of a 1 m stick now, and on a polar day or night when it
// began and when it ends. The texts come from the engine (sun_events_text.h); the window only shows
// them. The main window calls UpdateEventsData when the day changes and UpdateShadow when the time
// does, while the window is shown. Closing it only hides it.
#pragma once

#include <QWidget>
#include <array>

#include "app/shared_state.h"
#include "engine/sun_events.h"

class QLabel;
class QLineEdit;

namespace heliomark {

class FormMove;

class SunEventsWindow : public QWidget {
    Q_OBJECT

  public:
    // A top-level window owned by `owner` (the main window), created hidden. `zoneHoursOn` gives
    // the zone hours the main window uses on any date, for the polar search.
    SunEventsWindow(const SharedState& state, ZoneHoursOnDate zoneHoursOn, QWidget* owner);

    // The read-outs that depend on the place and the date (SharedState's day events computed).
    void UpdateEventsData();
    // The shadow of the stick for the Sun's position now; visAlt is the refracted altitude, radians.
    void UpdateShadow(double visAlt);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Takes the typed altitude when it is one, else restores the last one and says why.
    void txtCustomAlt_Validate();

    const SharedState& state_;
    ZoneHoursOnDate zoneHoursOn_;
    double customAltitude_ = 10;  // degrees, geometric
    FormMove* mover_ = nullptr;
    std::array<QLineEdit*, 8> bands_{};  // in the order of SunEventsReadouts::Bands
    QLineEdit *txtRiseAzm = nullptr, *txtSetAzm = nullptr;
    QLineEdit *txtCustomAlt = nullptr, *txtCustomRise = nullptr, *txtCustomSet = nullptr;
    QLineEdit *txtShadow = nullptr, *txtShadowAzm = nullptr;
    QLabel* lblCustomAltMsg = nullptr;
    QLabel* lblPolar = nullptr;
};

}  // namespace heliomark
