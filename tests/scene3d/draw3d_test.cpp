#include "scene3d/draw3d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "recording_surface.h"

using namespace heliomark;

namespace {

constexpr float HalfDiag200x100 = 111.80339887f;  // sqrt(100² + 50²)

std::string Describe(const Point3D& p) {
    std::ostringstream s;
    s << "(" << p.X << ", " << p.Y << ", " << p.Z << ")";
    return s.str();
}

void ExpectNear(const Point3D& got, const Point3D& expected, const std::string& what) {
    EXPECT_NEAR(got.X, expected.X, 1e-6) << what;
    EXPECT_NEAR(got.Y, expected.Y, 1e-6) << what;
    EXPECT_NEAR(got.Z, expected.Z, 1e-6) << what;
}

// Draws `object`, made visible, alone onto `surface`; returns the renderer's half diagonal.
float DrawAlone(Object3D& object, RecordingSurface& surface, float viewField, const Camera& camera) {
    object.Visible(true);
    Draw3D d;
    d.DisplayObject(&surface);
    d.ViewField(viewField);
    d.AddObject(object);
    d.Draw(camera);
    return d.HalfDiagonal();
}

// A 200 x 100 surface, a camera at the origin looking along +X and a 45° cone (ViewField 1), so that
// the camera frame is simply Depth = X, Horizontal = Y, Vertical = Z.
class Draw3DTest : public ::testing::Test {
  protected:
    Draw3DTest() : surface(200, 100) {
        scene.DisplayObject(&surface);
        scene.ViewField(1);
    }

    // Draws one object holding a single line from a to b.
    void DrawLine(const Point3D& a, const Point3D& b) {
        Object3D o;
        o.AddPoint(a.X, a.Y, a.Z);
        o.AddPoint(b.X, b.Y, b.Z);
        o.AddLine(1, 2, 0x123456);
        DrawAlone(o, surface, scene.ViewField(), camera);
    }

    // Where a label anchored at p is printed, if it is printed at all.
    std::optional<std::pair<float, float>> LabelAt(const Point3D& p) {
        Object3D o;
        o.AddCircle(p.X, p.Y, p.Z, 0, 0, "L");
        DrawAlone(o, surface, scene.ViewField(), camera);
        if (surface.Prints.empty()) return std::nullopt;
        return std::make_pair(surface.Prints[0].X, surface.Prints[0].Y);
    }

    RecordingSurface surface;
    Draw3D scene;
    Camera camera;
};

}  // namespace

TEST(Draw3DSurface, CentreOriginLeftwardXUpwardY) {
    struct Case {
        float W, H;
        float Left, Top;
    };
    const Case cases[] = {
        {200, 100, 100, 50},
        {305, 209, 152, 104},       // odd sizes are halved toward zero
        {200.5f, 100.5f, 100, 50},  // rounded half to even first: 200, 100
        {201.5f, 99.5f, 101, 50},   // 202, 100
    };
    for (const Case& c : cases) {
        RecordingSurface s(c.W, c.H);
        Draw3D d;
        d.DisplayObject(&s);
        const std::string what = std::to_string(c.W) + " x " + std::to_string(c.H);
        EXPECT_EQ(s.ScaleLeft, c.Left) << what;
        EXPECT_EQ(s.ScaleTop, c.Top) << what;
        EXPECT_EQ(s.ScaleWidth, -c.W) << what;
        EXPECT_EQ(s.ScaleHeight, -c.H) << what;
        EXPECT_NEAR(d.HalfDiagonal(), std::sqrt(c.W * c.W + c.H * c.H) / 2, 1e-4) << what;
    }
}

