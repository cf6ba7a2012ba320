// The sky view in the running program: opened from the View menu centred on the Sun, turned and
// zoomed with the mouse, switched inside and outside, and its boxes. What was drawn is read from the
// scene (the camera, the Sun's record) and from the surface's frame count, not from pixels.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "../main/program_fixture.h"
#include "ui/controls/angle_picker.h"
#include "ui/views/sky_view.h"
#include "ui/views/sky_view_rules.h"

namespace heliomark::testing {
namespace {

class SkyViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_.WriteStandardData("Berlin");
        p_ = std::make_unique<Program>(folder_);
        p_->Find<QAction>("mnu3D")->trigger();
        sky_ = p_->Find<SkyView>("frm3D");
        ASSERT_NE(sky_, nullptr);
        pic_ = p_->Find("Pic1");
    }

    // A mouse event on the picture at pixel `at` with `buttons` held.
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(at), pic_->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(pic_, &e);
    }
    // Press at `from`, move to `to` with the button held, release.
    void Drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(QEvent::MouseButtonPress, from, button, button);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, button);
        Mouse(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
    }
    void TypeEnter(const char* box, const QString& text) {
        auto* edit = p_->Find<QLineEdit>(box);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    int Frames() { return sky_->Surface().FrameCount(); }
    int ZoomValue() { return p_->Find<QScrollBar>("scrZoom")->value(); }
    const Camera& Cam() { return sky_->Model().SkyCamera; }
    const Circle3D& Sun() { return DataAt(sky_->Model().SkyObject(9).DataIndex).Circles.at(0); }

    ProgramFolder folder_;
    std::unique_ptr<Program> p_;
    SkyView* sky_ = nullptr;
    QWidget* pic_ = nullptr;
};

TEST_F(SkyViewTest, StartsWithItsCaptionsAndValues) {
    auto* view = p_->Find<QMenu>("mnuView");
    ASSERT_FALSE(view->actions().isEmpty());
    EXPECT_EQ(view->actions().first()->objectName(), "mnu3D") << "first in the View menu";
    EXPECT_EQ(p_->Find<QAction>("mnu3D")->text(), "S&ky View");
    EXPECT_EQ(p_->Find("fb3D")->toolTip(), "Sky View");
    EXPECT_EQ(pic_->size(), QSize(305, 209));
    EXPECT_EQ(p_->Find<QCheckBox>("chkTrack")->text(), "Show sun's path");
    EXPECT_FALSE(p_->Find<QCheckBox>("chkTrack")->isChecked());
    EXPECT_EQ(p_->Find<QCheckBox>("chkRef")->text(), "Use altitude with refraction correction");
    EXPECT_TRUE(p_->Find<QCheckBox>("chkRef")->isChecked());
    EXPECT_EQ(p_->Find<QCheckBox>("chkCenter")->text(), "Center on Sun");
    EXPECT_TRUE(p_->Find<QRadioButton>("optIn")->isChecked());
    EXPECT_EQ(p_->Find<QRadioButton>("optOut")->text(), "Outside");
    EXPECT_EQ(p_->Text("txtZoom"), "1");
    EXPECT_EQ(p_->Text("txtDist"), "1");
    EXPECT_FALSE(p_->Find("txtDist")->isEnabled());
    auto* dist = p_->Find<QScrollBar>("scrDist");
    EXPECT_EQ(dist->value(), 10);
    EXPECT_FALSE(dist->isEnabled());
    auto* zoom = p_->Find<QScrollBar>("scrZoom");
    EXPECT_EQ(zoom->minimum(), -30);
    EXPECT_EQ(zoom->maximum(), 200);
    EXPECT_EQ(zoom->pageStep(), 10);
    EXPECT_EQ(p_->Find<QLabel>("Label4")->text(), " View Properties");
    EXPECT_EQ(p_->Find<QLabel>("Label1")->text(),
              "Use left mouse button to turn view, right button to zoom.");
}

TEST_F(SkyViewTest, OpensCentredOnTheSunAndUnlocked) {
    const SharedState& s = p_->Main().State();
    EXPECT_TRUE(sky_->isVisible());
    EXPECT_FALSE(sky_->IsLocked);
    EXPECT_DOUBLE_EQ(sky_->ViewAltitude(), RadToDeg(s.Altitude));
    EXPECT_DOUBLE_EQ(sky_->ViewAzimuth(), RadToDeg(s.Azimuth));
    EXPECT_FLOAT_EQ(Cam().AnV, static_cast<float>(s.Altitude));
    EXPECT_FLOAT_EQ(Cam().AnH, static_cast<float>(-s.Azimuth));
    EXPECT_NEAR(p_->Number("apAlt", "Value"), RadToDeg(s.Altitude), 1e-6);
    // The Sun stands at the refracted altitude the main window computed and shows.
    EXPECT_EQ(sky_->VisAlt, p_->Main().VisAlt);
    EXPECT_FLOAT_EQ(Sun().Z, static_cast<float>(std::sin(sky_->VisAlt)));
}

