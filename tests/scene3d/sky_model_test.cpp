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

    Settings settings;
    RecordingSurface surface;
    SkyModel model;
};

// A summer day at a mid-northern place, two hours east of Greenwich.
SolarState SummerDay() {
    SolarState s;
    s.Latitude = DegToRad(48.2);
    s.Longitude = 16.37;
    s.Year = 2024;
    s.Month = 6;
    s.Day = 21;
    s.ZoneHours = 2;
    s.Altitude = 0.25;
    s.Azimuth = 3.5;
    s.RightAscension = 1.5;
    s.Declination = 0.4;
    return s;
}

}  // namespace

TEST_F(SkyModelTest, FirstBuildSetsUpAndDrawsOnce) {
    model.BuildModel(true);
    EXPECT_EQ(surface.ClearCount, 1);
    std::vector<int16_t> order;
    for (const Object3D& o : model.SkyObjects)
        order.push_back(o.DataIndex);
    EXPECT_EQ(model.Scene.DrawList(), order);
    EXPECT_EQ(model.Scene.DisplayObject(), &surface);
    EXPECT_TRUE(model.SkyObject(9).Visible());
    EXPECT_FALSE(model.SkyObject(10).Visible());

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
    EXPECT_EQ(marks.Circles[0].Color, 0x00FFFFu);

    // Looking north from the centre: only "N" of the labels is in view, at the centre.
    model.SetParallelsDensity(0);
    model.SetMeridiansDensity(0);
    model.DrawScene();
    ASSERT_EQ(surface.Prints.size(), 1u);
    EXPECT_EQ(surface.Prints[0].Text, "N");
    EXPECT_NEAR(surface.Prints[0].X, 0, 1e-5);
}

TEST_F(SkyModelTest, GridGeometryAndRebuild) {
    settings.GridQuality = 20;
    model.BuildModel(true);
    struct Expect {
        int Object;
        int Rings;
        Color32 Color;
    };
    const Expect grid[] = {{1, 1, SkyWhite}, {2, 2, SkyGrey}, {3, 4, SkyGrey}, {4, 4, SkyGrey},
                           {5, 2, SkyWhite}, {6, 2, SkyGrey}, {7, 4, SkyGrey}, {8, 4, SkyGrey}};
    for (const Expect& e : grid) {
        EXPECT_EQ(Record(e.Object).PointsCount(), 20 * e.Rings) << "object " << e.Object;
        EXPECT_EQ(Record(e.Object).LinesCount(), 20 * e.Rings) << "object " << e.Object;
        EXPECT_EQ(Record(e.Object).Lines.front().Color, e.Color) << "object " << e.Object;
    }
    EXPECT_EQ(Record(10).PointsCount(), 21);
    EXPECT_EQ(Record(10).LinesCount(), 20);
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(Record(10).Lines[k - 1].Point1, k);
        EXPECT_EQ(Record(10).Lines[k - 1].Point2, k + 1);
    }

    // Altitude circles lie at height sin a with radius cos a; ring j of an object starts at point 20 j + 1.
    const std::pair<int, std::vector<double>> parallels[] = {
        {1, {0}}, {2, {-45, 45}}, {3, {-60, -30, 30, 60}}, {4, {-75, -15, 15, 75}}};
    for (const auto& [object, angles] : parallels) {
        for (std::size_t j = 0; j < angles.size(); ++j) {
            for (int i = 0; i < 20; ++i) {
                const Point3D& p = Record(object).Points[j * 20 + i];
                const std::string what =
                    "object " + std::to_string(object) + " ring " + std::to_string(angles[j]);
                EXPECT_NEAR(p.Z, std::sin(DegToRad(angles[j])), 1e-6) << what;
                EXPECT_NEAR(std::hypot(p.X, p.Y), std::cos(DegToRad(angles[j])), 1e-6) << what;
            }
        }
    }
    // Vertical circle a starts on the horizon at (-sin a, cos a, 0) and passes through the zenith.
    const std::pair<int, std::vector<double>> meridians[] = {
        {5, {0, 90}}, {6, {45, 135}}, {7, {30, 60, 120, 150}}, {8, {15, 75, 105, 165}}};
    for (const auto& [object, angles] : meridians) {
        for (std::size_t j = 0; j < angles.size(); ++j) {
            const std::string what =
                "object " + std::to_string(object) + " circle " + std::to_string(angles[j]);
            const Point3D& start = Record(object).Points[j * 20];
            EXPECT_NEAR(start.X, -std::sin(DegToRad(angles[j])), 1e-6) << what;
            EXPECT_NEAR(start.Y, std::cos(DegToRad(angles[j])), 1e-6) << what;
            EXPECT_NEAR(start.Z, 0, 1e-6) << what;
            EXPECT_NEAR(Record(object).Points[j * 20 + 5].Z, 1, 1e-6) << what;
        }
    }

    // A rebuild with another quality keeps the slots, the flags and the Sun.
    model.SetParallelsDensity(3);
    model.SetMeridiansDensity(2);
    model.ShowSunPath(true);
    model.SetSunPosition(1, 0.5);
    const std::vector<bool> flags = Visibility();
    const Circle3D sun = Record(9).Circles[0];
    std::vector<int16_t> slots;
    for (const Object3D& o : model.SkyObjects)
        slots.push_back(o.DataIndex);
    settings.GridQuality = 8;
    model.BuildModel(false);
    EXPECT_EQ(surface.ClearCount, 2);
    EXPECT_EQ(Visibility(), flags);
    EXPECT_EQ(Record(3).PointsCount(), 4 * 8);
    EXPECT_EQ(Record(10).PointsCount(), 9);
    EXPECT_EQ(Record(9).CirclesCount(), 5);
    EXPECT_EQ(Record(9).Circles[0].X, sun.X);
    EXPECT_EQ(model.Scene.DrawList(), slots);
}

