// The sky view's arithmetic, kept apart from its widgets: how a mouse drag turns or zooms the view,
// what a number typed into the zoom or distance box does to its scroll bar, and where the camera
// stands for a view direction. Plain C++, tested without a window.
//
// View directions are degrees: altitude -90..90, azimuth from north through east. Mouse movements
// are in the picture's own coordinates: origin at the centre, x growing to the LEFT, y upward, one
// unit per pixel.
#pragma once

#include <string>
#include <string_view>

#include "scene3d/camera.h"

namespace heliomark {

// The zoom scroll bar: zoom = 10^(value / 100), 0.50 .. 100.
inline constexpr int ZoomScrollMin = -30;
inline constexpr int ZoomScrollMax = 200;
// The distance scroll bar: the outside camera stands value / 10 + 1 sphere radii from the centre.
inline constexpr int DistanceScrollMin = 1;
inline constexpr int DistanceScrollMax = 100;

// A left-button drag by (dx, dy). Outside the sphere one degree per pixel, the view swinging the
// other way round the sphere; inside, divided by the zoom so that the sky follows the mouse. The
// altitude stops at ±90; the azimuth is brought back into 0..360 once (360 itself stays).
void TurnView(double& viewAlt, double& viewAzm, float dx, float dy, bool outside, double zoom);

// A right-button drag by dx: the zoom scroll value that follows, kept within its range. A rightward
// drag (dx < 0) zooms in.
int ZoomScrollAfterDrag(int value, float dx);

// 10^(value / 100).
double ZoomOf(int zoomScroll);
// The zoom as the zoom box shows it: rounded to two decimals ("1.26", "2.51", "100").
std::string ZoomText(double zoom);
// The scroll value for a zoom typed into the zoom box: 100·log10 of its leading number, kept within
// the range and rounded half to even. Zero, a negative number or a text without a number give the
// minimum, as no logarithm exists for them.
int ZoomScrollForText(std::string_view text);

// value / 10.
double DistanceOf(int distanceScroll);
// The distance as the distance box shows it ("7", "0.5", "10").
std::string DistanceText(double distance);
// A distance typed into the distance box: the scroll value ten times its leading number (single
// precision), kept within the range, the text the box shows meanwhile, and the whole scroll value
// (half to even) that is set.
struct DistanceEntry {
    float Value = 0;
    std::string Text;
    int Scroll = 0;
};
DistanceEntry DistanceEntryForText(std::string_view text);

// The camera outside the sphere: at distance r on the direction of altitude `alt` and azimuth `azm`
// (radians), looking back at the centre.
void PlaceCameraOutside(Camera& camera, double alt, double azm, double r);
// The camera's angles for looking from the centre towards (viewAlt, viewAzm), degrees.
void AimFromCentre(Camera& camera, double viewAlt, double viewAzm);

}  // namespace heliomark
