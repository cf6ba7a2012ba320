#include "scene3d/object3d.h"

#include <limits>
#include <stdexcept>
#include <utility>

namespace heliomark {

std::vector<ObjectData> Data;

int16_t DataCount() {
    return static_cast<int16_t>(Data.size());
}

ObjectData& DataAt(int16_t index) {
    if (index < 1 || index > DataCount())
        throw std::out_of_range("no 3D object slot " + std::to_string(index));
    return Data[static_cast<std::size_t>(index - 1)];
}

namespace {

// Counts are 16-bit: a list never grows past what they can number.
template <typename T>
void Append(std::vector<T>& list, T item) {
    if (list.size() >= static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
        throw std::length_error("a 3D object holds at most 32767 points, lines or circles");
    }
    list.push_back(std::move(item));
}

template <typename T>
void RemoveAt(std::vector<T>& list, int16_t index) {
    if (index < 1 || static_cast<std::size_t>(index) > list.size()) return;
    list.erase(list.begin() + (index - 1));
}

}  // namespace

Object3D::Object3D() {
    for (std::size_t k = 0; k < Data.size(); ++k) {
        if (!Data[k].Used) {
            Data[k].Used = true;
            DataIndex = static_cast<int16_t>(k + 1);
            // A reused slot still holds its last owner's geometry; only its Visible flag carries over.
            Init();
            return;
        }
    }
    if (Data.size() >= static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
        throw std::length_error("the 3D object table is full");
    }
    Data.emplace_back();
    Data.back().Used = true;
    DataIndex = DataCount();
}

Object3D::~Object3D() {
    if (DataIndex >= 1 && DataIndex <= DataCount())
        Data[static_cast<std::size_t>(DataIndex - 1)].Used = false;
}

ObjectData& Object3D::Record() const {
    return DataAt(DataIndex);
}

void Object3D::AddPoint(float X, float Y, float Z) {
    Append(Record().Points, Point3D{X, Y, Z});
}

void Object3D::RemovePoint(int16_t Index) {
    RemoveAt(Record().Points, Index);
}

void Object3D::AddLine(int16_t Point1, int16_t Point2, Color32 Color) {
    Append(Record().Lines, Line3D{Point1, Point2, Color});
}

void Object3D::RemoveLine(int16_t Index) {
    RemoveAt(Record().Lines, Index);
}

void Object3D::AddCircle(float X, float Y, float Z, float Radius, Color32 Color, const std::string& Caption) {
    Append(Record().Circles, Circle3D{X, Y, Z, Radius, Color, Caption});
}

void Object3D::RemoveCircle(int16_t Index) {
    RemoveAt(Record().Circles, Index);
}

void Object3D::Init() {
    ObjectData& r = Record();
    r.Points.clear();
    r.Lines.clear();
    r.Circles.clear();
}

bool Object3D::Visible() const {
    return Record().Visible;
}

void Object3D::Visible(bool value) {
    Record().Visible = value;
}

int16_t Object3D::PointsCount() const {
    return Record().PointsCount();
}

}  // namespace heliomark