TEST_F(SkyViewTest, OutsideMovesTheCameraOutAndDrawsOnce) {
    const int before = Frames();
    p_->Find<QRadioButton>("optOut")->click();
    EXPECT_EQ(Frames(), before + 1);
    EXPECT_EQ(p_->Text("txtDist"), "7");
    EXPECT_EQ(p_->Find<QScrollBar>("scrDist")->value(), 70);
    EXPECT_EQ(p_->Text("txtZoom"), "2.51");
    EXPECT_TRUE(p_->Find("scrDist")->isEnabled());
    EXPECT_TRUE(p_->Find("txtDist")->isEnabled());
    EXPECT_NEAR(std::hypot(Cam().X, Cam().Y, Cam().Z), 8, 1e-5);

    p_->Find<QRadioButton>("optIn")->click();
    EXPECT_EQ(Frames(), before + 2);
    EXPECT_EQ(p_->Text("txtZoom"), "1.26");
    EXPECT_FALSE(p_->Find("scrDist")->isEnabled());
    EXPECT_EQ(Cam().X, 0);
    EXPECT_EQ(Cam().Y, 0);
    EXPECT_EQ(Cam().Z, 0);
}

TEST_F(SkyViewTest, UpwardDragInsideAtZoomTwoLowersTheView) {
    TypeEnter("txtZoom", "2");
    ASSERT_EQ(ZoomValue(), 30);  // zoom 10^0.3, the nearest the scroll bar gets to 2
    const double alt = sky_->ViewAltitude(), azm = sky_->ViewAzimuth();
    Drag({100, 100}, {100, 90});
    EXPECT_NEAR(sky_->ViewAltitude(), alt - 10 / std::pow(10, 0.3), 1e-9);
    EXPECT_DOUBLE_EQ(sky_->ViewAzimuth(), azm);
    EXPECT_FLOAT_EQ(Cam().AnV, static_cast<float>(DegToRad(sky_->ViewAltitude())));
    EXPECT_NEAR(p_->Number("apAlt", "Value"), sky_->ViewAltitude(), 1e-6);
}

TEST_F(SkyViewTest, DraggingPastTheZenithStopsThere) {
    Drag({100, 50}, {100, 200});  // downward raises the view
    EXPECT_EQ(sky_->ViewAltitude(), 90);
    EXPECT_EQ(p_->Number("apAlt", "Value"), 90);
}

TEST_F(SkyViewTest, AzimuthWrapsAcrossNorth) {
    // 359.5 dragged rightward by one pixel gives 358.5; from 359.5 leftward by one, 0.5.
    const std::pair<int, double> cases[] = {{101, 358.5}, {99, 0.5}};
    for (const auto& [toX, want] : cases) {
        p_->TypeInto("apAzm", "txtDeg", "359");
        p_->TypeInto("apAzm", "txtMin", "30");
        p_->TypeInto("apAzm", "txtSec", "0");
        ASSERT_EQ(sky_->ViewAzimuth(), 359.5);
        Drag({100, 100}, {toX, 100});
        EXPECT_DOUBLE_EQ(sky_->ViewAzimuth(), want) << "to x " << toX;
        EXPECT_FLOAT_EQ(Cam().AnH, static_cast<float>(-DegToRad(want))) << "to x " << toX;
        EXPECT_DOUBLE_EQ(p_->Number("apAzm", "Value"), want) << "to x " << toX;
    }
}

TEST_F(SkyViewTest, LockedViewRefusesTurningButZooms) {
    p_->Find<QCheckBox>("chkCenter")->click();
    ASSERT_TRUE(sky_->IsLocked);
    const double alt = sky_->ViewAltitude(), azm = sky_->ViewAzimuth();
    const int frames = Frames();
    Drag({100, 100}, {140, 60});
    EXPECT_EQ(sky_->ViewAltitude(), alt);
    EXPECT_EQ(sky_->ViewAzimuth(), azm);
    EXPECT_EQ(Frames(), frames) << "a refused drag draws nothing";

    Drag({100, 100}, {120, 100}, Qt::RightButton);  // rightward zooms in
    EXPECT_EQ(ZoomValue(), 20);
    EXPECT_EQ(p_->Text("txtZoom"), "1.58");
    EXPECT_EQ(Frames(), frames + 1);

    p_->TypeInto("apAlt", "txtDeg", "10");  // the picker springs back
    EXPECT_NEAR(p_->Number("apAlt", "Value"), alt, 1e-6);
    EXPECT_EQ(sky_->ViewAltitude(), alt);
}

TEST_F(SkyViewTest, AltitudePickerIsKeptWithinTheSky) {
    p_->TypeInto("apAlt", "txtDeg", "-120");
    EXPECT_EQ(sky_->ViewAltitude(), -90);
    EXPECT_EQ(p_->Number("apAlt", "Value"), -90);
    EXPECT_FLOAT_EQ(Cam().AnV, static_cast<float>(DegToRad(-90)));
}

