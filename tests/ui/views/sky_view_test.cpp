// The sky view in the running program, turned and zoomed with the mouse; and its arithmetic.
#include <QCheckBox>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>

#include "scene3d/draw3d.h"
#include "support/test_support.h"
#include "ui/views/qt_draw_surface.h"
#include "ui/views/sky_view.h"
#include "ui/views/sky_view_rules.h"

namespace heliomark::testing {
namespace {

class SkyViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        p.Show("mnu3D");
        sky = p.Find<SkyView>("frm3D");
        pic = p.Find("Pic1");
    }
    double Alt() { return p.Number("apAlt", "Value"); }
    double Azm() { return p.Number("apAzm", "Value"); }
    int Zoom() { return p.Find<QScrollBar>("scrZoom")->value(); }
    int Frames() { return sky->Surface().FrameCount(); }
    QImage Sky() { return pic->grab().toImage(); }
    // A click near the left edge: a check box takes clicks only on its box and caption.
    void Toggle(const char* box) { Click(p.Find(box), QPoint(6, 8)); }
    bool DistanceEnabled() { return p.Find("txtDist")->isEnabled() && p.Find("scrDist")->isEnabled(); }
    double CameraDistance() {
        const Camera& cam = sky->Model().SkyCamera;
        return std::hypot(cam.X, cam.Y, cam.Z);
    }
    void DoubleClick() {
        SendMouse(pic, QEvent::MouseButtonDblClick, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    }

    ProgramFolder folder{"Berlin"};
    Program p{folder};
    SkyView* sky = nullptr;
    QWidget* pic = nullptr;
};

TEST_F(SkyViewTest, OpensCentredOnTheSunInsideAndOutsideMovesTheCameraOutAndInsideBack) {
    EXPECT_NEAR(Alt(), p.Text("txtCurAlt").chopped(1).toDouble(), 0.001) << "where the main window says";
    EXPECT_NEAR(Azm(), p.Text("txtCurAzm").chopped(1).toDouble(), 0.001);
    EXPECT_EQ(p.Text("txtZoom") + " " + p.Text("txtDist"), "1 1");
    EXPECT_TRUE(p.Find<QRadioButton>("optIn")->isChecked() && p.Find<QCheckBox>("chkRef")->isChecked() &&
                !p.Find<QCheckBox>("chkTrack")->isChecked() && !DistanceEnabled());
    const int frames = Frames();
    const QImage inside = Sky();
    Toggle("optOut");
    EXPECT_EQ(Frames(), frames + 1);
    EXPECT_EQ(p.Text("txtDist") + " " + p.Text("txtZoom"), "7 2.51");
    EXPECT_TRUE(p.Find<QScrollBar>("scrDist")->value() == 70 && DistanceEnabled() && Sky() != inside);
    EXPECT_NEAR(CameraDistance(), 8, 1e-5);
    Toggle("optIn");
    EXPECT_EQ(Frames(), frames + 2);
    EXPECT_EQ(p.Text("txtZoom"), "1.26");
    EXPECT_FALSE(p.Find("txtDist")->isEnabled() || p.Find("scrDist")->isEnabled()) << "one off, both off";
}

TEST_F(SkyViewTest, ALeftDragTurnsTheViewWithinTheSky) {
    p.TypeInto("txtZoom", "2");
    ASSERT_EQ(Zoom(), 30);  // zoom 10^0.3, the nearest the scroll bar gets to 2
    const double alt = Alt(), azm = Azm();
    const QImage before = Sky();
    Drag(pic, {100, 100}, {100, 90});  // upward lowers the view
    EXPECT_NEAR(Alt(), alt - 10 / std::pow(10, 0.3), 1e-6);
    EXPECT_NEAR(Azm(), azm, 1e-9);
    EXPECT_NE(Sky(), before);
    Drag(pic, {100, 50}, {100, 200});  // downward raises it, to the zenith and no further
    EXPECT_EQ(Alt(), 90);
    p.TypeInto("apAlt", "txtDeg", "-120");
    EXPECT_EQ(Alt(), -90);
    p.TypeInto("txtZoom", "1");
    for (const auto& [toX, want] : {std::pair{101, 358.5}, {99, 0.5}}) {  // from 359.5 at zoom 1
        p.TypeInto("apAzm", "txtDeg", "359");
        p.TypeInto("apAzm", "txtMin", "30");
        p.TypeInto("apAzm", "txtSec", "0");
        Drag(pic, {100, 100}, QPointF(toX, 100));
        EXPECT_DOUBLE_EQ(Azm(), want) << "to x " << toX;
    }
}

TEST_F(SkyViewTest, ALockedViewRefusesTurningButZooms) {
    Toggle("chkCenter");
    const double alt = Alt(), azm = Azm();
    const int frames = Frames();
    Drag(pic, {100, 100}, {140, 60});
    EXPECT_TRUE(Alt() == alt && Azm() == azm && Frames() == frames) << "a refused drag draws nothing";
    Drag(pic, {100, 100}, {120, 100}, Qt::RightButton);  // rightward zooms in
    EXPECT_EQ(QString::number(Zoom()) + " " + p.Text("txtZoom"), "20 1.58");
    EXPECT_EQ(Frames(), frames + 1);
    p.TypeInto("apAlt", "txtDeg", "10");  // the picker springs back
    EXPECT_NEAR(Alt(), alt, 1e-6);
}

TEST_F(SkyViewTest, UncheckingRefractionMovesALowSunAtOnce) {
    p.SetTime("5", "0", "0");  // a low Sun, lifted visibly by refraction
    const auto sunHeight = [this] { return DataAt(sky->Model().SkyObject(9).DataIndex).Circles.at(0).Z; };
    const double geometric = p.Main().State().Altitude;
    ASSERT_GT(sky->VisAlt - geometric, DegToRad(0.1));
    EXPECT_FLOAT_EQ(sunHeight(), static_cast<float>(std::sin(sky->VisAlt)));
    const int frames = Frames();
    Toggle("chkRef");
    EXPECT_EQ(Frames(), frames + 1);
    EXPECT_FLOAT_EQ(sunHeight(), static_cast<float>(std::sin(geometric)));
}

TEST_F(SkyViewTest, TheZoomAndDistanceBoxesKeepTheirRangesAndADoubleClickResetsOnlyInside) {
    for (const char* text : {"0", "abc"}) {
        p.Find<QScrollBar>("scrZoom")->setValue(50);
        p.TypeInto("txtZoom", text);
        EXPECT_EQ(Zoom(), -30) << text;
        EXPECT_EQ(p.Text("txtZoom"), "0.5") << text;
        p.TypeInto("txtZoom", text);  // already at the minimum: the box shows the zoom in effect
        EXPECT_EQ(p.Text("txtZoom"), "0.5") << text;
    }
    DoubleClick();
    EXPECT_EQ(Zoom(), 0);
    Toggle("optOut");
    const int frames = Frames();
    DoubleClick();
    EXPECT_EQ(Zoom(), 40);
    EXPECT_EQ(Frames(), frames);
    // A typed distance takes the scroll bar's nearest tenth (halves to even), from 0.1 to 10 even for a
    // number beyond a single's range; the camera stands that far beyond the sphere.
    const std::tuple<const char*, int, const char*> distances[] = {
        {"0.55", 6, "0.6"}, {"0.45", 4, "0.4"}, {"1e300", 100, "10"}, {"x", 1, "0.1"}};
    for (const auto& [text, scroll, shown] : distances) {
        p.TypeInto("txtDist", text);
        EXPECT_EQ(p.Find<QScrollBar>("scrDist")->value(), scroll) << text;
        EXPECT_EQ(p.Text("txtDist"), shown) << text;
        EXPECT_NEAR(CameraDistance(), scroll / 10.0 + 1, 1e-5) << text;
    }
}

TEST(SkyViewRules, ADragTurnsTheViewAndZooms) {
    struct Case {
        double alt, azm;
        float dx, dy;
        bool outside;
        double zoom, wantAlt, wantAzm;
        const char* what;
    } cases[] = {
        {10, 100, 4, 0, false, 2, 10, 102, "leftward 4 px at zoom 2 raises the azimuth by 2"},
        {0, 359, 1, 0, false, 1, 0, 360, "exactly 360 stays"},
        {10, 100, 10, 10, true, 2.51, 0, 90, "outside: a degree a pixel, the other way, whatever the zoom"},
    };
    for (const Case& c : cases) {
        double alt = c.alt, azm = c.azm;
        TurnView(alt, azm, c.dx, c.dy, c.outside, c.zoom);
        EXPECT_DOUBLE_EQ(alt, c.wantAlt) << c.what;
        EXPECT_DOUBLE_EQ(azm, c.wantAzm) << c.what;
    }
    ExpectRows<int>({ROW(ZoomScrollAfterDrag(0, -5), 5), ROW(ZoomScrollAfterDrag(0, 5), -5),
                     ROW(ZoomScrollAfterDrag(0, -2.5f), 2), ROW(ZoomScrollAfterDrag(0, -3.5f), 4),
                     ROW(ZoomScrollAfterDrag(195, -10), 200), ROW(ZoomScrollAfterDrag(-25, 10), -30)});
}

TEST(SkyViewRules, TheZoomBoxTextsAndScrollValues) {
    EXPECT_EQ(ZoomText(ZoomOf(200)), "100");
    ExpectRows<int>({ROW(ZoomScrollForText("100"), 200), ROW(ZoomScrollForText("1e9"), 200),
                     ROW(ZoomScrollForText(""), -30), ROW(ZoomScrollForText("3x"), 48)});
}

TEST(QtDrawSurface, TheOriginIsTheCentreWithXToTheLeftAndYUpward) {
    QtDrawSurface surface(200, 100);
    Draw3D scene;
    scene.DisplayObject(&surface);
    EXPECT_EQ(surface.SurfacePoint({0, 0}), QPointF(100, 50));
    EXPECT_EQ(surface.SurfacePoint({199, 99}), QPointF(-99, -49));
}

}  // namespace
}  // namespace heliomark::testing
