// The sky model: the grid, the labels, the Sun and its path on the celestial sphere.
#include "scene3d/sky_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "recording_surface.h"

using namespace heliomark;

namespace {

class SkyModelTest : public ::testing::Test {
  protected:
    SkyModelTest() : surface(305, 209), model(settings, surface) {}

    const ObjectData& Record(int number) { return DataAt(model.SkyObject(number).DataIndex); }
    // The Visible flags of objects 1 to 10 as a row of 0s and 1s.
    std::string Visibility() {
        std::string v;
        for (int k = 1; k <= 10; ++k)
            v += model.SkyObject(k).Visible() ? '1' : '0';
        return v;
    }
    // Draws the scene with the grid hidden, facing azimuth and altitude (degrees).
    void DrawFacing(double azimuthDeg, double altitudeDeg) {
        model.SetParallelsDensity(0);
        model.SetMeridiansDensity(0);
        model.SkyCamera.AnH = static_cast<float>(-DegToRad(azimuthDeg));
        model.SkyCamera.AnV = static_cast<float>(DegToRad(altitudeDeg));
        model.DrawScene();
    }

    // Freed slots keep their Visible flags: each test starts on an empty table, as a new program does.
    bool emptyTable = (Data.clear(), true);
    Settings settings;
    RecordingSurface surface;
    SkyModel model;
};

bool Near(const Point3D& p, double x, double y, double z) {
    return std::abs(p.X - x) < 1e-6 && std::abs(p.Y - y) < 1e-6 && std::abs(p.Z - z) < 1e-6;
}
// Azimuth A from north through east and altitude h: (cos h cos A, -cos h sin A, sin h), x north, y west.
bool Toward(const Point3D& p, double A, double h) {
    return Near(p, std::cos(h) * std::cos(A), -std::cos(h) * std::sin(A), std::sin(h));
}

}  // namespace

TEST_F(SkyModelTest, FirstBuildListsTheObjectsLabelsAndSunAndDrawsOnce) {
    model.SkyCamera.Z = 5;
    model.BuildModel(true);
    std::vector<int16_t> order;
    for (const Object3D& o : model.SkyObjects)
        order.push_back(o.DataIndex);
    EXPECT_TRUE(surface.ClearCount == 1 && model.Scene.DrawList() == order &&
                model.Scene.DisplayObject() == &surface);
    EXPECT_EQ(model.SkyCamera.Z, 0) << "the camera starts at the observer";
    EXPECT_EQ(Visibility(), "0000000010");
    // The Sun (due west until it is placed), then the labels on the horizon.
    const ObjectData& marks = Record(9);
    std::ostringstream circles;
    for (const Circle3D& c : marks.Circles)
        circles << '"' << c.Caption << "\" " << c.X + 0.0f << " " << c.Y + 0.0f << " " << c.Z + 0.0f << " "
                << (c.Radius == SunRadius ? "Sun" : std::to_string(c.Radius)) << "; ";
    EXPECT_EQ(circles.str(),
              "\"\" 0 1 0 Sun; \"N\" 1 0 0 0.000000; \"S\" -1 0 0 0.000000; \"W\" 0 1 0 0.000000; \"E\" 0 -1 "
              "0 0.000000; ");
    EXPECT_EQ(marks.Circles[0].Color, SunYellow);
}

TEST_F(SkyModelTest, GridCirclesLieOnTheSphereAndARebuildKeepsTheSlots) {
    settings.GridQuality = 20;
    model.BuildModel(true);
    // Ring j of an object starts at point 20 j + 1. An altitude circle starts at (0, cos a, sin a), a
    // quarter later at (-cos a, 0, sin a); vertical circle a at (-sin a, cos a, 0), then the zenith.
    for (const auto& [object, vertical, color, angles] :
         {std::tuple{1, false, SkyWhite, std::vector<double>{0}},
          {2, false, SkyGrey, {-45, 45}},
          {3, false, SkyGrey, {-60, -30, 30, 60}},
          {4, false, SkyGrey, {-75, -15, 15, 75}},
          {5, true, SkyWhite, {0, 90}},
          {6, true, SkyGrey, {45, 135}},
          {7, true, SkyGrey, {30, 60, 120, 150}},
          {8, true, SkyGrey, {15, 75, 105, 165}}}) {
        const ObjectData& r = Record(object);
        ASSERT_TRUE(r.PointsCount() == 20 * static_cast<int>(angles.size()) &&
                    r.LinesCount() == r.PointsCount() && r.Lines.front().Color == color)
            << "object " << object;
        for (std::size_t j = 0; j < angles.size(); ++j) {
            const double s = std::sin(DegToRad(angles[j])), c = std::cos(DegToRad(angles[j]));
            EXPECT_TRUE(vertical ? Near(r.Points[j * 20], -s, c, 0) && Near(r.Points[j * 20 + 5], 0, 0, 1)
                                 : Near(r.Points[j * 20], 0, c, s) && Near(r.Points[j * 20 + 5], -c, 0, s))
                << "object " << object << ", circle " << angles[j];
        }
    }
    const ObjectData& path = Record(10);
    ASSERT_TRUE(path.PointsCount() == 21 && path.LinesCount() == 20);
    for (int k = 1; k <= 20; ++k)
        EXPECT_TRUE(path.Lines[k - 1].Point1 == k && path.Lines[k - 1].Point2 == k + 1) << "path line " << k;

    // A rebuild with another quality keeps the slots, the flags and the Sun.
    model.SetParallelsDensity(3);
    model.SetMeridiansDensity(2);
    model.ShowSunPath(true);
    model.SetSunPosition(1, 0.5);
    const std::string flags = Visibility();
    const float sunX = Record(9).Circles[0].X;
    const std::vector<int16_t> slots = model.Scene.DrawList();
    settings.GridQuality = 8;
    model.BuildModel(false);
    EXPECT_TRUE(surface.ClearCount == 2 && Visibility() == flags && Record(3).PointsCount() == 4 * 8 &&
                Record(10).PointsCount() == 9 && Record(9).CirclesCount() == 5 &&
                Record(9).Circles[0].X == sunX && model.Scene.DrawList() == slots);
}

