// The drawing surface the 3D engine paints on. The engine needs only these operations; the sky view
// implements them with a painter on an image, the tests with a recorder, the benchmark with nothing.
#pragma once

#include <cstdint>
#include <string_view>

namespace heliomark {

// A colour 0x00BBGGRR (red in the low byte), as every colour of the program.
using Color32 = uint32_t;

class DrawSurface {
  public:
    virtual ~DrawSurface() = default;

    // Size of the surface in pixels (read before the coordinate system is set).
    virtual float WidthPixels() const = 0;
    virtual float HeightPixels() const = 0;
    // The user coordinate system: `left`, `top` are the coordinates of the top-left pixel corner,
    // `width`, `height` the extent; a negative width or height reverses that axis. A surface point
    // (x, y) lies at pixel ((x - left) * WidthPixels / width, (y - top) * HeightPixels / height).
    virtual void SetScale(float left, float top, float width, float height) = 0;
    // Wipes the whole surface to its background.
    virtual void Clear() = 0;
    // A line between two points of the user coordinate system.
    virtual void Line(float x1, float y1, float x2, float y2, Color32 color) = 0;
    // A circle with outline `color`; `radius` in horizontal user units. Whether and how it is filled
    // is the surface's own setting.
    virtual void Circle(float x, float y, float radius, Color32 color) = 0;
    // Moves the current position to (x, y) and prints `text` (UTF-8) with its top-left corner there,
    // in the surface's text colour.
    virtual void Print(float x, float y, std::string_view text) = 0;
};

}  // namespace heliomark
