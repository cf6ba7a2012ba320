// Scene geometry: the records of one object (points, lines joining them, circles and labels), the
// module-level table `Data` that holds every object's record, and `Object3D`, the handle that owns a
// slot of that table.
//
// Everything is single precision, as the renderer computes. Indices are 16-bit and 1-based: point k
// of an object is Points[k - 1], slot k of the table is Data[k - 1].
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene3d/draw_surface.h"

namespace heliomark {

struct Point3D {
    float X = 0, Y = 0, Z = 0;
};

struct Line3D {
    int16_t Point1 = 0;  // 1-based index into the same object's points
    int16_t Point2 = 0;
    Color32 Color = 0;
};

// A screen-facing disc, or a text label when Radius is 0.
struct Circle3D {
    float X = 0, Y = 0, Z = 0;  // centre of the disc, anchor (top-left) of the label
    float Radius = 0;           // scene units; 0 makes the record a label
    Color32 Color = 0;          // outline of a disc; unused by a label
    std::string Caption;        // label text; unused by a disc
};

// One object's geometry. The counts are the sizes of the arrays, so they can never disagree.
// Lines name their end points by index and are resolved only when drawn: a line may be added before
// the points it joins.
struct ObjectData {
    std::vector<Point3D> Points;
    std::vector<Line3D> Lines;
    std::vector<Circle3D> Circles;
    bool Used = false;     // the slot belongs to a live Object3D
    bool Visible = false;  // the renderer draws the object only while this is set

    int16_t PointsCount() const { return static_cast<int16_t>(Points.size()); }
    int16_t LinesCount() const { return static_cast<int16_t>(Lines.size()); }
    int16_t CirclesCount() const { return static_cast<int16_t>(Circles.size()); }
};

// Every object's record, slot k at Data[k - 1]. It grows one slot at a time and never shrinks; the
// slot of a destroyed Object3D is handed to the next one created. Other code may read and write a
// record directly through an object's DataIndex (the sky model moves the Sun that way).
extern std::vector<ObjectData> Data;
// The number of slots (the table's 16-bit count).
int16_t DataCount();
// The record of slot `index` (1-based); throws std::out_of_range for a slot that does not exist.
ObjectData& DataAt(int16_t index);

// Handle on one slot of Data. Creating one takes the first free slot (or appends one); destroying it
// only marks the slot free, leaving its geometry and Visible flag behind. Every new object starts
// empty; a reused slot keeps the Visible flag it had, a new slot starts hidden.
class Object3D {
  public:
    Object3D();
    ~Object3D();
    Object3D(const Object3D&) = delete;
    Object3D& operator=(const Object3D&) = delete;

    // Index of the object's record in Data (1-based).
    int16_t DataIndex = 0;

    // Appends a point; lines refer to it by its new PointsCount.
    void AddPoint(float X, float Y, float Z);
    // Removes point `Index`; later points move down one place. Lines keep the indices they hold.
    // An index outside 1..PointsCount is ignored.
    void RemovePoint(int16_t Index);
    void AddLine(int16_t Point1, int16_t Point2, Color32 Color);
    void RemoveLine(int16_t Index);
    void AddCircle(float X, float Y, float Z, float Radius, Color32 Color, const std::string& Caption);
    void RemoveCircle(int16_t Index);
    // Deletes all points, lines and circles.
    void Init();
    bool Visible() const;
    void Visible(bool value);
    int16_t PointsCount() const;

  private:
    ObjectData& Record() const;
};

}  // namespace heliomark
