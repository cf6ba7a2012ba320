// The 3D renderer: projection, clipping at the view cone (against a double-precision computation),
// camera poses, draw order, and the object table behind it.
#include "scene3d/draw3d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <sstream>

#include "recording_surface.h"

using namespace heliomark;

namespace {

constexpr float H = 111.80339887f;  // half the diagonal of a 200 x 100 surface
constexpr float Quarter = static_cast<float>(3.14159265358979 / 2);

std::string Text(const std::vector<float>& v) {
    std::ostringstream s;
    for (std::size_t i = 0; i < v.size(); ++i)
        s << (i ? ", " : "(") << v[i];
    return v.empty() ? "nothing" : s.str() + ")";
}
bool Near(const std::vector<float>& got, const std::vector<float>& expected, double tolerance) {
    return got.size() == expected.size() &&
           std::ranges::equal(got, expected, [=](float a, float b) { return std::abs(a - b) < tolerance; });
}

// Draws `object`, made visible, alone onto `surface`: the lines' ends, the discs' centres and radii,
// then the labels' places.
std::vector<float> DrawAlone(Object3D& object, RecordingSurface& surface, float viewField = 1,
                             const Camera& camera = {}) {
    object.Visible(true);
    Draw3D d;
    d.DisplayObject(&surface);
    d.ViewField(viewField);
    d.AddObject(object);
    d.Draw(camera);
    std::vector<float> drawn;
    for (const auto& l : surface.Lines)
        drawn.insert(drawn.end(), {l.X1, l.Y1, l.X2, l.Y2});
    for (const auto& c : surface.Circles)
        drawn.insert(drawn.end(), {c.X, c.Y, c.Radius});
    for (const auto& t : surface.Prints)
        drawn.insert(drawn.end(), {t.X, t.Y});
    return drawn;
}

}  // namespace

TEST(Draw3D, SurfaceOriginAtTheCentreXLeftwardYUpward) {
    // Odd sizes halve toward zero; fractional ones round half to even first (200.5 -> 200, 201.5 -> 202).
    for (const auto& [w, h, left, top] : {std::array{305.f, 209.f, 152.f, 104.f},
                                          {200.5f, 100.5f, 100.f, 50.f},
                                          {201.5f, 99.5f, 101.f, 50.f}}) {
        RecordingSurface s(w, h);
        Draw3D d;
        d.DisplayObject(&s);
        EXPECT_EQ(s.Scale, (std::vector<float>{left, top, -w, -h})) << w << " x " << h;
        EXPECT_NEAR(d.HalfDiagonal(), std::hypot(w, h) / 2, 1e-4) << w << " x " << h;
    }
}

