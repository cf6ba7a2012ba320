// The sky view's arithmetic: turning and zooming by mouse, the zoom and distance boxes, the camera
// outside the sphere.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/engine.h"
#include "ui/views/sky_view_rules.h"

namespace heliomark {
namespace {

TEST(SkyViewRules, LeftDragTurnsTheView) {
    struct Case {
        double alt, azm;
        float dx, dy;
        bool outside;
        double zoom;
        double wantAlt, wantAzm;
        const char* what;
    };
    const Case cases[] = {
        {10, 100, 0, 10, false, 2, 5, 100, "upward 10 px at zoom 2 lowers the altitude by 5"},
        {10, 100, 4, 0, false, 2, 10, 102, "leftward 4 px at zoom 2 raises the azimuth by 2"},
        {80, 100, 0, -20, false, 1, 90, 100, "past the zenith stops at 90"},
        {-80, 100, 0, 20, false, 1, -90, 100, "past the nadir stops at -90"},
        {0, 359.5, -1, 0, false, 1, 0, 358.5, "rightward 1 px at zoom 1"},
        {0, 359.5, 1, 0, false, 1, 0, 0.5, "leftward past 360 wraps once"},
        {0, 0.5, -1, 0, false, 1, 0, 359.5, "rightward below 0 wraps once"},
        {0, 359, 1, 0, false, 1, 0, 360, "exactly 360 stays"},
        {10, 100, 10, 10, true, 2.51, 0, 90,
         "outside: one degree per pixel, the other way, whatever the zoom"},
    };
    for (const Case& c : cases) {
        double alt = c.alt, azm = c.azm;
        TurnView(alt, azm, c.dx, c.dy, c.outside, c.zoom);
        EXPECT_DOUBLE_EQ(alt, c.wantAlt) << c.what;
        EXPECT_DOUBLE_EQ(azm, c.wantAzm) << c.what;
    }
}

TEST(SkyViewRules, RightDragZoomsWithinTheScrollRange) {
    struct Case {
        int value;
        float dx;
        int want;
    };
    // A rightward drag has dx < 0 (x grows to the left) and zooms in.
    const Case cases[] = {{0, -5, 5},    {0, 5, -5},      {0, -2.5f, 2},
                          {0, -3.5f, 4}, {195, -10, 200}, {-25, 10, -30}};
    for (const Case& c : cases)
        EXPECT_EQ(ZoomScrollAfterDrag(c.value, c.dx), c.want) << "value " << c.value << " dx " << c.dx;
}

TEST(SkyViewRules, ZoomBoxTextFromTheScrollValue) {
    const std::pair<int, const char*> cases[] = {
        {0, "1"}, {10, "1.26"}, {40, "2.51"}, {200, "100"}, {-30, "0.5"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(ZoomText(ZoomOf(value)), text) << "scroll value " << value;
}

TEST(SkyViewRules, TypedZoomGivesAScrollValueInRange) {
    const std::pair<const char*, int> cases[] = {
        {"1", 0},     {"1.26", 10}, {"2", 30},   {"2.51", 40}, {"100", 200}, {"1e9", 200},
        {"0.5", -30}, {"0", -30},   {"-5", -30}, {"abc", -30}, {"", -30},    {"3x", 48},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ZoomScrollForText(text), value) << '"' << text << '"';
}

TEST(SkyViewRules, TypedDistanceIsBroughtIntoRange) {
    struct Case {
        const char* text;
        float value;
        const char* shown;
        int scroll;
    };
    const Case cases[] = {
        {"7", 70, "7", 70},        {"0.05", 1, "0.1", 1},     {"abc", 1, "0.1", 1},
        {"-3", 1, "0.1", 1},       {"25", 100, "10", 100},    {"1e300", 100, "10", 100},
        {"0.55", 5.5f, "0.55", 6}, {"0.45", 4.5f, "0.45", 4}, {"3.14", 31.4f, "3.14", 31},
    };
    for (const Case& c : cases) {
        const DistanceEntry e = DistanceEntryForText(c.text);
        EXPECT_EQ(e.Value, c.value) << c.text;
        EXPECT_EQ(e.Text, c.shown) << c.text;
        EXPECT_EQ(e.Scroll, c.scroll) << c.text;
    }
    EXPECT_EQ(DistanceText(DistanceOf(70)), "7");
    EXPECT_EQ(DistanceText(DistanceOf(5)), "0.5");
    EXPECT_EQ(DistanceText(DistanceOf(100)), "10");
}

TEST(SkyViewRules, OutsideCameraLooksAtTheCentre) {
    const double cases[][3] = {{0, 0, 8}, {30, 200, 8}, {-45, 90, 1.1}, {89, 359, 11}, {-90, 10, 2}};
    for (const auto& c : cases) {
        Camera cam;
        PlaceCameraOutside(cam, DegToRad(c[0]), DegToRad(c[1]), c[2]);
        EXPECT_NEAR(std::hypot(cam.X, cam.Y, cam.Z), c[2], 1e-5) << c[0] << " " << c[1];
        // The view direction points from the camera to the origin.
        const double view[3] = {std::cos(cam.AnV) * std::cos(cam.AnH), std::cos(cam.AnV) * std::sin(cam.AnH),
                                std::sin(cam.AnV)};
        const double pos[3] = {cam.X, cam.Y, cam.Z};
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(view[i], -pos[i] / c[2], 1e-6) << c[0] << " " << c[1] << " axis " << i;
    }
    Camera cam;
    AimFromCentre(cam, 20, 90);
    EXPECT_FLOAT_EQ(cam.AnV, static_cast<float>(DegToRad(20)));
    EXPECT_FLOAT_EQ(cam.AnH, static_cast<float>(-DegToRad(90)));
}

}  // namespace
}  // namespace heliomark