TEST_F(Draw3DTest, LinesAreClippedAtTheConeRim) {
    const float H = HalfDiag200x100;
    struct Case {
        const char* What;
        Point3D A, B;
        std::optional<RecordingSurface::LineCall> Expected;
    };
    const Case cases[] = {
        {"both in view", {2, 0, 0}, {4, 1, -2}, RecordingSurface::LineCall{0, 0, H / 4, -H / 2, 0}},
        {"end on the rim is in view", {1, 1, 0}, {2, 0, 0}, RecordingSurface::LineCall{H, 0, 0, 0, 0}},
        {"end on a slanted rim",
         {5, 3, 4},
         {2, 0, 0},
         RecordingSurface::LineCall{0.6f * H, 0.8f * H, 0, 0, 0}},
        // A point on the camera plane is not in view: the line stops at the rim, t = 0.2.
        {"start on the camera plane", {0, 0.5f, 0}, {2, 0, 0}, RecordingSurface::LineCall{H, 0, 0, 0, 0}},
        // Towards a point behind the camera: up to the rim (t = 4/7), never towards the rear
        // point's mirror image at (-H/2, 0).
        {"end behind the camera", {2, 0, 0}, {-1, 0.5f, 0}, RecordingSurface::LineCall{0, 0, H, 0, 0}},
        {"crossing the cone",
         {1, -2, 0.5f},
         {1, 2, 0.5f},
         RecordingSurface::LineCall{-0.8660254f * H, 0.5f * H, 0.8660254f * H, 0.5f * H, 0}},
        {"crossings on the rear cone", {0.5f, -3, 0}, {-2, 3, 0}, std::nullopt},
        {"both behind", {-1, -2, 0}, {-1, 2, 0}, std::nullopt},
        {"passing beside the cone", {1, 2, 0}, {1, 3, 0}, std::nullopt},
        {"entering the rear cone only", {1, 2, 0}, {-1, 0.1f, 0}, std::nullopt},
        // Parallel to the side of the cone (A = 0): skipped rather than drawn to an undefined point.
        {"degenerate quadratic", {1, 0, 0}, {-1, 2, 0}, std::nullopt},
    };
    for (const Case& c : cases) {
        DrawLine(c.A, c.B);
        const std::string what = std::string(c.What) + ": " + Describe(c.A) + " to " + Describe(c.B);
        if (!c.Expected) {
            EXPECT_TRUE(surface.Lines.empty()) << what;
            continue;
        }
        ASSERT_EQ(surface.Lines.size(), 1u) << what;
        const auto& got = surface.Lines[0];
        EXPECT_NEAR(got.X1, c.Expected->X1, 2e-3) << what;
        EXPECT_NEAR(got.Y1, c.Expected->Y1, 2e-3) << what;
        EXPECT_NEAR(got.X2, c.Expected->X2, 2e-3) << what;
        EXPECT_NEAR(got.Y2, c.Expected->Y2, 2e-3) << what;
        EXPECT_EQ(got.Color, 0x123456u) << what;
    }
}

TEST_F(Draw3DTest, LabelsAndDiscsNeedTheirCentreInView) {
    const float H = HalfDiag200x100;
    struct Case {
        Point3D P;
        bool Printed;
        float X, Y;
    };
    const Case cases[] = {
        {{2, 0, 0}, true, 0, 0},           {{1, 1, 0}, true, H, 0},  // on the rim (Depth² k = H² + V²)
        {{4, 0, -3}, true, 0, -0.75f * H},                           // below the centre: negative y
        {{2, -1, 0}, true, -H / 2, 0},                               // to the camera's right: negative x
        {{1, 1.001f, 0}, false, 0, 0},                               // just outside the rim
        {{0, 0.5f, 0}, false, 0, 0},                                 // on the camera plane
        {{0, 0, 0}, false, 0, 0},                                    // at the camera
        {{-2, 0, 0}, false, 0, 0},                                   // straight behind
    };
    for (const Case& c : cases) {
        const auto at = LabelAt(c.P);
        ASSERT_EQ(at.has_value(), c.Printed) << Describe(c.P);
        if (!at) continue;
        EXPECT_NEAR(at->first, c.X, 2e-3) << Describe(c.P);
        EXPECT_NEAR(at->second, c.Y, 2e-3) << Describe(c.P);
    }

    // A disc's size follows its true distance (5 here), not its depth (4).
    Object3D disc;
    disc.AddCircle(4, 0, 3, 0.5f, 0xFF00, "");
    DrawAlone(disc, surface, 1, camera);
    ASSERT_EQ(surface.Circles.size(), 1u);
    EXPECT_NEAR(surface.Circles[0].Radius, 0.1f * H, 1e-4);
    EXPECT_NEAR(surface.Circles[0].Y, 0.75f * H, 1e-3);
    EXPECT_EQ(surface.Circles[0].Color, 0xFF00u);
}

