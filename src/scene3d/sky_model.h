// The observer's sky as a 3D scene: a celestial sphere of radius 1 around the observer with the
// horizon, altitude circles, vertical circles, the four cardinal labels, the Sun and its daily path.
//
// Axes: +X north, +Y west, +Z zenith, the observer at the origin. The direction of azimuth A (from
// north through east) and altitude h is (cos h cos A, -cos h sin A, sin h).
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "data/data.h"
#include "engine/engine.h"
#include "scene3d/camera.h"
#include "scene3d/draw3d.h"
#include "scene3d/draw_surface.h"
#include "scene3d/object3d.h"

namespace heliomark {

inline constexpr Color32 SkyWhite = 0xFFFFFF;
inline constexpr Color32 SkyGrey = 0x787878;    // RGB(120, 120, 120)
inline constexpr Color32 SunYellow = 0x00FFFF;  // 0x00BBGGRR: red and green
inline constexpr float SunRadius =
    0.0046530813f;                           // tan 0.2666°, the Sun's apparent radius on the unit sphere
inline constexpr float SkyViewField = 0.7f;  // tangent of the half-diagonal view angle at zoom 1

// The sky view's scene, camera and ten objects. SkyObject(k), k = 1..10, in draw-list order:
//   1 horizon (white)                     5 vertical circles 0°, 90° (white)
//   2 altitude circles ±45° (grey)        6 vertical circles 45°, 135° (grey)
//   3 altitude circles ±30°, ±60° (grey)  7 vertical circles 30°, 60°, 120°, 150° (grey)
//   4 altitude circles ±15°, ±75° (grey)  8 vertical circles 15°, 75°, 105°, 165° (grey)
//   9 circle 1 the Sun, circles 2..5 the labels "N", "S", "W", "E" (always visible)
//  10 the Sun's path: N + 1 points, N lines (shown by ShowSunPath)
// N is the grid quality setting: the segments of every grid circle and the time steps of the path.
class SkyModel {
  public:
    // `settings` supplies the grid quality at each build; `surface` is the picture drawn on. Both must
    // outlive the model.
    SkyModel(const Settings& settings, DrawSurface& surface);
    SkyModel(const SkyModel&) = delete;
    SkyModel& operator=(const SkyModel&) = delete;

    std::array<Object3D, 10> SkyObjects;
    Camera SkyCamera;
    Draw3D Scene;

    Object3D& SkyObject(int number) { return SkyObjects.at(static_cast<std::size_t>(number - 1)); }

    // Builds the grid (objects 1..8) and the path placeholder (object 10) with the current grid
    // quality. With First, once per model, also the Sun and the labels, the draw list, the surface,
    // the field of view 0.7 and a camera at the centre looking north. Then draws. A later rebuild
    // keeps every object's Visible flag and leaves the Sun alone; the path keeps placeholder
    // coordinates until the next ComputeSunPath.
    void BuildModel(bool First);
    void DrawScene();
    // Moves the Sun disc to azimuth Azm (from north through east) and altitude Alt, radians.
    // Nothing is redrawn.
    void SetSunPosition(double Azm, double Alt);
    // Fills the path with the Sun's geometric positions at the N + 1 clock times 00:00 .. 24:00 of the
    // state's date, place and zone. The state's Altitude, Azimuth and RightAscension are left as
    // they were. Nothing is redrawn.
    void ComputeSunPath(SolarState& state);
    void ShowSunPath(bool Show);
    void SetViewField(float value);
    // Density 0 none, 1 the horizon (or the two main vertical circles) only, 2 every 45°, 3 every
    // 30°, 4 every 15°. Other values change nothing. Nothing is redrawn.
    void SetParallelsDensity(int16_t density);
    void SetMeridiansDensity(int16_t density);

    // The N a build uses: the setting, brought into 4..50 (a damaged settings file must not give an
    // empty or oversized grid).
    int16_t GridQuality() const;

  private:
    void MakeCircles(Object3D& object, Color32 color, bool IsVertical, std::initializer_list<double> angles);
    void BuildPathObject();
    void SetGroupVisible(bool first, bool second, bool third, bool fourth, int firstObject);
    void SetDensity(int16_t density, int firstObject);

    const Settings& settings_;
    DrawSurface& surface_;
};

}  // namespace heliomark
