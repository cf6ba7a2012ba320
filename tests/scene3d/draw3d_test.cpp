// The 3D renderer: projection, clipping at the view cone (against a double-precision computation),
// camera poses, draw order, and the object table behind it.
#include "scene3d/draw3d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <sstream>

#include "recording_surface.h"

using namespace heliomark;

namespace {

constexpr float H = 111.80339887f;  // half the diagonal of a 200 x 100 surface
constexpr float Quarter = static_cast<float>(3.14159265358979 / 2);

std::string Describe(const Point3D& p) {
    std::ostringstream s;
    s << "(" << p.X << ", " << p.Y << ", " << p.Z << ")";
    return s.str();
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

// Where a label anchored at p is printed on a 200 x 100 surface, if it is printed at all.
std::optional<std::pair<float, float>> LabelAt(const Point3D& p, const Camera& camera = {},
                                               float viewField = 1) {
    RecordingSurface surface(200, 100);
    Object3D o;
    o.AddCircle(p.X, p.Y, p.Z, 0, 0, "L");
    DrawAlone(o, surface, viewField, camera);
    if (surface.Prints.empty()) return std::nullopt;
    return std::make_pair(surface.Prints[0].X, surface.Prints[0].Y);
}

}  // namespace

TEST(Draw3D, SurfaceOriginAtTheCentreXLeftwardYUpward) {
    // Odd sizes are halved toward zero; fractional ones rounded half to even first (200.5 -> 200, 201.5 ->
    // 202).
    for (const auto& [w, h, left, top] : {std::array{200.f, 100.f, 100.f, 50.f},
                                          {305.f, 209.f, 152.f, 104.f},
                                          {200.5f, 100.5f, 100.f, 50.f},
                                          {201.5f, 99.5f, 101.f, 50.f}}) {
        RecordingSurface s(w, h);
        Draw3D d;
        d.DisplayObject(&s);
        EXPECT_TRUE(s.ScaleLeft == left && s.ScaleTop == top && s.ScaleWidth == -w && s.ScaleHeight == -h &&
                    std::abs(d.HalfDiagonal() - std::hypot(w, h) / 2) < 1e-4)
            << w << " x " << h << ": " << s.ScaleLeft << ", " << s.ScaleTop << ", " << s.ScaleWidth << ", "
            << s.ScaleHeight;
    }
}

// A camera at the origin looking along +X through a 45° cone (ViewField 1): Depth = X, Horizontal = Y,
// Vertical = Z, and the rim of the cone at the corners of the surface.
TEST(Draw3D, LinesAreClippedAtTheConeRim) {
    const struct {
        const char* What;
        Point3D A, B;
        std::optional<std::array<float, 4>> Drawn;
    } cases[] = {
        {"both ends in view", {2, 0, 0}, {4, 1, -2}, {{0, 0, H / 4, -H / 2}}},
        {"an end on the rim is in view", {1, 1, 0}, {2, 0, 0}, {{H, 0, 0, 0}}},
        {"an end on a slanted rim", {5, 3, 4}, {2, 0, 0}, {{0.6f * H, 0.8f * H, 0, 0}}},
        {"from the camera plane: stops at the rim", {0, 0.5f, 0}, {2, 0, 0}, {{H, 0, 0, 0}}},
        // Not towards the rear point's mirror image at (-H/2, 0).
        {"towards a point behind the camera: up to the rim", {2, 0, 0}, {-1, 0.5f, 0}, {{0, 0, H, 0}}},
        {"crossing the cone",
         {1, -2, 0.5f},
         {1, 2, 0.5f},
         {{-0.8660254f * H, 0.5f * H, 0.8660254f * H, 0.5f * H}}},
        {"crossings on the rear cone", {0.5f, -3, 0}, {-2, 3, 0}, std::nullopt},
        {"both ends behind", {-1, -2, 0}, {-1, 2, 0}, std::nullopt},
        {"passing beside the cone", {1, 2, 0}, {1, 3, 0}, std::nullopt},
        {"entering the rear cone only", {1, 2, 0}, {-1, 0.1f, 0}, std::nullopt},
        {"leaving the rear cone only", {-1, 0.1f, 0}, {1, 2, 0}, std::nullopt},
        {"parallel to the side of the cone (A = 0)", {1, 0, 0}, {-1, 2, 0}, std::nullopt},
    };
    for (const auto& c : cases) {
        RecordingSurface surface(200, 100);
        Object3D o;
        o.AddPoint(c.A.X, c.A.Y, c.A.Z);
        o.AddPoint(c.B.X, c.B.Y, c.B.Z);
        o.AddLine(1, 2, 0x123456);
        DrawAlone(o, surface, 1, Camera{});
        const std::string what = std::string(c.What) + ": " + Describe(c.A) + " to " + Describe(c.B);
        ASSERT_EQ(surface.Lines.size(), c.Drawn ? 1u : 0u) << what;
        if (!c.Drawn) continue;
        const auto& l = surface.Lines[0];
        const auto& e = *c.Drawn;
        EXPECT_TRUE(std::abs(l.X1 - e[0]) < 2e-3 && std::abs(l.Y1 - e[1]) < 2e-3 &&
                    std::abs(l.X2 - e[2]) < 2e-3 && std::abs(l.Y2 - e[3]) < 2e-3 && l.Color == 0x123456u)
            << what << ": drawn " << l.X1 << ", " << l.Y1 << " to " << l.X2 << ", " << l.Y2;
    }
    // Rounding can flag an end in view whose line then misses the cone (no real crossing).
    ProjectedPoint p1{1, 0, 5, 0, 0, true, true}, p2{1, 3, 5, 0, 0, true, false};
    CameraPoint from, to;
    EXPECT_FALSE(ClipLine(p1, p2, 1, from, to));
    EXPECT_FALSE(ClipLine(p2, p1, 1, from, to));
    p2.Horizontal = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(ClipLine(p1, p2, 1, from, to));
}

TEST(Draw3D, LabelsAndDiscsNeedTheirCentreInViewAndFollowTheCamera) {
    const struct {
        const char* What;
        Point3D P;
        Camera Cam;
        float ViewField;
        std::optional<std::pair<float, float>> At;
    } cases[] = {
        {"straight ahead", {2, 0, 0}, {}, 1, {{0, 0}}},
        {"on the rim", {1, 1, 0}, {}, 1, {{H, 0}}},
        {"below the centre: negative y", {4, 0, -3}, {}, 1, {{0, -0.75f * H}}},
        {"to the camera's right: negative x", {2, -1, 0}, {}, 1, {{-H / 2, 0}}},
        {"just outside the rim", {1, 1.001f, 0}, {}, 1, std::nullopt},
        {"on the camera plane", {0, 0.5f, 0}, {}, 1, std::nullopt},
        {"at the camera", {0, 0, 0}, {}, 1, std::nullopt},
        {"straight behind", {-2, 0, 0}, {}, 1, std::nullopt},
        {"on the rim of a wider cone", {1, 2, 0}, {}, 2, {{H, 0}}},
        {"just outside the wider cone", {1, 2.01f, 0}, {}, 2, std::nullopt},
        {"turned a quarter: -X on the left", {-1, 2, 0}, {0, 0, 0, 0, Quarter}, 1, {{H / 2, 0}}},
        {"looking up, heading +X: -X at the top", {-1, 0, 2}, {0, 0, 0, Quarter, 0}, 1, {{0, H / 2}}},
        {"a moved camera", {12, 6, -1}, {10, 5, -1, 0, 0}, 1, {{H / 2, 0}}},
        {"looking back at the centre from outside",
         {0, -1, 1},
         {3, 0, 0, 0, 2 * Quarter},
         1,
         {{H / 3, H / 3}}},
    };
    for (const auto& c : cases) {
        const auto at = LabelAt(c.P, c.Cam, c.ViewField);
        ASSERT_EQ(at.has_value(), c.At.has_value()) << c.What << " " << Describe(c.P);
        EXPECT_TRUE(!at ||
                    (std::abs(at->first - c.At->first) < 2e-3 && std::abs(at->second - c.At->second) < 2e-3))
            << c.What << ": at " << at->first << ", " << at->second;
    }
    // A disc's size follows its true distance (5 here), not its depth (4).
    RecordingSurface surface(200, 100);
    Object3D disc;
    disc.AddCircle(4, 0, 3, 0.5f, 0xFF00, "");
    DrawAlone(disc, surface, 1, Camera{});
    ASSERT_EQ(surface.Circles.size(), 1u);
    EXPECT_NEAR(surface.Circles[0].Radius, 0.1f * H, 1e-4);
    EXPECT_NEAR(surface.Circles[0].Y, 0.75f * H, 1e-3);
    EXPECT_EQ(surface.Circles[0].Color, 0xFF00u);
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
    scene.RemoveObject(0);  // list positions outside 1..4 are ignored
    scene.RemoveObject(5);
    scene.RemoveObject(1);  // a position, not a DataIndex
    scene.Draw(Camera{});
    scene.Draw(Camera{});
    using K = RecordingSurface::Kind;
    EXPECT_EQ(surface.ClearCount, 2);
    EXPECT_EQ(surface.Order, (std::vector<K>{K::Print, K::Line, K::Line, K::Circle}))
        << "labels, lines, then discs; A before B";
    ASSERT_EQ(surface.Prints.size(), 1u);
    EXPECT_EQ(surface.Prints[0].Text, "A");
    EXPECT_EQ(scene.DrawList(), (std::vector<int16_t>{a.DataIndex, hidden.DataIndex, b.DataIndex}));

    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    for (const Point3D& p :
         {Point3D{nan, 0, 0}, Point3D{2, nan, 0}, Point3D{inf, 0, 0}, Point3D{2, inf, 0}, Point3D{-inf, 1, 0},
          Point3D{1, inf, inf}, Point3D{1e30f, 1e30f, 0}, Point3D{0, 0, 0}}) {
        Object3D o;
        o.AddPoint(2, 0, 0);
        o.AddPoint(p.X, p.Y, p.Z);
        o.AddPoint(1, 3, 0);
        for (const auto& [from, to] :
             {std::pair{1, 2}, {2, 1}, {3, 2}, {1, 7}, {0, 1}})  // 7 and 0: no such point
            o.AddLine(static_cast<int16_t>(from), static_cast<int16_t>(to), 1);
        o.AddCircle(p.X, p.Y, p.Z, 0.5f, 1, "");
        o.AddCircle(p.X, p.Y, p.Z, 0, 1, "L");
        o.AddCircle(2, 0, 0, nan, 1, "");
        DrawAlone(o, surface, 1, Camera{});
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
        for (std::size_t i = 1; i < cuts.size(); ++i)
            clear = clear && cuts[i] - cuts[i - 1] > 1e-3;
        if (!clear) continue;
        double lo = 2, hi = -1;
        for (std::size_t i = 1; i < cuts.size(); ++i) {
            const auto m = at((cuts[i - 1] + cuts[i]) / 2);
            if (m[0] > 0 && m[1] * m[1] + m[2] * m[2] <= kk * m[0] * m[0])
                lo = std::min(lo, cuts[i - 1]), hi = std::max(hi, cuts[i]);
        }
        Object3D o;
        o.AddPoint(a.X, a.Y, a.Z);
        o.AddPoint(b.X, b.Y, b.Z);
        o.AddLine(1, 2, 7);
        const double scale = DrawAlone(o, surface, k, cam) / k;
        ++checked;
        const std::string what = "line " + Describe(a) + " to " + Describe(b) + ", case " + std::to_string(n);
        ASSERT_EQ(surface.Lines.size(), lo > hi ? 0u : 1u) << what;
        if (lo > hi) continue;
        const auto s = at(lo), e = at(hi);
        const double sx = s[1] / s[0] * scale, sy = s[2] / s[0] * scale, ex = e[1] / e[0] * scale,
                     ey = e[2] / e[0] * scale;
        // Single precision: the float quadratic formula loses accuracy in B² - AC and in -B ± √disc by the
        // usual error bounds; that error in t moves an end by |d(screen)/dt| per unit t.
        const double eps = std::numeric_limits<float>::epsilon();
        const double dt =
            disc > 0
                ? eps * ((B * B + std::abs(A * C)) / (2 * std::sqrt(disc)) + std::abs(B) + std::sqrt(disc)) /
                      std::abs(A)
                : 0;
        auto speed = [&](const std::array<double, 3>& c) {
            return std::hypot((da * c[0] - c[1] * dd) / (c[0] * c[0]),
                              (db * c[0] - c[2] * dd) / (c[0] * c[0])) *
                   scale;
        };
        const double tol = 5e-3 + 8 * dt * std::max(speed(s), speed(e));
        const auto& l = surface.Lines[0];
        auto near = [tol](double x1, double y1, double x2, double y2) {
            return std::abs(x1 - x2) < tol && std::abs(y1 - y2) < tol;
        };
        EXPECT_TRUE((near(l.X1, l.Y1, sx, sy) && near(l.X2, l.Y2, ex, ey)) ||
                    (near(l.X1, l.Y1, ex, ey) && near(l.X2, l.Y2, sx, sy)))
            << what << ": drawn (" << l.X1 << ", " << l.Y1 << ") to (" << l.X2 << ", " << l.Y2
            << "), expected (" << sx << ", " << sy << ") to (" << ex << ", " << ey << ")";
    }
    EXPECT_GT(checked, 3000);
}

TEST(Draw3D, RotateAndRingsTurnLikeTheCamera) {
    const struct {
        Point3D P;
        float H, V;
        Point3D Expected;
    } cases[] = {
        {{1, 0, 0}, 0, 0, {1, 0, 0}},        {{1, 0, 0}, Quarter, 0, {0, -1, 0}},
        {{0, 1, 0}, Quarter, 0, {1, 0, 0}},  {{0, 0, 1}, 0, Quarter, {1, 0, 0}},
        {{1, 0, 0}, 0, Quarter, {0, 0, -1}}, {{0, 1, 0}, -Quarter, -Quarter, {0, 0, -1}},
    };
    for (const auto& c : cases) {
        const Point3D r = Rotate(c.P, c.H, c.V);
        EXPECT_TRUE(std::abs(r.X - c.Expected.X) < 1e-6 && std::abs(r.Y - c.Expected.Y) < 1e-6 &&
                    std::abs(r.Z - c.Expected.Z) < 1e-6)
            << Describe(c.P) << " by " << c.H << ", " << c.V << " gave " << Describe(r);
    }
    // A ring of four about the X axis after a point already there: the first line closes the ring.
    Object3D o;
    o.AddPoint(9, 9, 9);
    AddRing(o, 0, 0, 0, 1, 0, 0, 4, 0xABCDEF);
    // Turned and moved: a ring about the X axis becomes, under AngleA = 90°, a ring about Y at (1, 2, 3).
    AddRing(o, 1, 2, 3, 2, Quarter, 0, 4, 0);
    const ObjectData& r = DataAt(o.DataIndex);
    const Point3D points[] = {{9, 9, 9},  {0, 1, 0}, {0, 0, 1}, {0, -1, 0}, {0, 0, -1},
                              {-1, 2, 3}, {1, 2, 5}, {3, 2, 3}, {1, 2, 1}};
    ASSERT_EQ(r.PointsCount(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(std::abs(r.Points[i].X - points[i].X) < 1e-6 &&
                    std::abs(r.Points[i].Y - points[i].Y) < 1e-6 &&
                    std::abs(r.Points[i].Z - points[i].Z) < 1e-6)
            << "point " << i + 1 << " is " << Describe(r.Points[i]);
    std::vector<std::array<int, 2>> lines;
    for (const Line3D& l : r.Lines)
        lines.push_back({l.Point1, l.Point2});
    EXPECT_EQ(lines, (std::vector<std::array<int, 2>>{
                         {5, 2}, {2, 3}, {3, 4}, {4, 5}, {9, 6}, {6, 7}, {7, 8}, {8, 9}}));
    EXPECT_EQ(r.Lines[0].Color, 0xABCDEFu);
}

TEST(Object3D, SlotsAreReusedAndRecordsEditedInPlace) {
    std::vector<std::unique_ptr<Object3D>> held;  // every free slot (other tests leave some behind)
    do
        held.push_back(std::make_unique<Object3D>());
    while (held.back()->DataIndex != DataCount());
    auto first = std::make_unique<Object3D>();
    const int16_t slot = first->DataIndex, count = DataCount();
    EXPECT_EQ(slot, count) << "a new slot at the end";
    EXPECT_FALSE(first->Visible()) << "a new slot starts hidden";
    first->AddPoint(1, 2, 3);
    first->AddLine(1, 1, 0xFF);
    first->AddCircle(0, 0, 0, 1, 0xFF, "x");
    first->Visible(true);
    first.reset();  // only frees the slot: the geometry and the flag stay
    EXPECT_TRUE(!DataAt(slot).Used && DataAt(slot).PointsCount() == 1 && DataAt(slot).Visible);
    Object3D second;  // takes the freed slot, empty, keeping the old Visible flag
    EXPECT_TRUE(second.DataIndex == slot && DataCount() == count && DataAt(slot).Used && second.Visible() &&
                second.PointsCount() == 0 && DataAt(slot).LinesCount() == 0 &&
                DataAt(slot).CirclesCount() == 0);
    const int16_t low = held.front()->DataIndex;
    held.back().reset();
    held.front().reset();
    EXPECT_EQ(Object3D().DataIndex, low) << "the first free slot is taken, not the last one freed";
    EXPECT_THROW(DataAt(0), std::out_of_range);
    EXPECT_THROW(DataAt(static_cast<int16_t>(DataCount() + 1)), std::out_of_range);

    // Removing keeps the order and leaves the lines' point numbers; indices outside the lists do nothing.
    Object3D o;
    for (int i = 1; i <= 4; ++i)
        o.AddPoint(static_cast<float>(i), 0, 0);
    o.AddLine(3, 4, 1);
    o.AddLine(1, 2, 2);
    o.AddCircle(1, 1, 1, 0, 0, "N");
    o.AddCircle(2, 2, 2, 0, 0, "S");
    for (const int16_t index : {0, -1, 5, 99, 2}) {
        o.RemovePoint(index);
        o.RemoveLine(static_cast<int16_t>(index - 1));
        o.RemoveCircle(static_cast<int16_t>(index - 1));
    }
    const ObjectData& r = DataAt(o.DataIndex);
    EXPECT_TRUE(r.PointsCount() == 3 && r.Points[1].X == 3 && r.Points[2].X == 4 && r.LinesCount() == 1 &&
                r.Lines[0].Point2 == 2 && r.Lines[0].Color == 2u && r.CirclesCount() == 1 &&
                r.Circles[0].Caption == "S");
    o.Init();
    EXPECT_TRUE(r.PointsCount() == 0 && r.LinesCount() == 0 && r.CirclesCount() == 0);
}