TEST_F(Draw3DTest, ViewFieldWidensTheCone) {
    scene.ViewField(2);
    const auto rim = LabelAt({1, 2, 0});
    ASSERT_TRUE(rim.has_value());
    EXPECT_NEAR(rim->first, HalfDiag200x100, 1e-3);
    EXPECT_FALSE(LabelAt({1, 2.01f, 0}).has_value());
}

TEST_F(Draw3DTest, CameraPoseTurnsTheView) {
    const float H = HalfDiag200x100;
    const float quarter = static_cast<float>(3.14159265358979 / 2);
    struct Case {
        const char* What;
        Camera Cam;
        Point3D P;
        float X, Y;
    };
    const Case cases[] = {
        // Looking along +Y, the -X side is on the camera's left.
        {"turned a quarter", {0, 0, 0, 0, quarter}, {-1, 2, 0}, H / 2, 0},
        // Looking straight up with the heading +X, the -X side is at the top.
        {"looking up", {0, 0, 0, quarter, 0}, {-1, 0, 2}, 0, H / 2},
        {"moved camera", {10, 5, -1, 0, 0}, {12, 6, -1}, H / 2, 0},
        // At the other side of a sphere looking back at its centre (an outside view).
        {"looking back", {3, 0, 0, 0, 2 * quarter}, {0, -1, 1}, H / 3, H / 3},
    };
    for (const Case& c : cases) {
        camera = c.Cam;
        const auto at = LabelAt(c.P);
        ASSERT_TRUE(at.has_value()) << c.What;
        EXPECT_NEAR(at->first, c.X, 2e-3) << c.What;
        EXPECT_NEAR(at->second, c.Y, 2e-3) << c.What;
    }
}

TEST_F(Draw3DTest, DrawOrderAndVisibility) {
    Object3D a, hidden, b;
    a.AddPoint(2, 0, 0);
    a.AddPoint(2, 1, 0);
    a.AddLine(1, 2, 1);
    a.AddCircle(2, 0, 0, 0, 0, "A");
    a.Visible(true);
    hidden.AddCircle(2, 0, 0, 0, 0, "hidden");
    hidden.Visible(false);
    b.AddCircle(2, 0, 0, 0.1f, 2, "");
    b.AddPoint(3, 0, 0);  // points alone draw nothing
    b.Visible(true);
    scene.AddObject(a);
    scene.AddObject(hidden);
    scene.AddObject(b);
    scene.Draw(camera);
    scene.Draw(camera);
    using K = RecordingSurface::Kind;
    EXPECT_EQ(surface.ClearCount, 2);
    EXPECT_EQ(surface.Order, (std::vector<K>{K::Print, K::Line, K::Circle}));
    ASSERT_EQ(surface.Prints.size(), 1u);
    EXPECT_EQ(surface.Prints[0].Text, "A");
}

