#include "ui/views/sky_view.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>
#include <initializer_list>

#include "ui/controls/angle_picker.h"
#include "ui/controls/form_move.h"
#include "ui/tool_tips.h"
#include "ui/views/sky_view_rules.h"

namespace heliomark {

namespace {

// The picture's size: 4575 x 3135 twips.
constexpr int PictureWidth = 305;
constexpr int PictureHeight = 209;

// Layout in pixels: the picture on the left, the view properties beside it, the hint below.
constexpr int Margin = 6;
constexpr int PanelX = Margin + PictureWidth + 8;
constexpr int PanelWidth = 236;
constexpr int InputX = PanelX + 66;
constexpr int WindowHeight = Margin + PictureHeight + 4 + 18 + Margin;

// Shows the surface's image; the sky view handles its mouse events.
class SkyPicture : public QWidget {
  public:
    SkyPicture(QtDrawSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, surface_.Image());
    }

  private:
    QtDrawSurface& surface_;
};

template <typename T>
T* Place(T* control, const char* name, int x, int y, int w, int h) {
    control->setObjectName(name);
    control->setGeometry(x, y, w, h);
    return control;
}

QScrollBar* AddScrollBar(QWidget* parent, const char* name, int y, int min, int max, int value) {
    auto* bar = Place(new QScrollBar(Qt::Horizontal, parent), name, InputX, y + 2, 112, 17);
    bar->setRange(min, max);
    bar->setSingleStep(1);
    bar->setPageStep(10);
    bar->setValue(value);
    return bar;
}

}  // namespace

SkyView::SkyView(SharedState& state, QWidget* owner)
    : QWidget(owner, Qt::Window), state_(state), surface_(PictureWidth, PictureHeight) {
    setObjectName("frm3D");
    setWindowTitle("Sky View");
    BuildControls();
    surface_.SetView(Pic1);
    surface_.SetFont(font());

    // The load: the window mover, the initial view, then the model, drawn once built.
    mover_ = new FormMove(this);
    mover_->SetFormObject(this);
    Distance = 1;
    Zoom = 1;
    ViewAlt = ViewAzm = 0;
    ShowTrack = false;
    UseRef = true;
    IsOutside = false;
    IsLocked = false;
    apAlt->SetValue(0);
    apAzm->SetValue(0);
    model_ = std::make_unique<SkyModel>(state_.Settings, surface_);
    model_->BuildModel(true);
    model_->SetParallelsDensity(state_.Settings.ParallelsDensity);
    model_->SetMeridiansDensity(state_.Settings.MeridiansDensity);
}

SkyView::~SkyView() = default;

