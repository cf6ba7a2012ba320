// The sky model: the grid, the labels, the Sun and its path on the celestial sphere.
#include "scene3d/sky_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "recording_surface.h"

using namespace heliomark;

namespace {

class SkyModelTest : public ::testing::Test {
  protected:
    SkyModelTest() : surface(305, 209), model(settings, surface) {}

    const ObjectData& Record(int number) { return DataAt(model.SkyObject(number).DataIndex); }
    std::vector<bool> Visibility() {
        std::vector<bool> v;
        for (int k = 1; k <= 10; ++k)
            v.push_back(model.SkyObject(k).Visible());
        return v;
    }
    void Face(double azimuthDeg, double altitudeDeg) {
        model.SetParallelsDensity(0);
        model.SetMeridiansDensity(0);
        model.SkyCamera.AnH = static_cast<float>(-DegToRad(azimuthDeg));
        model.SkyCamera.AnV = static_cast<float>(DegToRad(altitudeDeg));
    }

    // Slots freed by earlier tests keep their Visible flags; each test starts on an empty table, as a
    // new program does.
    bool emptyTable = (Data.clear(), true);
    Settings settings;
    RecordingSurface surface;
    SkyModel model;
};

}  // namespace

TEST_F(SkyModelTest, FirstBuildListsTheObjectsLabelsAndSunAndDrawsOnce) {
    model.SkyCamera.Z = 5;
    model.BuildModel(true);
    EXPECT_EQ(surface.ClearCount, 1);
    std::vector<int16_t> order;
    for (const Object3D& o : model.SkyObjects)
        order.push_back(o.DataIndex);
    EXPECT_EQ(model.Scene.DrawList(), order);
    EXPECT_EQ(model.Scene.DisplayObject(), &surface);
    EXPECT_EQ(model.SkyCamera.Z, 0) << "the camera starts at the observer";
    EXPECT_EQ(Visibility(),
              (std::vector<bool>{false, false, false, false, false, false, false, false, true, false}));
    const ObjectData& marks = Record(9);
    ASSERT_EQ(marks.CirclesCount(), 5);
    const char* captions[] = {"", "N", "S", "W", "E"};
    const Point3D at[] = {{0, 1, 0}, {1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    for (int i = 0; i < 5; ++i) {
        const Circle3D& c = marks.Circles[i];
        EXPECT_TRUE(c.Caption == captions[i] && c.X == at[i].X && c.Y == at[i].Y && c.Z == at[i].Z &&
                    c.Radius == (i == 0 ? SunRadius : 0.0f))
            << "circle " << i + 1 << " \"" << c.Caption << "\" at (" << c.X << ", " << c.Y << ", " << c.Z
            << ") radius " << c.Radius;
    }
    EXPECT_EQ(marks.Circles[0].Color, SunYellow);
    // Looking north from the centre: of the labels only "N" is in view, at the centre.
    Face(0, 0);
    model.DrawScene();
    ASSERT_EQ(surface.Prints.size(), 1u);
    EXPECT_EQ(surface.Prints[0].Text, "N");
    EXPECT_NEAR(surface.Prints[0].X, 0, 1e-5);
}

TEST_F(SkyModelTest, GridCirclesLieOnTheSphereAndARebuildKeepsTheSlots) {
    settings.GridQuality = 20;
    model.BuildModel(true);
    // Altitude circles at height sin a with radius cos a; vertical circle a starts on the horizon at
    // (-sin a, cos a, 0) and passes the zenith a quarter later. Ring j of an object starts at point 20 j + 1.
    const struct {
        int Object;
        bool Vertical;
        Color32 Color;
        std::vector<double> Angles;
    } grid[] = {{1, false, SkyWhite, {0}},
                {2, false, SkyGrey, {-45, 45}},
                {3, false, SkyGrey, {-60, -30, 30, 60}},
                {4, false, SkyGrey, {-75, -15, 15, 75}},
                {5, true, SkyWhite, {0, 90}},
                {6, true, SkyGrey, {45, 135}},
                {7, true, SkyGrey, {30, 60, 120, 150}},
                {8, true, SkyGrey, {15, 75, 105, 165}}};
    for (const auto& g : grid) {
        const ObjectData& r = Record(g.Object);
        const std::string what = "object " + std::to_string(g.Object);
        ASSERT_EQ(r.PointsCount(), 20 * static_cast<int>(g.Angles.size())) << what;
        EXPECT_EQ(r.LinesCount(), r.PointsCount()) << what;
        EXPECT_EQ(r.Lines.front().Color, g.Color) << what;
        for (std::size_t j = 0; j < g.Angles.size(); ++j) {
            const double a = DegToRad(g.Angles[j]);
            for (int i = 0; i < 20; ++i) {
                const Point3D& p = r.Points[j * 20 + i];
                const bool ok = g.Vertical ? std::abs(std::hypot(p.X, p.Y, p.Z) - 1) < 1e-6 &&
                                                 std::abs(p.X * std::cos(a) + p.Y * std::sin(a)) < 1e-6
                                           : std::abs(p.Z - std::sin(a)) < 1e-6 &&
                                                 std::abs(std::hypot(p.X, p.Y) - std::cos(a)) < 1e-6;
                EXPECT_TRUE(ok) << what << ", circle " << g.Angles[j] << ", point " << i << " at " << p.X
                                << ", " << p.Y << ", " << p.Z;
            }
            if (g.Vertical) {
                const Point3D& start = r.Points[j * 20];
                EXPECT_TRUE(std::abs(start.X + std::sin(a)) < 1e-6 &&
                            std::abs(start.Y - std::cos(a)) < 1e-6 && std::abs(start.Z) < 1e-6 &&
                            std::abs(r.Points[j * 20 + 5].Z - 1) < 1e-6)
                    << what << ", circle " << g.Angles[j];
            }
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
    const std::vector<bool> flags = Visibility();
    const Circle3D sun = Record(9).Circles[0];
    const std::vector<int16_t> slots = model.Scene.DrawList();
    settings.GridQuality = 8;
    model.BuildModel(false);
    EXPECT_EQ(surface.ClearCount, 2);
    EXPECT_EQ(Visibility(), flags);
    EXPECT_TRUE(Record(3).PointsCount() == 4 * 8 && Record(10).PointsCount() == 9 &&
                Record(9).CirclesCount() == 5);
    EXPECT_EQ(Record(9).Circles[0].X, sun.X);
    EXPECT_EQ(model.Scene.DrawList(), slots);
}

TEST_F(SkyModelTest, GridQualityAndDensitiesChooseWhatIsShown) {
    const std::pair<int16_t, int16_t> qualities[] = {{20, 20}, {4, 4},  {50, 50}, {3, 4},
                                                     {0, 4},   {-7, 4}, {51, 50}};
    for (const auto& [setting, used] : qualities) {
        settings.GridQuality = setting;
        EXPECT_EQ(model.GridQuality(), used) << "setting " << setting;
    }
    settings.GridQuality = 0;  // built as 4
    model.BuildModel(true);
    EXPECT_TRUE(Record(1).PointsCount() == 4 && Record(10).PointsCount() == 5) << "built with quality 4";
    // The four objects of a group shown for densities 0..4.
    const std::vector<bool> table[] = {{false, false, false, false},
                                       {true, false, false, false},
                                       {true, true, false, false},
                                       {true, false, true, false},
                                       {true, true, true, true}};
    for (int p = 0; p <= 4; ++p) {
        for (int m = 0; m <= 4; ++m) {
            model.SetParallelsDensity(static_cast<int16_t>(p));
            model.SetMeridiansDensity(static_cast<int16_t>(m));
            std::vector<bool> expected = table[p];
            expected.insert(expected.end(), table[m].begin(), table[m].end());
            expected.insert(expected.end(), {true, false});  // Sun and labels; path
            EXPECT_EQ(Visibility(), expected) << "parallels " << p << ", meridians " << m;
        }
    }
    const std::vector<bool> before = Visibility();
    for (const int16_t bad : {5, -1, 100}) {
        model.SetParallelsDensity(bad);
        model.SetMeridiansDensity(bad);
        EXPECT_EQ(Visibility(), before) << "density " << bad;
    }
}

TEST_F(SkyModelTest, SunStandsWhereItsAzimuthSays) {
    model.BuildModel(true);
    model.SetSunPosition(DegToRad(90), 0);
    const Circle3D& sun = Record(9).Circles[0];
    EXPECT_TRUE(std::abs(sun.X) < 1e-7 && std::abs(sun.Y + 1) < 1e-7 && std::abs(sun.Z) < 1e-7)
        << "east: (0, -1, 0)";
    // Facing east, the disc and the "E" label are both at the centre of the picture.
    Face(90, 0);
    model.DrawScene();
    ASSERT_TRUE(surface.Circles.size() == 1u && surface.Prints.size() == 1u);
    EXPECT_EQ(surface.Prints[0].Text, "E");
    EXPECT_TRUE(std::abs(surface.Circles[0].X) < 1e-4 && std::abs(surface.Circles[0].Y) < 1e-4 &&
                std::abs(surface.Prints[0].X) < 1e-4);
    EXPECT_NEAR(surface.Circles[0].Radius, SunRadius / SkyViewField * model.Scene.HalfDiagonal(), 1e-4);
    // Facing north, a Sun west of north stands left of the centre (x grows to the left); above the
    // horizon it stands above the centre.
    const struct {
        double Azimuth, Altitude;
        bool Left, Up;
    } cases[] = {{340, 10, true, true}, {20, 10, false, true}, {350, -5, true, false}};
    Face(0, 0);
    for (const auto& c : cases) {
        model.SetSunPosition(DegToRad(c.Azimuth), DegToRad(c.Altitude));
        model.DrawScene();
        ASSERT_EQ(surface.Circles.size(), 1u) << "azimuth " << c.Azimuth;
        EXPECT_TRUE((surface.Circles[0].X > 0) == c.Left && (surface.Circles[0].Y > 0) == c.Up)
            << "azimuth " << c.Azimuth;
    }
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
        const double h = at.Altitude, A = at.Azimuth;
        EXPECT_TRUE(std::abs(path.Points[i].X - std::cos(h) * std::cos(A)) < 1e-6 &&
                    std::abs(path.Points[i].Y + std::cos(h) * std::sin(A)) < 1e-6 &&
                    std::abs(path.Points[i].Z - std::sin(h)) < 1e-6)
            << "at " << 72 * i / 60 << ":" << 72 * i % 60;
    }
    // Shown, the path is drawn in yellow; hidden, not at all.
    Face(180, 40);
    model.ShowSunPath(true);
    model.DrawScene();
    EXPECT_FALSE(surface.Lines.empty());
    for (const auto& l : surface.Lines)
        EXPECT_EQ(l.Color, SunYellow);
    model.ShowSunPath(false);
    model.DrawScene();
    EXPECT_TRUE(surface.Lines.empty());
}