TEST_F(Draw3DTest, RemoveObjectTakesAListPosition) {
    Object3D early, late;
    early.AddCircle(2, 0, 0, 0, 0, "early");
    late.AddCircle(2, 0, 0, 0, 0, "late");
    early.Visible(true);
    late.Visible(true);
    ASSERT_LT(early.DataIndex, late.DataIndex);
    scene.AddObject(late);
    scene.AddObject(early);
    scene.RemoveObject(0);
    scene.RemoveObject(3);
    EXPECT_EQ(scene.DrawList().size(), 2u);
    scene.RemoveObject(1);
    ASSERT_EQ(scene.DrawList(), std::vector<int16_t>{early.DataIndex});
    scene.Draw(camera);
    ASSERT_EQ(surface.Prints.size(), 1u);
    EXPECT_EQ(surface.Prints[0].Text, "early");
    scene.RemoveObject(1);
    EXPECT_TRUE(scene.DrawList().empty());
}

TEST_F(Draw3DTest, NothingUndefinedIsDrawn) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const Point3D bad[] = {{nan, 0, 0},  {2, nan, 0},   {inf, 0, 0},       {2, inf, 0},
                           {-inf, 1, 0}, {1, inf, inf}, {1e30f, 1e30f, 0}, {0, 0, 0}};
    for (const Point3D& p : bad) {
        Object3D o;
        o.AddPoint(2, 0, 0);
        o.AddPoint(p.X, p.Y, p.Z);
        o.AddPoint(1, 3, 0);
        o.AddLine(1, 2, 1);
        o.AddLine(2, 1, 1);
        o.AddLine(3, 2, 1);
        o.AddLine(1, 7, 1);  // a point that does not exist
        o.AddCircle(p.X, p.Y, p.Z, 0.5f, 1, "");
        o.AddCircle(p.X, p.Y, p.Z, 0, 1, "L");
        o.AddCircle(2, 0, 0, nan, 1, "");
        DrawAlone(o, surface, 1, camera);
        std::vector<float> drawn;
        for (const auto& l : surface.Lines)
            drawn.insert(drawn.end(), {l.X1, l.Y1, l.X2, l.Y2});
        for (const auto& c : surface.Circles)
            drawn.insert(drawn.end(), {c.X, c.Y, c.Radius});
        for (const auto& t : surface.Prints)
            drawn.insert(drawn.end(), {t.X, t.Y});
        EXPECT_TRUE(std::ranges::all_of(drawn, [](float v) { return std::isfinite(v); })) << Describe(p);
    }
}

TEST(ClipLine, NoRealCrossingWithOneEndInView) {
    // Rounding can flag an end in view whose line then misses the cone (negative discriminant).
    ProjectedPoint p1, p2;
    p1.Depth = 1, p1.Horizontal = 0, p1.Vertical = 5, p1.InFront = true, p1.InView = true;
    p2.Depth = 1, p2.Horizontal = 3, p2.Vertical = 5, p2.InFront = true, p2.InView = false;
    CameraPoint from, to;
    EXPECT_FALSE(ClipLine(p1, p2, 1, from, to));
    EXPECT_FALSE(ClipLine(p2, p1, 1, from, to));
    p2.Horizontal = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(ClipLine(p1, p2, 1, from, to));
}