void SkyView::BuildControls() {
    Pic1 = Place(new SkyPicture(surface_, this), "Pic1", Margin, Margin, PictureWidth, PictureHeight);
    Pic1->installEventFilter(this);

    auto* heading = Place(new QLabel(" View Properties", this), "Label4", PanelX, Margin, PanelWidth, 18);
    heading->setAutoFillBackground(true);
    heading->setBackgroundRole(QPalette::Dark);
    heading->setForegroundRole(QPalette::BrightText);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    chkTrack = Place(new QCheckBox("Show sun's path", this), "chkTrack", PanelX, 28, PanelWidth, 20);
    chkRef = Place(new QCheckBox("Use altitude with refraction correction", this), "chkRef", PanelX, 50,
                   PanelWidth, 20);
    chkRef->setChecked(true);
    chkCenter = Place(new QCheckBox("Center on Sun", this), "chkCenter", PanelX, 72, PanelWidth, 20);
    optIn = Place(new QRadioButton("Inside", this), "optIn", PanelX, 96, 90, 20);
    optIn->setChecked(true);
    optOut = Place(new QRadioButton("Outside", this), "optOut", PanelX + 90, 96, 90, 20);

    Place(new QLabel("Azimuth:", this), "lblAzm", PanelX, 122, 64, 20);
    apAzm = new AnglePicker(this);
    apAzm->setObjectName("apAzm");
    apAzm->move(InputX, 122);
    Place(new QLabel("Altitude:", this), "lblAlt", PanelX, 146, 64, 20);
    apAlt = new AnglePicker(this);
    apAlt->setObjectName("apAlt");
    apAlt->move(InputX, 146);

    Place(new QLabel("Zoom:", this), "lblZoom", PanelX, 170, 64, 20);
    scrZoom = AddScrollBar(this, "scrZoom", 170, ZoomScrollMin, ZoomScrollMax, 0);
    txtZoom = Place(new QLineEdit("1", this), "txtZoom", InputX + 118, 169, 52, 21);
    Place(new QLabel("Distance:", this), "lblDist", PanelX, 194, 64, 20);
    scrDist = AddScrollBar(this, "scrDist", 194, DistanceScrollMin, DistanceScrollMax, 10);
    scrDist->setEnabled(false);
    txtDist = Place(new QLineEdit("1", this), "txtDist", InputX + 118, 193, 52, 21);
    txtDist->setEnabled(false);
    txtZoom->installEventFilter(this);
    txtDist->installEventFilter(this);

    auto* hint = Place(new QLabel("Use left mouse button to turn view, right button to zoom.", this),
                       "Label1", Margin, Margin + PictureHeight + 4, PanelX + PanelWidth - Margin, 18);

    // The panel is as wide as its longest caption in the font in use.
    const int panel = std::max(PanelWidth, chkRef->sizeHint().width());
    for (QWidget* w : std::initializer_list<QWidget*>{heading, chkTrack, chkRef, chkCenter})
        w->resize(panel, w->height());
    hint->resize(PanelX + panel - Margin, hint->height());
    setFixedSize(PanelX + panel + Margin, WindowHeight);

    const QString
        zoom = "Zoom of the view, 0.5 to 100 times",
        distance =
            "Distance of the eye from the sky's centre, seen from outside: 0.1 to 10 sphere radii beyond it";
    SetToolTips(this,
                {
                    {"chkTrack", "Draws the Sun's path over the whole day"},
                    {"chkRef", "Draws the Sun at its altitude after refraction, as it is seen"},
                    {"chkCenter", "Keeps the Sun in the middle of the view"},
                    {"optIn", "Looks at the sky from the observer's place, inside the celestial sphere"},
                    {"optOut", "Looks at the celestial sphere from outside"},
                    {"apAzm", "Azimuth of the view's direction: degrees from north through east"},
                    {"apAlt", "Altitude of the view's direction: degrees above the horizon, -90 to 90"},
                    {"scrZoom", zoom},
                    {"txtZoom", zoom + "; Enter takes a typed number"},
                    {"scrDist", distance},
                    {"txtDist", distance + "; Enter takes a typed number"},
                });

    connect(apAlt, &AnglePicker::Updated, this, &SkyView::apAlt_Updated);
    connect(apAzm, &AnglePicker::Updated, this, &SkyView::apAzm_Updated);
    connect(chkCenter, &QCheckBox::clicked, this, &SkyView::chkCenter_Click);
    connect(chkRef, &QCheckBox::clicked, this, &SkyView::chkRef_Click);
    connect(chkTrack, &QCheckBox::clicked, this, &SkyView::chkTrack_Click);
    connect(optIn, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optIn_Click();
    });
    connect(optOut, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optOut_Click();
    });
    connect(scrDist, &QScrollBar::valueChanged, this, &SkyView::scrDist_Change);
    connect(scrZoom, &QScrollBar::valueChanged, this, &SkyView::scrZoom_Change);
}

// ---------------------------------------------------------------- the Sun and the camera

void SkyView::UpdateSkyData() {
    model_->SetSunPosition(state_.Azimuth, UseRef ? VisAlt : state_.Altitude);
    if (IsLocked) CenterOnSun();
    if (ShowTrack) model_->ComputeSunPath(state_);
    model_->DrawScene();
}

void SkyView::CenterOnSun() {
    // The geometric altitude, even when the Sun is drawn at its refracted one.
    const double sunAlt = state_.Altitude, sunAzm = state_.Azimuth;
    ViewAlt = RadToDeg(sunAlt);
    ViewAzm = RadToDeg(sunAzm);
    SetPickers();
    if (IsOutside) {
        PlaceCameraOutside(sunAlt, sunAzm, Distance + 1);
    } else {
        model_->SkyCamera.AnV = static_cast<float>(sunAlt);
        model_->SkyCamera.AnH = static_cast<float>(-sunAzm);
    }
    model_->DrawScene();
}

void SkyView::PlaceCameraOutside(double alt, double azm, double r) {
    heliomark::PlaceCameraOutside(model_->SkyCamera, alt, azm, r);
}

void SkyView::PlaceCamera() {
    if (IsOutside)
        PlaceCameraOutside(DegToRad(ViewAlt), DegToRad(ViewAzm), Distance + 1);
    else
        AimFromCentre(model_->SkyCamera, ViewAlt, ViewAzm);
}

void SkyView::SetPickers() {
    apAzm->SetValue(ViewAzm);
    apAlt->SetValue(ViewAlt);
}

void SkyView::SetQuietly(QScrollBar* bar, int value) {
    const bool wasBusy = Busy;
    Busy = true;
    bar->setValue(value);
    Busy = wasBusy;
}

// ---------------------------------------------------------------- controls

void SkyView::apAlt_Updated() {
    if (IsLocked) {
        apAlt->SetValue(ViewAlt);  // a locked view springs back
        return;
    }
    ViewAlt = apAlt->Value();
    if (ViewAlt > 90 || ViewAlt < -90) {
        ViewAlt = ViewAlt > 90 ? 90 : -90;
        apAlt->SetValue(ViewAlt);
    }
    PlaceCamera();
    model_->DrawScene();
}

