#include "scene3d/draw3d.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "engine/engine.h"

namespace heliomark {

namespace {

bool Finite(float a, float b) {
    return std::isfinite(a) && std::isfinite(b);
}

CameraPoint PointAt(float t, float d1, float a1, float b1, float dd, float da, float db) {
    CameraPoint p;
    p.Vertical = t * db + b1;
    p.Horizontal = t * da + a1;
    p.Depth = t * dd + d1;
    return p;
}

CameraPoint CameraPart(const ProjectedPoint& p) {
    return CameraPoint{p.Depth, p.Horizontal, p.Vertical};
}

}  // namespace

bool ClipLine(const ProjectedPoint& p1, const ProjectedPoint& p2, float k, CameraPoint& from,
              CameraPoint& to) {
    if (!p1.InView && !p2.InView && !p1.InFront && !p2.InFront) return false;
    const float d1 = p1.Depth, a1 = p1.Horizontal, b1 = p1.Vertical;
    const float dd = p2.Depth - d1, da = p2.Horizontal - a1, db = p2.Vertical - b1;
    const float A = db * db + da * da - k * (dd * dd);
    const float B = b1 * db + a1 * da - k * d1 * dd;
    const float C = b1 * b1 + a1 * a1 - k * (d1 * d1);
    const float disc = B * B - A * C;
    // Written so that a NaN discriminant fails too.
    if (!(disc >= 0)) return false;
    const float root = std::sqrt(disc);

    if (p1.InView || p2.InView) {
        // The exact crossing exists here, but a segment parallel to the cone's side (A = 0) has only
        // the linear root, which this quadratic formula cannot give: no line rather than one drawn to
        // an undefined point.
        if (A == 0) return false;
        const float r1 = (-root - B) / A, r2 = (root - B) / A;
        const float lo = std::min(r1, r2), hi = std::max(r1, r2);
        // Leaving the cone from P1 the first crossing counts; entering it towards P2 the last one.
        const float candidate = p1.InView ? lo : hi;
        const float fallback = p1.InView ? hi : lo;
        const float t = (0 <= candidate && candidate < 1) ? candidate : fallback;
        const CameraPoint rim = PointAt(t, d1, a1, b1, dd, da, db);
        from = p1.InView ? CameraPart(p1) : rim;
        to = p1.InView ? rim : CameraPart(p2);
        return true;
    }

    const float t1 = (-root - B) / A, t2 = (root - B) / A;
    if (!(0 <= t1 && t1 < 1 && 0 <= t2 && t2 < 1)) return false;
    // Both crossings on the rear half of the double cone: the line passes behind the camera.
    if (d1 + t1 * dd <= 0) return false;
    from = PointAt(t1, d1, a1, b1, dd, da, db);
    to = PointAt(t2, d1, a1, b1, dd, da, db);
    return true;
}

void Draw3D::ViewField(float vNewValue) {
    viewField_ = vNewValue;
    viewFieldSquared_ = vNewValue * vNewValue;
}

void Draw3D::DisplayObject(DrawSurface* vNewValue) {
    surface_ = vNewValue;
    SetupSurface();
}

void Draw3D::AddObject(const Object3D& Obj3D) {
    drawList_.push_back(Obj3D.DataIndex);
}

void Draw3D::RemoveObject(int16_t ObjIndex) {
    if (ObjIndex < 1 || static_cast<std::size_t>(ObjIndex) > drawList_.size()) return;
    drawList_.erase(drawList_.begin() + (ObjIndex - 1));
}

void Draw3D::SetupSurface() {
    if (surface_ == nullptr) return;
    const float W = surface_->WidthPixels(), H = surface_->HeightPixels();
    halfDiagonal_ = std::sqrt(H * H / 4 + W * W / 4);
    // Origin at the centre (whole pixels, rounded half to even, then halved toward zero), x growing to
    // the left and y upward, so that what lies to the camera's left is drawn on the left.
    const long left = std::lrint(W) / 2, top = std::lrint(H) / 2;
    surface_->SetScale(static_cast<float>(left), static_cast<float>(top), -W, -H);
}

CameraPoint Draw3D::ToCamera(const Point3D& p) const {
    const float dx = p.X - camX_, dy = p.Y - camY_, dz = p.Z - camZ_;
    const float t = dx * cosH_ + dy * sinH_;
    CameraPoint c;
    c.Horizontal = dy * cosH_ - dx * sinH_;
    c.Depth = t * cosV_ + dz * sinV_;
    c.Vertical = dz * cosV_ - t * sinV_;
    return c;
}

bool Draw3D::InCone(const CameraPoint& p) const {
    return p.Depth > 0 &&
           p.Depth * p.Depth * viewFieldSquared_ >= p.Horizontal * p.Horizontal + p.Vertical * p.Vertical;
}

void Draw3D::Project(float horizontal, float vertical, float depth, float& screenX, float& screenY) const {
    screenX = horizontal / depth / viewField_ * halfDiagonal_;
    screenY = vertical / depth / viewField_ * halfDiagonal_;
}

void Draw3D::Draw(const Camera& camera) {
    if (surface_ == nullptr) return;
    camX_ = camera.X;
    camY_ = camera.Y;
    camZ_ = camera.Z;
    camAnH_ = camera.AnH;
    camAnV_ = camera.AnV;
    // Every point of the frame turns by the same angles.
    cosH_ = std::cos(camAnH_);
    sinH_ = std::sin(camAnH_);
    cosV_ = std::cos(camAnV_);
    sinV_ = std::sin(camAnV_);
    surface_->Clear();
    for (const int16_t index : drawList_) {
        if (index < 1 || index > DataCount()) continue;
        const ObjectData& record = Data[static_cast<std::size_t>(index - 1)];
        if (!record.Visible) continue;
        current_ = record;
        DrawObject();
    }
}

void Draw3D::DrawObject() {
    if (current_.PointsCount() > 0) projected_.resize(current_.Points.size());

    // Circles first, so that lines are drawn over them. They are not clipped: a disc or label whose
    // centre is out of view is left out whole.
    for (const Circle3D& circle : current_.Circles) {
        const CameraPoint c = ToCamera(Point3D{circle.X, circle.Y, circle.Z});
        if (!InCone(c)) continue;
        float x = 0, y = 0;
        Project(c.Horizontal, c.Vertical, c.Depth, x, y);
        if (!Finite(x, y)) continue;
        if (circle.Radius == 0) {
            surface_->Print(x, y, circle.Caption);
            continue;
        }
        // The apparent size follows the true distance from the camera, not the depth.
        const float distance =
            std::sqrt(c.Horizontal * c.Horizontal + c.Vertical * c.Vertical + c.Depth * c.Depth);
        const float radius = circle.Radius / distance / viewField_ * halfDiagonal_;
        if (std::isfinite(radius)) surface_->Circle(x, y, radius, circle.Color);
    }

    for (std::size_t i = 0; i < current_.Points.size(); ++i) {
        const CameraPoint c = ToCamera(current_.Points[i]);
        ProjectedPoint& p = projected_[i];
        p.Depth = c.Depth;
        p.Horizontal = c.Horizontal;
        p.Vertical = c.Vertical;
        p.InFront = c.Depth > 0;
        p.InView = p.InFront && InCone(c);
        if (p.InView) Project(c.Horizontal, c.Vertical, c.Depth, p.ScreenX, p.ScreenY);
    }

    for (const Line3D& line : current_.Lines)
        DrawLine(line);
}

void Draw3D::DrawLine(const Line3D& line) {
    const int16_t count = current_.PointsCount();
    if (line.Point1 < 1 || line.Point1 > count || line.Point2 < 1 || line.Point2 > count) return;
    const ProjectedPoint& p1 = projected_[static_cast<std::size_t>(line.Point1 - 1)];
    const ProjectedPoint& p2 = projected_[static_cast<std::size_t>(line.Point2 - 1)];
    float x1 = p1.ScreenX, y1 = p1.ScreenY, x2 = p2.ScreenX, y2 = p2.ScreenY;
    if (!p1.InView || !p2.InView) {
        CameraPoint from, to;
        if (!ClipLine(p1, p2, viewFieldSquared_, from, to)) return;
        // A point on or behind the camera plane has no projection (rounding can put a crossing there
        // when the line runs through the camera itself).
        if (!(from.Depth > 0) || !(to.Depth > 0)) return;
        Project(from.Horizontal, from.Vertical, from.Depth, x1, y1);
        Project(to.Horizontal, to.Vertical, to.Depth, x2, y2);
    }
    if (!Finite(x1, y1) || !Finite(x2, y2)) return;
    surface_->Line(x1, y1, x2, y2, line.Color);
}

Point3D Rotate(const Point3D& P, float AngleH, float AngleV) {
    const float cosH = std::cos(AngleH), sinH = std::sin(AngleH);
    const float cosV = std::cos(AngleV), sinV = std::sin(AngleV);
    const float x1 = P.Y * sinH + P.X * cosH;
    Point3D r;
    r.Y = P.Y * cosH - P.X * sinH;
    r.X = P.Z * sinV + x1 * cosV;
    r.Z = P.Z * cosV - x1 * sinV;
    return r;
}

void AddRing(Object3D& object, float CX, float CY, float CZ, float Radius, float AngleA, float AngleB,
             int16_t Segments, Color32 Color) {
    if (Segments <= 0) return;
    const int base = object.PointsCount();
    if (base + Segments > std::numeric_limits<int16_t>::max()) {
        throw std::length_error("a 3D object holds at most 32767 points");
    }
    const float step = static_cast<float>(TwoPi / Segments);
    float theta = 0;
    for (int i = 0; i < Segments; ++i) {
        const Point3D p =
            Rotate(Point3D{0, Radius * std::cos(theta), Radius * std::sin(theta)}, -AngleA, -AngleB);
        object.AddPoint(p.X + CX, p.Y + CY, p.Z + CZ);
        theta += step;
        // The first line closes the ring; it names the last point before that point exists.
        const int first = i == 0 ? base + Segments : base + i;
        const int second = i == 0 ? base + 1 : base + i + 1;
        object.AddLine(static_cast<int16_t>(first), static_cast<int16_t>(second), Color);
    }
}

}  // namespace heliomark