TEST_F(SkyModelTest, GridQualityStaysInItsRange) {
    const std::pair<int16_t, int16_t> cases[] = {{20, 20}, {4, 4},  {50, 50}, {3, 4},
                                                 {0, 4},   {-7, 4}, {51, 50}};
    for (const auto& [setting, used] : cases) {
        settings.GridQuality = setting;
        EXPECT_EQ(model.GridQuality(), used) << "setting " << setting;
    }
    settings.GridQuality = 0;
    model.BuildModel(true);
    EXPECT_EQ(Record(1).PointsCount(), 4);
    EXPECT_EQ(Record(10).PointsCount(), 5);
}

TEST_F(SkyModelTest, DensitiesShowTheirGroups) {
    model.BuildModel(true);
    // Visibility of the four objects of a group for densities 0..4.
    const std::vector<bool> table[] = {
        {false, false, false, false}, {true, false, false, false}, {true, true, false, false},
        {true, false, true, false},   {true, true, true, true},
    };
    for (int p = 0; p <= 4; ++p) {
        for (int m = 0; m <= 4; ++m) {
            model.SetParallelsDensity(static_cast<int16_t>(p));
            model.SetMeridiansDensity(static_cast<int16_t>(m));
            std::vector<bool> expected = table[p];
            expected.insert(expected.end(), table[m].begin(), table[m].end());
            expected.push_back(true);   // Sun and labels
            expected.push_back(false);  // path
            EXPECT_EQ(Visibility(), expected) << "parallels " << p << ", meridians " << m;
        }
    }
    model.SetParallelsDensity(3);
    model.SetMeridiansDensity(2);
    const std::vector<bool> before = Visibility();
    for (const int16_t bad : {5, -1, 100}) {
        model.SetParallelsDensity(bad);
        model.SetMeridiansDensity(bad);
        EXPECT_EQ(Visibility(), before) << "density " << bad;
    }
}