TEST_F(SkyModelTest, GridQualityAndDensitiesChooseWhatIsShown) {
    for (const auto& [setting, used] : {std::pair{4, 4}, {3, 4}, {50, 50}, {51, 50}}) {
        settings.GridQuality = static_cast<int16_t>(setting);
        EXPECT_EQ(model.GridQuality(), used) << "setting " << setting;
    }
    settings.GridQuality = 0;  // built as 4
    model.BuildModel(true);
    EXPECT_TRUE(Record(1).PointsCount() == 4 && Record(10).PointsCount() == 5) << "built with quality 4";
    // The four objects of a group shown for densities 0..4, then the Sun and labels, then the path.
    const char* const group[] = {"0000", "1000", "1100", "1010", "1111"};
    for (int p = 0; p <= 4; ++p)
        for (int m = 0; m <= 4; ++m) {
            model.SetParallelsDensity(static_cast<int16_t>(p));
            model.SetMeridiansDensity(static_cast<int16_t>(m));
            EXPECT_EQ(Visibility(), std::string(group[p]) + group[m] + "10")
                << "parallels " << p << ", meridians " << m;
        }
    for (const int16_t bad : {5, -1}) {
        model.SetParallelsDensity(bad);
        model.SetMeridiansDensity(bad);
        EXPECT_EQ(Visibility(), "1111111110") << "density " << bad;
    }
}

// Placed due east on the horizon, the Sun's disc and the "E" label are both at the centre of a view
// facing east, the disc as large as its angle in the view field.
TEST_F(SkyModelTest, SunStandsWhereItsAzimuthSays) {
    model.BuildModel(true);
    model.SetSunPosition(DegToRad(90), 0);
    DrawFacing(90, 0);
    ASSERT_TRUE(surface.Circles.size() == 1u && surface.Prints.size() == 1u);
    const auto& disc = surface.Circles[0];
    EXPECT_TRUE(surface.Prints[0].Text == "E" && std::abs(disc.X) < 1e-4 && std::abs(disc.Y) < 1e-4 &&
                std::abs(surface.Prints[0].X) < 1e-4);
    EXPECT_NEAR(disc.Radius, SunRadius / SkyViewField * model.Scene.HalfDiagonal(), 1e-4);
}

TEST_F(SkyModelTest, SunPathFollowsTheDayWithoutMovingTheSun) {
    settings.GridQuality = 20;
    model.BuildModel(true);
    SolarState state = SolarStateFor(48.2, 16.37, 2024, 6, 21, 2);
    state.Altitude = 0.25, state.Azimuth = 3.5, state.RightAscension = 1.5;
    model.ComputeSunPath(state);
    EXPECT_TRUE(state.Altitude == 0.25 && state.Azimuth == 3.5 && state.RightAscension == 1.5)
        << "the current Sun stays";
    // 21 points at 00:00, 01:12, 02:24, ... 24:00.
    const ObjectData& path = Record(10);
    ASSERT_EQ(path.PointsCount(), 21);
    for (int i = 0; i <= 20; ++i) {
        SolarState at = SolarStateFor(48.2, 16.37, 2024, 6, 21, 2);
        ComputeCurrentPosition(at, 72 * i / 60, 72 * i % 60, 0);
        EXPECT_TRUE(Toward(path.Points[i], at.Azimuth, at.Altitude))
            << "at " << 72 * i / 60 << ":" << 72 * i % 60;
    }
    // Shown, the path is drawn in yellow; hidden, not at all.
    model.ShowSunPath(true);
    DrawFacing(180, 40);
    EXPECT_TRUE(!surface.Lines.empty() &&
                std::ranges::all_of(surface.Lines, [](const auto& l) { return l.Color == SunYellow; }));
    model.ShowSunPath(false);
    model.DrawScene();
    EXPECT_TRUE(surface.Lines.empty());
}
