// The day view (frmGraf): the Sun's altitude over the main window's day as a red curve over a
// landscape that darkens with the Sun, and a red triangle at the time shown in the main window.
// The picture is computed by DayView (src/shading); this window reads the pictures, forwards the
// main window's calls and paints. Closing it only hides it.
#pragma once

#include <QWidget>
#include <memory>

#include "app/shared_state.h"

namespace heliomark {

class DayView;
class FormMove;
class PixelPicture;
class TimePicker;

class DayViewWindow : public QWidget {
    Q_OBJECT

  public:
    // A top-level window owned by `owner` (the main window), created hidden. It reads graf.bmp and the
    // two axis strips from the program folder; one that cannot be read is shown grey and reported.
    // The day's clock is the main window's time picker `timeP`.
    DayViewWindow(SharedState& state, const TimePicker& timeP, QWidget* owner);
    ~DayViewWindow() override;

    // Shades the landscape, draws the curve and places the pointer for the date, place and zone in
    // SharedState and the time in the time picker. SharedState's Altitude and Azimuth are kept.
    void UpdateGrafData();
    // Moves the time pointer to pixel column posX (0 .. 343 over the day); isRefresh first erases
    // the old pointer and repaints.
    void UpdatePointer(int posX, bool isRefresh);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    SharedState& state_;
    const TimePicker& timeP_;
    std::unique_ptr<DayView> view_;
    PixelPicture* picRes = nullptr;
    QWidget* Image1 = nullptr;  // hours under the plot
    QWidget* Image2 = nullptr;  // altitudes left of the plot
    FormMove* mover_ = nullptr;
};

}  // namespace heliomark
