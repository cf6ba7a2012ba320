#include "ui/views/sky_view_rules.h"

#include <charconv>
#include <cmath>

#include "engine/engine.h"

namespace heliomark {

void TurnView(double& viewAlt, double& viewAzm, float dx, float dy, bool outside, double zoom) {
    if (outside) {
        viewAlt -= dy;
        viewAzm -= dx;
    } else {
        viewAlt -= dy / zoom;
        viewAzm += dx / zoom;
    }
    if (std::fabs(viewAlt) > 90) viewAlt = std::copysign(90.0, viewAlt);
    if (viewAzm < 0) viewAzm += 360;
    if (viewAzm > 360) viewAzm -= 360;
}

int ZoomScrollAfterDrag(int value, float dx) {
    const double v = std::nearbyint(value - static_cast<double>(dx));  // half to even
    if (!(v >= ZoomScrollMin)) return ZoomScrollMin;
    if (v > ZoomScrollMax) return ZoomScrollMax;
    return static_cast<int>(v);
}

double ZoomOf(int zoomScroll) {
    return std::pow(10.0, zoomScroll / 100.0);
}

std::string ZoomText(double zoom) {
    return FormatGeneral(std::nearbyint(zoom * 100) / 100);
}

int ZoomScrollForText(std::string_view text) {
    const double x = LeadingNumber(text);
    if (!(x > 0)) return ZoomScrollMin;
    // log10 as ln · log10(e), the way the box has always computed it.
    float v = static_cast<float>(std::log(x) * 0.434294481903252 * 100);
    if (v < ZoomScrollMin) v = ZoomScrollMin;
    if (v > ZoomScrollMax) v = ZoomScrollMax;
    return static_cast<int>(std::lrint(v));
}

double DistanceOf(int distanceScroll) {
    return distanceScroll / 10.0;
}

std::string DistanceText(double distance) {
    return FormatGeneral(distance);
}

DistanceEntry DistanceEntryForText(std::string_view text) {
    // Limited while still in double precision: a huge number has no single-precision value.
    double v = LeadingNumber(text) * 10;
    if (!(v >= DistanceScrollMin)) v = DistanceScrollMin;
    if (v > DistanceScrollMax) v = DistanceScrollMax;
    DistanceEntry entry;
    entry.Value = static_cast<float>(v);
    // The single-precision tenth to the seven digits a single holds ("0.55" and "3.14", not
    // 0.550000011920929 or 3.1399999).
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, entry.Value / 10, std::chars_format::general, 7);
    entry.Text.assign(buf, res.ptr);
    entry.Scroll = static_cast<int>(std::lrint(entry.Value));
    return entry;
}

void PlaceCameraOutside(Camera& camera, double alt, double azm, double r) {
    camera.X = static_cast<float>(r * std::cos(alt) * std::cos(azm));
    camera.Y = static_cast<float>(-std::cos(alt) * std::sin(azm) * r);
    camera.Z = static_cast<float>(std::sin(alt) * r);
    camera.AnH = static_cast<float>(Pi - azm);
    camera.AnV = static_cast<float>(-alt);
}

void AimFromCentre(Camera& camera, double viewAlt, double viewAzm) {
    camera.AnH = static_cast<float>(-DegToRad(viewAzm));
    camera.AnV = static_cast<float>(DegToRad(viewAlt));
}

}  // namespace heliomark