// Random lines and camera poses against the visible part computed independently in double precision:
// the t-interval of the segment that lies inside the cone and in front of the camera.
TEST(Draw3DProperty, ClippedEndsMatchAnExactComputation) {
    std::mt19937 random(20240621);
    std::uniform_real_distribution<float> coord(-3, 3), angle(-3.2f, 3.2f), field(0.2f, 1.6f);
    RecordingSurface surface(305, 209);
    int checked = 0;
    for (int n = 0; n < 4000; ++n) {
        Camera cam;
        cam.X = coord(random) / 3, cam.Y = coord(random) / 3, cam.Z = coord(random) / 3;
        cam.AnH = angle(random), cam.AnV = angle(random) / 2;
        const float k = field(random);
        const Point3D a{coord(random), coord(random), coord(random)},
            b{coord(random), coord(random), coord(random)};

        // Camera frame in double.
        auto frame = [&](const Point3D& p) {
            const double dx = double(p.X) - cam.X, dy = double(p.Y) - cam.Y, dz = double(p.Z) - cam.Z;
            const double H = cam.AnH, V = cam.AnV;
            const double t = dx * std::cos(H) + dy * std::sin(H);
            return std::array<double, 3>{t * std::cos(V) + dz * std::sin(V),
                                         dy * std::cos(H) - dx * std::sin(H),
                                         dz * std::cos(V) - t * std::sin(V)};
        };
        const auto p = frame(a), q = frame(b);
        auto at = [&](double t) {
            return std::array<double, 3>{p[0] + t * (q[0] - p[0]), p[1] + t * (q[1] - p[1]),
                                         p[2] + t * (q[2] - p[2])};
        };
        auto inside = [&](double t) {
            const auto c = at(t);
            return c[0] > 0 && c[1] * c[1] + c[2] * c[2] <= double(k) * k * c[0] * c[0];
        };
        // Boundaries: the ends, the cone crossings, the camera plane.
        std::vector<double> cuts{0, 1};
        const double dd = q[0] - p[0], da = q[1] - p[1], db = q[2] - p[2];
        const double kk = double(k) * k;
        const double A = da * da + db * db - kk * dd * dd, B = p[1] * da + p[2] * db - kk * p[0] * dd,
                     C = p[1] * p[1] + p[2] * p[2] - kk * p[0] * p[0];
        const double disc = B * B - A * C;
        if (disc >= 0 && A != 0) {
            cuts.push_back((-B - std::sqrt(disc)) / A);
            cuts.push_back((-B + std::sqrt(disc)) / A);
        }
        if (dd != 0) cuts.push_back(-p[0] / dd);
        std::erase_if(cuts, [](double t) { return !(t >= 0 && t <= 1); });
        std::sort(cuts.begin(), cuts.end());
        // Leave out the ill-conditioned cases: near-tangent lines, crossings close together or at the ends.
        bool clear = std::abs(A) > 1e-3 && (disc < 0 || disc > 1e-4);
        for (std::size_t i = 1; i < cuts.size(); ++i)
            clear = clear && cuts[i] - cuts[i - 1] > 1e-3;
        if (!clear) continue;
        double lo = 2, hi = -1;
        for (std::size_t i = 1; i < cuts.size(); ++i) {
            if (inside((cuts[i - 1] + cuts[i]) / 2))
                lo = std::min(lo, cuts[i - 1]), hi = std::max(hi, cuts[i]);
        }

        Object3D o;
        o.AddPoint(a.X, a.Y, a.Z);
        o.AddPoint(b.X, b.Y, b.Z);
        o.AddLine(1, 2, 7);
        const float halfDiagonal = DrawAlone(o, surface, k, cam);
        ++checked;
        const std::string what = "line " + Describe(a) + " to " + Describe(b) + ", case " + std::to_string(n);
        if (lo > hi) {
            EXPECT_TRUE(surface.Lines.empty()) << what;
            continue;
        }
        ASSERT_EQ(surface.Lines.size(), 1u) << what;
        const double scale = halfDiagonal / k;
        const auto s = at(lo), e = at(hi);
        const double sx = s[1] / s[0] * scale, sy = s[2] / s[0] * scale;
        const double ex = e[1] / e[0] * scale, ey = e[2] / e[0] * scale;
        const auto& l = surface.Lines[0];
        // Single-precision tolerance: the float quadratic formula loses accuracy in the discriminant
        // (B² - AC) and in the root's sum (-B ± √disc), by the usual error bounds; that error in t
        // moves the end point by |d(screen)/dt| per unit t. Well-conditioned lines stay within a few
        // thousandths of a pixel.
        const double eps = std::numeric_limits<float>::epsilon();
        const double dtError =
            disc > 0
                ? eps * ((B * B + std::abs(A * C)) / (2 * std::sqrt(disc)) + std::abs(B) + std::sqrt(disc)) /
                      std::abs(A)
                : 0;
        auto speed = [&](const std::array<double, 3>& c) {  // |d(screen)/dt| at a point of the line
            const double dx = (da * c[0] - c[1] * dd) / (c[0] * c[0]),
                         dy = (db * c[0] - c[2] * dd) / (c[0] * c[0]);
            return std::hypot(dx, dy) * scale;
        };
        const double tol = 5e-3 + 8 * dtError * std::max(speed(s), speed(e));
        const bool forward = std::abs(l.X1 - sx) < tol && std::abs(l.Y1 - sy) < tol &&
                             std::abs(l.X2 - ex) < tol && std::abs(l.Y2 - ey) < tol;
        const bool backward = std::abs(l.X1 - ex) < tol && std::abs(l.Y1 - ey) < tol &&
                              std::abs(l.X2 - sx) < tol && std::abs(l.Y2 - sy) < tol;
        EXPECT_TRUE(forward || backward)
            << what << ": drawn (" << l.X1 << ", " << l.Y1 << ") to (" << l.X2 << ", " << l.Y2
            << "), expected (" << sx << ", " << sy << ") to (" << ex << ", " << ey << ")";
    }
    EXPECT_GT(checked, 3000);
}

