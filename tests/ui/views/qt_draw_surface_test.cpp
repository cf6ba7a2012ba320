// The Qt drawing surface: the engine's coordinate system (origin at the centre, x to the left, y
// upward), the program's colours, and frames.
#include <gtest/gtest.h>

#include <QImage>

#include "scene3d/draw3d.h"
#include "ui/views/qt_draw_surface.h"

namespace heliomark {
namespace {

// A 200 x 100 surface set up as the engine sets it up.
class QtDrawSurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override { scene_.DisplayObject(&surface_); }
    QRgb Pixel(int x, int y) { return surface_.Image().pixel(x, y); }

    QtDrawSurface surface_{200, 100};
    Draw3D scene_;
};

TEST_F(QtDrawSurfaceTest, ColoursAreBlueGreenRedWords) {
    EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x00C000), QColor(0, 192, 0));
    EXPECT_EQ(ToQColor(0x00FFFF), QColor(255, 255, 0));
    EXPECT_EQ(ToQColor(0x787878), QColor(120, 120, 120));
}

TEST_F(QtDrawSurfaceTest, SurfacePointsCountFromTheCentreLeftwardAndUpward) {
    const std::pair<QPointF, QPointF> cases[] = {
        {{0, 0}, {100, 50}}, {{100, 50}, {0, 0}}, {{199, 99}, {-99, -49}}, {{40, 40}, {60, 10}}};
    for (const auto& [pixel, point] : cases)
        EXPECT_EQ(surface_.SurfacePoint(pixel), point) << pixel.x() << ", " << pixel.y();
}

TEST_F(QtDrawSurfaceTest, DrawsWhereTheEngineSays) {
    surface_.Clear();
    surface_.Line(60, 10, 20, 10, 0x0000FF);  // red, pixels 40..80 of row 40
    surface_.Circle(-50, -20, 5, 0x00FFFF);   // yellow disc around pixel (150, 70)
    surface_.Print(-60, 40, "N");             // green text from pixel (160, 10)
    EXPECT_EQ(Pixel(60, 40), qRgb(255, 0, 0));
    EXPECT_EQ(Pixel(60, 60), qRgb(0, 0, 0)) << "the background is black";
    EXPECT_EQ(Pixel(150, 70), qRgb(255, 255, 0)) << "the circle is filled";
    int green = 0;
    for (int y = 10; y < 30; ++y)
        for (int x = 160; x < 180; ++x)
            if (qGreen(Pixel(x, y)) > 100 && qRed(Pixel(x, y)) < 50) ++green;
    EXPECT_GT(green, 5) << "the label lies right of and below its anchor";
    int elsewhere = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 200; ++x)
            if (qGreen(Pixel(x, y)) > 100) ++elsewhere;
    EXPECT_EQ(elsewhere, 0) << "nothing above the label's anchor";
}

TEST_F(QtDrawSurfaceTest, ClearStartsANewBlackFrame) {
    const int frames = surface_.FrameCount();
    surface_.Line(60, 10, 20, 10, 0x0000FF);
    surface_.Clear();
    EXPECT_EQ(surface_.FrameCount(), frames + 1);
    EXPECT_EQ(Pixel(60, 40), qRgb(0, 0, 0));
    surface_.Line(60, 10, 20, 10, 0xFFFFFF);  // drawing resumes after the image was read
    EXPECT_EQ(Pixel(60, 40), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace heliomark
