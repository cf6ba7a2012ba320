// The renderer: draws the visible objects of a draw list, as seen by a Camera, onto a DrawSurface.
//
// The camera looks through a circular cone whose half-angle has the tangent ViewField; the rim of the
// cone maps to the corners of the surface. Points inside the cone are projected in perspective; lines
// that leave the cone are clipped exactly against it (not against the surface's rectangle), so a
// line running behind the camera is never drawn through the mirror image of its rear end.
//
// Everything is computed in single precision, in a fixed order of operations, so that a frame is the
// same on every machine.
#pragma once

#include <cstdint>
#include <vector>

#include "scene3d/camera.h"
#include "scene3d/draw_surface.h"
#include "scene3d/object3d.h"

namespace heliomark {

// A point in the camera frame: Depth along the view direction, Horizontal positive to the camera's
// left, Vertical positive upward.
struct CameraPoint {
    float Depth = 0, Horizontal = 0, Vertical = 0;
};

// A point of the object being drawn, transformed once per frame. ScreenX, ScreenY are meaningful only
// when InView.
struct ProjectedPoint {
    float Depth = 0, Horizontal = 0, Vertical = 0;
    float ScreenX = 0, ScreenY = 0;
    bool InFront = false;  // Depth > 0
    bool InView = false;   // inside the view cone (its rim included)
};

// The part of the line p1-p2 that lies inside the front half of the view cone
// Horizontal² + Vertical² <= k·Depth², for a line whose ends are not both in view. Returns false when
// nothing of it is to be drawn; otherwise `from` and `to` are its ends (an end in view is returned
// as it is).
//
// With P(t) = p1 + t (p2 - p1) the crossings solve A t² + 2 B t + C = 0. One end in view: the
// crossing nearer that end (the smaller root from p1, the larger towards p2, falling back to the
// other root when that one is not in [0, 1)). Neither end in view: both roots must lie in [0, 1)
// and the first crossing in front of the camera. A degenerate quadratic (A = 0) or one without real
// roots (possible from rounding when one end is in view) gives no line.
bool ClipLine(const ProjectedPoint& p1, const ProjectedPoint& p2, float k, CameraPoint& from,
              CameraPoint& to);

class Draw3D {
  public:
    Draw3D() = default;

    // Tangent of the half-angle of the view cone (surface centre to corner).
    float ViewField() const { return viewField_; }
    void ViewField(float vNewValue);

    // The surface drawn on. Setting it (again after the surface changes size) sets up its coordinate
    // system: origin at the centre, x growing to the LEFT, y upward, one unit per pixel.
    DrawSurface* DisplayObject() const { return surface_; }
    void DisplayObject(DrawSurface* vNewValue);

    // Appends the object's DataIndex to the draw list; objects are drawn in list order, later ones
    // over earlier ones. The list keeps the index, not the object.
    void AddObject(const Object3D& Obj3D);
    // Removes the entry at 1-based list position `ObjIndex` (not a DataIndex); other positions are
    // ignored.
    void RemoveObject(int16_t ObjIndex);
    // Clears the surface and draws every visible listed object. Needs a surface (nothing happens
    // without one) and a ViewField set beforehand.
    void Draw(const Camera& camera);

    // Half the surface diagonal in pixels, as found by the last DisplayObject set.
    float HalfDiagonal() const { return halfDiagonal_; }
    const std::vector<int16_t>& DrawList() const { return drawList_; }

  private:
    void SetupSurface();
    CameraPoint ToCamera(const Point3D& p) const;
    bool InCone(const CameraPoint& p) const;
    void Project(float horizontal, float vertical, float depth, float& screenX, float& screenY) const;
    void DrawObject();
    void DrawLine(const Line3D& line);

    std::vector<int16_t> drawList_;
    ObjectData current_;  // copy of the record being drawn
    float camX_ = 0, camY_ = 0, camZ_ = 0, camAnV_ = 0, camAnH_ = 0;
    float cosH_ = 1, sinH_ = 0, cosV_ = 1, sinV_ = 0;  // of the camera copy's angles
    std::vector<ProjectedPoint> projected_;
    DrawSurface* surface_ = nullptr;
    float halfDiagonal_ = 0;
    float viewFieldSquared_ = 0;
    float viewField_ = 0;
};

// P turned by AngleH about the Z axis, then by AngleV about the new Y axis (the rotation of the
// camera transform, without its translation).
Point3D Rotate(const Point3D& P, float AngleH, float AngleV);

// Adds a closed ring of `Segments` points and `Segments` lines to `object`: a circle of `Radius` in
// the local Y-Z plane, turned by Rotate(-AngleA, -AngleB) and centred on (CX, CY, CZ). The first line
// joins the last point to the first, the others join point i to i + 1.
void AddRing(Object3D& object, float CX, float CY, float CZ, float Radius, float AngleA, float AngleB,
             int16_t Segments, Color32 Color);

}  // namespace heliomark