// A camera at the origin looking along +X through a 45° cone (ViewField 1): Depth = X, Horizontal = Y,
// Vertical = Z, the rim of the cone at the surface's corners. One point: a label; two: a line.
TEST(Draw3D, LinesAreClippedAtTheConeRimAndLabelsNeedTheirPlaceInView) {
    const struct {
        const char* What;
        std::vector<Point3D> Points;
        std::vector<float> Drawn;
        float ViewField = 1;
        Camera Cam = {};
    } cases[] = {
        {"an end on the rim is in view", {{1, 1, 0}, {2, 0, 0}}, {H, 0, 0, 0}},
        {"from the camera plane: stops at the rim", {{0, 0.5f, 0}, {2, 0, 0}}, {H, 0, 0, 0}},
        // Not towards the rear point's mirror image at (-H/2, 0).
        {"towards a point behind the camera: up to the rim", {{2, 0, 0}, {-1, 0.5f, 0}}, {0, 0, H, 0}},
        {"crossing the cone", {{1, -2, 0.5f}, {1, 2, 0.5f}}, {-0.8660254f * H, H / 2, 0.8660254f * H, H / 2}},
        {"crossings on the rear cone", {{0.5f, -3, 0}, {-2, 3, 0}}, {}},
        {"both ends behind", {{-1, -2, 0}, {-1, 2, 0}}, {}},
        {"entering the rear cone only", {{1, 2, 0}, {-1, 0.1f, 0}}, {}},
        {"parallel to the side of the cone (A = 0)", {{1, 0, 0}, {-1, 2, 0}}, {}},
        {"a label on the rim", {{1, 1, 0}}, {H, 0}},
        {"right of and below the centre: negative x and y", {{4, -2, -3}}, {-H / 2, -0.75f * H}},
        {"a label just outside the rim", {{1, 1.001f, 0}}, {}},
        {"a label on the camera plane", {{0, 0.5f, 0}}, {}},
        {"a label straight behind", {{-2, 0, 0}}, {}},
        {"on the rim of a wider cone", {{1, 2, 0}}, {H, 0}, 2},
        {"looking back from outside", {{0, -1, 1}}, {H / 3, H / 3}, 1, {3, 0, 0, 0, 2 * Quarter}}};
    for (const auto& c : cases) {
        RecordingSurface surface(200, 100);
        Object3D o;
        for (const Point3D& p : c.Points)
            o.AddPoint(p.X, p.Y, p.Z);
        if (c.Points.size() == 2)
            o.AddLine(1, 2, 0x123456);
        else
            o.AddCircle(c.Points[0].X, c.Points[0].Y, c.Points[0].Z, 0, 0, "L");
        const auto drawn = DrawAlone(o, surface, c.ViewField, c.Cam);
        EXPECT_TRUE(Near(drawn, c.Drawn, 2e-3)) << c.What << ": drew " << Text(drawn);
    }
    // Rounding can flag an end in view whose line then misses the cone (no real crossing).
    ProjectedPoint p1{1, 0, 5, 0, 0, true, true}, p2{1, 3, 5, 0, 0, true, false};
    CameraPoint from, to;
    EXPECT_FALSE(ClipLine(p1, p2, 1, from, to) || ClipLine(p2, p1, 1, from, to));
    p2.Horizontal = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(ClipLine(p1, p2, 1, from, to));
    // A disc's size follows its true distance (5 here), not its depth (4).
    Object3D disc;
    RecordingSurface surface(200, 100);
    disc.AddCircle(4, 0, 3, 0.5f, 0xFF00, "");
    const auto drawn = DrawAlone(disc, surface);
    EXPECT_TRUE(Near(drawn, {0, 0.75f * H, 0.1f * H}, 1e-3) && surface.Circles[0].Color == 0xFF00u)
        << Text(drawn);
}

TEST(Draw3D, DrawsVisibleObjectsInListOrderAndNothingUndefined) {
    RecordingSurface surface(200, 100);
    Draw3D scene;
    scene.DisplayObject(&surface);
    scene.ViewField(1);
    Object3D a, hidden, b, removed;
    a.AddPoint(2, 0, 0);
    a.AddPoint(2, 1, 0);
    a.AddLine(1, 2, 1);
    a.AddLine(2, 1, 1);
    a.AddCircle(2, 0, 0, 0, 0, "A");
    hidden.AddCircle(2, 0, 0, 0, 0, "hidden");
    b.AddCircle(2, 0, 0, 0.1f, 2, "");
    b.AddPoint(3, 0, 0);  // points alone draw nothing
    removed.AddCircle(2, 0, 0, 0, 0, "removed");
    for (Object3D* o : {&a, &b, &removed})
        o->Visible(true);
    for (Object3D* o : {&removed, &a, &hidden, &b})
        scene.AddObject(*o);
    for (int position : {0, 5, 1})  // positions outside 1..4 are ignored; 1 is a position, not a DataIndex
        scene.RemoveObject(static_cast<int16_t>(position));
    scene.Draw(Camera{});
    scene.Draw(Camera{});
    EXPECT_EQ(surface.ClearCount, 2);
    EXPECT_EQ(surface.Order, "PLLC") << "labels, lines, then discs; A before B";
    EXPECT_TRUE(surface.Prints[0].Text == "A" && surface.Lines[0].Color == 1u &&
                surface.Circles[0].Color == 2u);
    EXPECT_EQ(scene.DrawList(), (std::vector<int16_t>{a.DataIndex, hidden.DataIndex, b.DataIndex}));
}

