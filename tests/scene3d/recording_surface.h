// A drawing surface that remembers what was drawn on it since the last Clear, for tests and the
// benchmark.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scene3d/draw_surface.h"

namespace heliomark {

class RecordingSurface : public DrawSurface {
  public:
    struct LineCall {
        float X1, Y1, X2, Y2;
        Color32 Color;
    };
    struct CircleCall {
        float X, Y, Radius;
        Color32 Color;
    };
    struct PrintCall {
        float X, Y;
        std::string Text;
    };
    RecordingSurface(float width, float height) : width_(width), height_(height) {}

    float WidthPixels() const override { return width_; }
    float HeightPixels() const override { return height_; }
    void SetScale(float left, float top, float width, float height) override {
        Scale = {left, top, width, height};
    }
    void Clear() override { ++ClearCount, Lines.clear(), Circles.clear(), Prints.clear(), Order.clear(); }
    void Line(float x1, float y1, float x2, float y2, Color32 c) override {
        Lines.push_back({x1, y1, x2, y2, c}), Order += 'L';
    }
    void Circle(float x, float y, float r, Color32 c) override {
        Circles.push_back({x, y, r, c}), Order += 'C';
    }
    void Print(float x, float y, std::string_view t) override {
        Prints.push_back({x, y, std::string(t)}), Order += 'P';
    }

    std::vector<float> Scale;  // left, top, width, height
    int ClearCount = 0;
    std::vector<LineCall> Lines;
    std::vector<CircleCall> Circles;
    std::vector<PrintCall> Prints;
    std::string Order;  // every call in order: L, C or P

  private:
    float width_, height_;
};

}  // namespace heliomark