TEST(Rotate, TurnsLikeTheCamera) {
    const float quarter = static_cast<float>(3.14159265358979 / 2);
    struct Case {
        Point3D P;
        float H, V;
        Point3D Expected;
    };
    const Case cases[] = {
        {{1, 0, 0}, 0, 0, {1, 0, 0}},        {{1, 0, 0}, quarter, 0, {0, -1, 0}},
        {{0, 1, 0}, quarter, 0, {1, 0, 0}},  {{0, 0, 1}, 0, quarter, {1, 0, 0}},
        {{1, 0, 0}, 0, quarter, {0, 0, -1}}, {{0, 1, 0}, -quarter, -quarter, {0, 0, -1}},
    };
    for (const Case& c : cases) {
        ExpectNear(Rotate(c.P, c.H, c.V), c.Expected,
                   Describe(c.P) + " by " + std::to_string(c.H) + ", " + std::to_string(c.V));
    }
}

TEST(AddRing, FourSegmentsCloseTheRing) {
    Object3D o;
    o.AddPoint(9, 9, 9);  // base = 1
    AddRing(o, 0, 0, 0, 1, 0, 0, 4, 0xABCDEF);
    const ObjectData& r = DataAt(o.DataIndex);
    ASSERT_EQ(r.PointsCount(), 5);
    ASSERT_EQ(r.LinesCount(), 4);
    const Point3D expected[] = {{0, 1, 0}, {0, 0, 1}, {0, -1, 0}, {0, 0, -1}};
    const int16_t lines[4][2] = {{5, 2}, {2, 3}, {3, 4}, {4, 5}};
    for (int i = 0; i < 4; ++i) {
        ExpectNear(r.Points[i + 1], expected[i], "point " + std::to_string(i + 2));
        EXPECT_EQ(r.Lines[i].Point1, lines[i][0]) << "line " << i + 1;
        EXPECT_EQ(r.Lines[i].Point2, lines[i][1]) << "line " << i + 1;
        EXPECT_EQ(r.Lines[i].Color, 0xABCDEFu);
    }

    // Turned and moved: a ring about the X axis at x = 2 becomes, under AngleA = 90°, a ring about Y.
    Object3D t;
    AddRing(t, 1, 2, 3, 2, static_cast<float>(3.14159265358979 / 2), 0, 4, 0);
    const ObjectData& tr = DataAt(t.DataIndex);
    ASSERT_EQ(tr.PointsCount(), 4);
    EXPECT_NEAR(tr.Points[0].X, 1 - 2, 1e-6);
    EXPECT_NEAR(tr.Points[0].Y, 2, 1e-6);
    EXPECT_NEAR(tr.Points[1].Z, 3 + 2, 1e-6);
}