// Random lines and camera poses against the visible part computed independently in double precision:
// the t-interval of the segment that lies inside the cone and in front of the camera.
TEST(Draw3D, ClippedEndsMatchAnExactComputation) {
    std::mt19937 random(20240621);
    std::uniform_real_distribution<float> coord(-3, 3), angle(-3.2f, 3.2f), field(0.2f, 1.6f);
    RecordingSurface surface(305, 209);
    int checked = 0;
    for (int n = 0; n < 4000; ++n) {
        const Camera cam{coord(random) / 3, coord(random) / 3, coord(random) / 3, angle(random) / 2,
                         angle(random)};
        const float k = field(random);
        const Point3D a{coord(random), coord(random), coord(random)},
            b{coord(random), coord(random), coord(random)};
        auto frame = [&](const Point3D& p) {  // the camera frame, in double
            const double dx = double(p.X) - cam.X, dy = double(p.Y) - cam.Y, dz = double(p.Z) - cam.Z;
            const double t = dx * std::cos(cam.AnH) + dy * std::sin(cam.AnH);
            return std::array<double, 3>{t * std::cos(cam.AnV) + dz * std::sin(cam.AnV),
                                         dy * std::cos(cam.AnH) - dx * std::sin(cam.AnH),
                                         dz * std::cos(cam.AnV) - t * std::sin(cam.AnV)};
        };
        const auto p = frame(a), q = frame(b);
        const double dd = q[0] - p[0], da = q[1] - p[1], db = q[2] - p[2], kk = double(k) * k;
        auto at = [&](double t) {
            return std::array<double, 3>{p[0] + t * dd, p[1] + t * da, p[2] + t * db};
        };
        // Boundaries: the ends, the cone crossings, the camera plane.
        const double A = da * da + db * db - kk * dd * dd, B = p[1] * da + p[2] * db - kk * p[0] * dd,
                     C = p[1] * p[1] + p[2] * p[2] - kk * p[0] * p[0], disc = B * B - A * C;
        std::vector<double> cuts{0, 1};
        if (disc >= 0 && A != 0)
            cuts.insert(cuts.end(), {(-B - std::sqrt(disc)) / A, (-B + std::sqrt(disc)) / A});
        if (dd != 0) cuts.push_back(-p[0] / dd);
        std::erase_if(cuts, [](double t) { return !(t >= 0 && t <= 1); });
        std::ranges::sort(cuts);
        // Leave out the ill-conditioned cases: near-tangent lines, crossings close together or at the ends.
        bool clear = std::abs(A) > 1e-3 && (disc < 0 || disc > 1e-4);
        double lo = 2, hi = -1;
        for (std::size_t i = 1; i < cuts.size(); ++i) {
            clear = clear && cuts[i] - cuts[i - 1] > 1e-3;
            const auto m = at((cuts[i - 1] + cuts[i]) / 2);
            if (m[0] > 0 && m[1] * m[1] + m[2] * m[2] <= kk * m[0] * m[0])
                lo = std::min(lo, cuts[i - 1]), hi = std::max(hi, cuts[i]);
        }
        if (!clear) continue;
        Object3D o;
        o.AddPoint(a.X, a.Y, a.Z), o.AddPoint(b.X, b.Y, b.Z), o.AddLine(1, 2, 7);
        const auto drawn = DrawAlone(o, surface, k, cam);
        const std::string what = "line " + Text({a.X, a.Y, a.Z}) + " to " + Text({b.X, b.Y, b.Z});
        ASSERT_EQ(drawn.size(), lo > hi ? 0u : 4u) << what;
        if (++checked, lo > hi) continue;
        const double scale = std::hypot(305.0, 209.0) / 2 / k;
        const auto s = at(lo), e = at(hi);
        const std::vector<float> ends{float(s[1] / s[0] * scale), float(s[2] / s[0] * scale),
                                      float(e[1] / e[0] * scale), float(e[2] / e[0] * scale)};
        // The float quadratic formula's error in t moves an end by |d(screen)/dt| per unit t.
        const double r = std::sqrt(std::max(disc, 0.0)),
                     dt = std::numeric_limits<float>::epsilon() *
                          ((B * B + std::abs(A * C)) / (2 * r) + std::abs(B) + r) / std::abs(A);
        auto speed = [&](const std::array<double, 3>& c) {
            return std::hypot(da * c[0] - c[1] * dd, db * c[0] - c[2] * dd) / (c[0] * c[0]) * scale;
        };
        const double tol = 5e-3 + (disc > 0 ? 8 * dt * std::max(speed(s), speed(e)) : 0);
        EXPECT_TRUE(Near(drawn, ends, tol) || Near(drawn, {ends[2], ends[3], ends[0], ends[1]}, tol))
            << what << ": drew " << Text(drawn) << ", expected " << Text(ends);
    }
    EXPECT_GT(checked, 3000);
}