void SkyView::apAzm_Updated() {
    if (IsLocked) apAzm->SetValue(ViewAzm);
    ViewAzm = apAzm->Value();
    PlaceCamera();
    model_->DrawScene();
}

void SkyView::chkCenter_Click() {
    IsLocked = chkCenter->isChecked();
    if (IsLocked) CenterOnSun();
}

void SkyView::chkRef_Click() {
    UseRef = chkRef->isChecked();
    UpdateSkyData();
}

void SkyView::chkTrack_Click() {
    if (chkTrack->isChecked()) model_->ComputeSunPath(state_);
    ShowTrack = chkTrack->isChecked();
    model_->ShowSunPath(ShowTrack);
    model_->DrawScene();
}

void SkyView::optIn_Click() {
    IsOutside = false;
    model_->SkyCamera.X = 0;
    model_->SkyCamera.Z = 0;
    model_->SkyCamera.Y = 0;
    AimFromCentre(model_->SkyCamera, ViewAlt, ViewAzm);
    SetQuietly(scrZoom, 10);  // zoom 1.26
    txtDist->setEnabled(false);
    scrDist->setEnabled(false);
    model_->DrawScene();
}

void SkyView::optOut_Click() {
    IsOutside = true;
    txtDist->setEnabled(true);
    scrDist->setEnabled(true);
    SetQuietly(scrZoom, 40);  // zoom 2.51
    Distance = 7;
    PlaceCameraOutside(DegToRad(ViewAlt), DegToRad(ViewAzm), 8);
    SetQuietly(scrDist, 70);
    model_->DrawScene();
}

void SkyView::scrDist_Change(int value) {
    Distance = DistanceOf(value);
    txtDist->setText(QString::fromStdString(DistanceText(Distance)));
    if (Busy) return;
    PlaceCameraOutside(DegToRad(ViewAlt), DegToRad(ViewAzm), Distance + 1);
    model_->DrawScene();
}

void SkyView::scrZoom_Change(int value) {
    Zoom = ZoomOf(value);
    txtZoom->setText(QString::fromStdString(ZoomText(Zoom)));
    model_->SetViewField(static_cast<float>(SkyViewField / Zoom));
    if (!Busy) model_->DrawScene();
}

void SkyView::txtDist_Enter() {
    const DistanceEntry entry = DistanceEntryForText(txtDist->text().toStdString());
    txtDist->setText(QString::fromStdString(entry.Text));
    if (scrDist->value() == entry.Scroll)
        txtDist->setText(QString::fromStdString(DistanceText(Distance)));  // the distance in effect
    else
        scrDist->setValue(entry.Scroll);
}

void SkyView::txtZoom_Enter() {
    const int value = ZoomScrollForText(txtZoom->text().toStdString());
    if (scrZoom->value() == value)
        txtZoom->setText(QString::fromStdString(ZoomText(Zoom)));  // the zoom in effect
    else
        scrZoom->setValue(value);
}

// ---------------------------------------------------------------- the picture

QPointF SkyView::PictureCoordinates(QPointF pixel) const {
    return surface_.SurfacePoint(pixel);
}

void SkyView::Pic1_MouseDown(QPointF at) {
    DragX = static_cast<float>(at.x());
    DragY = static_cast<float>(at.y());
}

void SkyView::Pic1_MouseMove(QPointF at, Qt::MouseButtons buttons) {
    const float x = static_cast<float>(at.x()), y = static_cast<float>(at.y());
    if (buttons == Qt::LeftButton && !IsLocked) {
        TurnView(ViewAlt, ViewAzm, x - DragX, y - DragY, IsOutside, Zoom);
        SetPickers();
        PlaceCamera();
        model_->DrawScene();
    } else if (buttons == Qt::RightButton) {
        scrZoom->setValue(ZoomScrollAfterDrag(scrZoom->value(), x - DragX));  // redraws
    } else {
        return;  // the drag position stays where it was
    }
    DragX = x;
    DragY = y;
}

void SkyView::Pic1_DblClick() {
    if (optIn->isChecked()) scrZoom->setValue(0);  // zoom 1
}

bool SkyView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Pic1) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                Pic1_MouseDown(PictureCoordinates(static_cast<QMouseEvent*>(event)->position()));
                return true;
            case QEvent::MouseMove: {
                const auto* me = static_cast<QMouseEvent*>(event);
                Pic1_MouseMove(PictureCoordinates(me->position()), me->buttons());
                return true;
            }
            case QEvent::MouseButtonDblClick:
                Pic1_DblClick();
                return true;
            default:
                return false;
        }
    }
    if ((watched == txtZoom || watched == txtDist) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        if (watched == txtZoom)
            txtZoom_Enter();
        else
            txtDist_Enter();
        return true;  // Enter is swallowed
    }
    return QWidget::eventFilter(watched, event);
}

void SkyView::closeEvent(QCloseEvent* event) {
    // The user's close only hides the window; it lives as long as the main window.
    event->ignore();
    hide();
}

}  // namespace heliomark