TEST_F(SkyModelTest, SunStandsWhereItsAzimuthSays) {
    model.BuildModel(true);
    model.SetParallelsDensity(0);
    model.SetMeridiansDensity(0);
    // East at the horizon: (0, -1, 0), under the "E" label.
    model.SetSunPosition(DegToRad(90), 0);
    const Circle3D& sun = Record(9).Circles[0];
    EXPECT_NEAR(sun.X, 0, 1e-7);
    EXPECT_NEAR(sun.Y, -1, 1e-7);
    EXPECT_NEAR(sun.Z, 0, 1e-7);

    // Facing east, the disc and the label are both at the centre of the picture.
    model.SkyCamera.AnH = static_cast<float>(-DegToRad(90));
    model.DrawScene();
    ASSERT_EQ(surface.Circles.size(), 1u);
    ASSERT_EQ(surface.Prints.size(), 1u);
    EXPECT_EQ(surface.Prints[0].Text, "E");
    EXPECT_NEAR(surface.Circles[0].X, 0, 1e-4);
    EXPECT_NEAR(surface.Circles[0].Y, 0, 1e-4);
    EXPECT_NEAR(surface.Circles[0].Radius, SunRadius / 0.7f * model.Scene.HalfDiagonal(), 1e-4);
    EXPECT_NEAR(surface.Prints[0].X, 0, 1e-4);

    // Facing north, a Sun west of north stands left of the centre (x grows to the left), one east of
    // north to the right; above the horizon it is above the centre.
    model.SkyCamera.AnH = 0;
    const struct {
        double Azimuth, Altitude;
        bool Left, Up;
    } cases[] = {{340, 10, true, true}, {20, 10, false, true}, {350, -5, true, false}};
    for (const auto& c : cases) {
        model.SetSunPosition(DegToRad(c.Azimuth), DegToRad(c.Altitude));
        model.DrawScene();
        ASSERT_EQ(surface.Circles.size(), 1u) << "azimuth " << c.Azimuth;
        EXPECT_EQ(surface.Circles[0].X > 0, c.Left) << "azimuth " << c.Azimuth;
        EXPECT_EQ(surface.Circles[0].Y > 0, c.Up) << "azimuth " << c.Azimuth;
    }
}

TEST_F(SkyModelTest, SunPathFollowsTheDay) {
    settings.GridQuality = 20;
    model.BuildModel(true);
    SolarState state = SummerDay();
    const SolarState before = state;
    model.ComputeSunPath(state);
    EXPECT_TRUE(state.Altitude == before.Altitude && state.Azimuth == before.Azimuth &&
                state.RightAscension == before.RightAscension && state.Declination == before.Declination)
        << "the path must not move the current Sun";

    // 21 points at 00:00, 01:12, 02:24, ... 24:00: 72 minutes apart, whole minutes.
    const ObjectData& path = Record(10);
    ASSERT_EQ(path.PointsCount(), 21);
    for (int i = 0; i <= 20; ++i) {
        SolarState at = SummerDay();
        ComputeCurrentPosition(at, 72 * i / 60, 72 * i % 60, 0);
        const double h = at.Altitude, A = at.Azimuth;
        const std::string when = std::to_string(72 * i / 60) + ":" + std::to_string(72 * i % 60);
        EXPECT_FLOAT_EQ(path.Points[i].X, static_cast<float>(std::cos(h) * std::cos(A))) << when;
        EXPECT_FLOAT_EQ(path.Points[i].Y, static_cast<float>(-std::cos(h) * std::sin(A))) << when;
        EXPECT_FLOAT_EQ(path.Points[i].Z, static_cast<float>(std::sin(h))) << when;
    }
    // Midnight to midnight: the ends nearly meet, and the Sun is highest in the south near noon.
    EXPECT_NEAR(path.Points[0].X, path.Points[20].X, 1e-2);
    EXPECT_LT(path.Points[10].X, 0);
    EXPECT_GT(path.Points[10].Z, 0.8);

    // Shown, the path is drawn in yellow; hidden, not at all.
    model.SetParallelsDensity(0);
    model.SetMeridiansDensity(0);
    model.SkyCamera.AnH = static_cast<float>(-DegToRad(180));
    model.SkyCamera.AnV = static_cast<float>(DegToRad(40));
    model.ShowSunPath(true);
    model.DrawScene();
    EXPECT_FALSE(surface.Lines.empty());
    for (const auto& l : surface.Lines)
        EXPECT_EQ(l.Color, SunYellow);
    model.ShowSunPath(false);
    model.DrawScene();
    EXPECT_TRUE(surface.Lines.empty());
}