// Rings are turned by Rotate: a ring about the X axis becomes, under AngleA = 90°, a ring about Y.
TEST(Draw3D, RingsTurnLikeTheCamera) {
    // A ring of four about the X axis after a point already there: the first line closes the ring.
    Object3D o;
    o.AddPoint(9, 9, 9);
    AddRing(o, 0, 0, 0, 1, 0, 0, 4, 0xABCDEF);
    // Turned and moved to (1, 2, 3).
    AddRing(o, 1, 2, 3, 2, Quarter, 0, 4, 0);
    const ObjectData& r = DataAt(o.DataIndex);
    std::vector<float> points, lines;
    for (const Point3D& p : r.Points)
        points.insert(points.end(), {p.X, p.Y, p.Z});
    for (const Line3D& l : r.Lines)
        lines.insert(lines.end(), {float(l.Point1), float(l.Point2)});
    EXPECT_TRUE(Near(
        points, {9, 9, 9, 0, 1, 0, 0, 0, 1, 0, -1, 0, 0, 0, -1, -1, 2, 3, 1, 2, 5, 3, 2, 3, 1, 2, 1}, 1e-6))
        << Text(points);
    EXPECT_EQ(lines, (std::vector<float>{5, 2, 2, 3, 3, 4, 4, 5, 9, 6, 6, 7, 7, 8, 8, 9}));
    EXPECT_EQ(r.Lines[0].Color, 0xABCDEFu);
}

TEST(Object3D, SlotsAreReusedAndRecordsEditedInPlace) {
    Data.clear();  // the empty table a program starts with
    auto one = std::make_unique<Object3D>();
    const Object3D two;
    auto three = std::make_unique<Object3D>();
    EXPECT_TRUE(one->DataIndex == 1 && three->DataIndex == 3 && !three->Visible())
        << "new slots start hidden";
    one->AddPoint(1, 2, 3);
    one->AddCircle(0, 0, 0, 1, 0xFF, "x");
    one->Visible(true);
    three.reset(), one.reset();  // only frees the slots: the geometry and the flag stay
    EXPECT_TRUE(!Data[0].Used && Data[0].PointsCount() == 1 && Data[0].Visible);
    const Object3D first, again;  // the first free slot, not the last one freed, emptied, keeping the flag
    EXPECT_TRUE(first.DataIndex == 1 && again.DataIndex == 3 && DataCount() == 3 && first.Visible() &&
                Data[0].PointsCount() + Data[0].CirclesCount() == 0);
    EXPECT_THROW(DataAt(0), std::out_of_range);
    EXPECT_THROW(DataAt(4), std::out_of_range);
    // Removing keeps the order and leaves the lines' point numbers; indices outside the lists do nothing.
    Object3D o;
    for (int i = 1; i <= 4; ++i)
        o.AddPoint(static_cast<float>(i), 0, 0);
    o.AddLine(3, 4, 1);
    o.AddLine(1, 2, 2);
    o.AddCircle(1, 1, 1, 0, 0, "N");
    o.AddCircle(2, 2, 2, 0, 0, "S");
    for (const int16_t i : {0, -1, 5, 99, 2})
        o.RemovePoint(i), o.RemoveLine(static_cast<int16_t>(i - 1)),
            o.RemoveCircle(static_cast<int16_t>(i - 1));
    const ObjectData& r = DataAt(o.DataIndex);
    EXPECT_TRUE(r.PointsCount() == 3 && r.Points[1].X == 3 && r.Points[2].X == 4 && r.LinesCount() == 1 &&
                r.Lines[0].Point2 == 2 && r.Lines[0].Color == 2u && r.CirclesCount() == 1 &&
                r.Circles[0].Caption == "S");
    o.Init();
    EXPECT_EQ(r.PointsCount() + r.LinesCount() + r.CirclesCount(), 0);
}