TEST_F(SkyViewTest, UncheckingRefractionMovesTheSunAtOnce) {
    p_->TypeInto("TimeP", "txtHour", "5");  // a low Sun, lifted visibly by refraction
    p_->TypeInto("TimeP", "txtMin", "0");
    const double geometric = p_->Main().State().Altitude;
    ASSERT_GT(sky_->VisAlt - geometric, DegToRad(0.1));
    EXPECT_FLOAT_EQ(Sun().Z, static_cast<float>(std::sin(sky_->VisAlt)));
    const int frames = Frames();
    p_->Find<QCheckBox>("chkRef")->click();
    EXPECT_FALSE(sky_->UseRef);
    EXPECT_FLOAT_EQ(Sun().Z, static_cast<float>(std::sin(geometric)));
    EXPECT_EQ(Frames(), frames + 1);
}

TEST_F(SkyViewTest, ZoomBoxWithoutALogarithmGivesTheMinimum) {
    for (const char* text : {"0", "-5", "abc"}) {
        p_->Find<QScrollBar>("scrZoom")->setValue(50);
        TypeEnter("txtZoom", text);
        EXPECT_EQ(ZoomValue(), -30) << text;
        EXPECT_EQ(p_->Text("txtZoom"), "0.5") << text;
        EXPECT_FLOAT_EQ(sky_->Model().Scene.ViewField(), static_cast<float>(0.7f / std::pow(10, -0.3)))
            << text;
        TypeEnter("txtZoom", text);  // already at the minimum: the box shows the zoom in effect
        EXPECT_EQ(p_->Text("txtZoom"), "0.5") << text;
    }
}

TEST_F(SkyViewTest, DistanceBoxMovesTheOutsideCamera) {
    p_->Find<QRadioButton>("optOut")->click();
    const std::pair<const char*, int> cases[] = {{"0.55", 6}, {"50", 100}, {"x", 1}};
    for (const auto& [text, scroll] : cases) {
        TypeEnter("txtDist", text);
        EXPECT_EQ(p_->Find<QScrollBar>("scrDist")->value(), scroll) << text;
        EXPECT_EQ(p_->Text("txtDist").toStdString(), DistanceText(scroll / 10.0)) << text;
        EXPECT_NEAR(std::hypot(Cam().X, Cam().Y, Cam().Z), scroll / 10.0 + 1, 1e-5) << text;
    }
}

TEST_F(SkyViewTest, DoubleClickResetsTheZoomOnlyInside) {
    p_->Find<QScrollBar>("scrZoom")->setValue(50);
    Mouse(QEvent::MouseButtonDblClick, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(ZoomValue(), 0);

    p_->Find<QRadioButton>("optOut")->click();
    const int frames = Frames();
    Mouse(QEvent::MouseButtonDblClick, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(ZoomValue(), 40);
    EXPECT_EQ(Frames(), frames);
}

TEST_F(SkyViewTest, PathIsComputedWhenShown) {
    const double altitude = p_->Main().State().Altitude;
    p_->Find<QCheckBox>("chkTrack")->click();
    EXPECT_TRUE(sky_->ShowTrack);
    EXPECT_TRUE(sky_->Model().SkyObject(10).Visible());
    const ObjectData& path = DataAt(sky_->Model().SkyObject(10).DataIndex);
    // Point 1 is the Sun at 00:00 of the day, not the placeholder (0, 1, 1).
    SolarState st = p_->Main().State();
    ComputeCurrentPosition(st, 0, 0, 0);
    EXPECT_FLOAT_EQ(path.Points.at(0).Z, static_cast<float>(std::sin(st.Altitude)));
    EXPECT_EQ(p_->Main().State().Altitude, altitude) << "the current position is kept";
}

TEST_F(SkyViewTest, SettingsDialogRebuildsAndShowsTheGridAtOnce) {
    const int frames = Frames();
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->findChild<QScrollBar*>("scrQlty")->setValue(8);
        d->findChild<QComboBox*>("cmbHor")->setCurrentIndex(4);  // 15°
        d->findChild<QComboBox*>("cmbVer")->setCurrentIndex(2);  // 45°
        d->findChild<QPushButton*>("cmdOK")->click();
    });
    p_->Find<QAction>("mnuOpt")->trigger();
    EXPECT_EQ(DataAt(sky_->Model().SkyObject(1).DataIndex).PointsCount(), 8) << "horizon in 8 segments";
    const bool shown[] = {true, true, true, true, true, true, false, false};
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(sky_->Model().SkyObject(k).Visible(), shown[k - 1]) << "object " << k;
    EXPECT_GE(Frames(), frames + 2) << "rebuilt and redrawn while shown";
}

TEST_F(SkyViewTest, CloseBoxHidesTheWindowWhichKeepsUpdating) {
    sky_->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(p_->Main().findChild<QWidget*>("frm3D"), sky_);
    EXPECT_FALSE(sky_->isVisible());
    EXPECT_TRUE(p_->Main().Ext3D);
    const float z = Sun().Z;
    p_->TypeInto("TimeP", "txtHour", "8");
    EXPECT_NE(Sun().Z, z) << "the hidden view still follows the Sun";
}

}  // namespace
}  // namespace heliomark::testing
