// The sky view (frm3D): the observer's celestial sphere with its grid, the cardinal labels, the Sun
// and, on request, the Sun's path over the day, seen from the centre ("Inside") or from outside.
// The left mouse button turns the view, the right button zooms; two angle pickers set the view
// direction; "Center on Sun" locks the view on the Sun.
//
// The main window sets VisAlt (the Sun's altitude after refraction) and calls UpdateSkyData whenever
// the Sun moves while the view is shown; the Sun's geometric altitude and azimuth are read from the
// shared state, where the main window's current-position computation leaves them. Closing the window
// only hides it; its view survives hiding and showing.
#pragma once

#include <QWidget>
#include <memory>

#include "app/shared_state.h"
#include "scene3d/sky_model.h"
#include "ui/views/qt_draw_surface.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace heliomark {

class AnglePicker;
class FormMove;

class SkyView : public QWidget {
    Q_OBJECT

  public:
    // A top-level window owned by `owner` (the main window), created hidden with its model built:
    // the load of the window. `state` must outlive it.
    SkyView(SharedState& state, QWidget* owner);
    ~SkyView() override;

    // Moves the Sun (to VisAlt when UseRef, else to its geometric altitude), follows it when
    // IsLocked, recomputes the path when ShowTrack, and redraws.
    void UpdateSkyData();

    // ------------------------------------------------------------ public fields
    bool ShowTrack = false;  // the Sun's path is shown
    bool UseRef = true;      // the Sun stands at its refracted altitude
    bool IsOutside = false;  // the camera is outside the sphere
    double VisAlt = 0;       // radians: the Sun's altitude after refraction, set by the main window
    bool IsLocked = false;   // the view follows the Sun

    // The scene and its surface, for the settings dialog's grid hooks and for tests.
    SkyModel& Model() { return *model_; }
    QtDrawSurface& Surface() { return surface_; }
    // The view direction, degrees.
    double ViewAltitude() const { return ViewAlt; }
    double ViewAzimuth() const { return ViewAzm; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void CenterOnSun();
    void PlaceCameraOutside(double alt, double azm, double r);
    // The camera for the current view direction: on the sphere's outside at Distance + 1, or at the
    // centre.
    void PlaceCamera();
    void SetPickers();
    // A scroll bar set from code without its own redraw.
    void SetQuietly(QScrollBar* bar, int value);

    void apAlt_Updated();
    void apAzm_Updated();
    void chkCenter_Click();
    void chkRef_Click();
    void chkTrack_Click();
    void optIn_Click();
    void optOut_Click();
    void scrDist_Change(int value);
    void scrZoom_Change(int value);
    void txtDist_Enter();
    void txtZoom_Enter();
    void Pic1_MouseDown(QPointF at);
    void Pic1_MouseMove(QPointF at, Qt::MouseButtons buttons);
    void Pic1_DblClick();
    // A pixel position on Pic1 in the picture's coordinates (origin at the centre, x to the left,
    // y upward).
    QPointF PictureCoordinates(QPointF pixel) const;

    SharedState& state_;
    QtDrawSurface surface_;  // before the model, which draws on it
    std::unique_ptr<SkyModel> model_;
    FormMove* mover_ = nullptr;

    float DragX = 0, DragY = 0;  // last mouse position on the picture
    double ViewAlt = 0;          // degrees
    double ViewAzm = 0;          // degrees, from north through east
    double Distance = 1;         // scrDist value / 10
    bool Busy = false;           // the window is setting its own scroll bars: no redraw
    double Zoom = 1;             // 10^(scrZoom value / 100)

    QWidget* Pic1 = nullptr;
    QCheckBox* chkTrack = nullptr;
    QCheckBox* chkRef = nullptr;
    QCheckBox* chkCenter = nullptr;
    QRadioButton* optIn = nullptr;
    QRadioButton* optOut = nullptr;
    AnglePicker* apAzm = nullptr;
    AnglePicker* apAlt = nullptr;
    QScrollBar* scrZoom = nullptr;
    QLineEdit* txtZoom = nullptr;
    QScrollBar* scrDist = nullptr;
    QLineEdit* txtDist = nullptr;
};

}  // namespace heliomark
