#include "scene3d/sky_model.h"

#include <algorithm>
#include <cmath>

namespace heliomark {

namespace {

Point3D MakePoint(double x, double y, double z) {
    return Point3D{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

// The unit vector of azimuth `azm` (from north through east) and altitude `alt`, in the sky's axes
// (+X north, +Y west, +Z zenith).
Point3D SkyDirection(double azm, double alt) {
    return MakePoint(std::cos(alt) * std::cos(azm), -std::cos(alt) * std::sin(azm), std::sin(alt));
}

}  // namespace

SkyModel::SkyModel(const Settings& settings, DrawSurface& surface) : settings_(settings), surface_(surface) {}

int16_t SkyModel::GridQuality() const {
    return std::clamp(settings_.GridQuality, MinGridQuality, MaxGridQuality);
}

void SkyModel::MakeCircles(Object3D& object, Color32 color, bool IsVertical,
                           std::initializer_list<double> angles) {
    object.Init();
    const int16_t n = GridQuality();
    for (const double a : angles) {
        const double r = DegToRad(a);
        if (IsVertical) {
            // A great circle through the zenith, crossing the horizon at azimuths 90° - a and 270° - a.
            AddRing(object, 0, 0, 0, 1, static_cast<float>(r), 0, n, color);
        } else {
            // The horizontal ring of altitude a: the local Y-Z circle laid flat by a quarter turn.
            AddRing(object, 0, 0, static_cast<float>(std::sin(r)), static_cast<float>(std::cos(r)), 0,
                    static_cast<float>(3.14159265358979 / 2), n, color);
        }
    }
}

void SkyModel::BuildPathObject() {
    Object3D& path = SkyObject(10);
    path.Init();
    path.AddPoint(0, 1, 1);
    const int16_t n = GridQuality();
    for (int16_t k = 1; k <= n; ++k) {
        // Placeholders until ComputeSunPath; line k joins time step k - 1 to step k.
        path.AddPoint(k, 1, 1);
        path.AddLine(k, static_cast<int16_t>(k + 1), SunYellow);
    }
}

void SkyModel::BuildModel(bool First) {
    MakeCircles(SkyObject(1), SkyWhite, false, {0});
    MakeCircles(SkyObject(2), SkyGrey, false, {-45, 45});
    MakeCircles(SkyObject(3), SkyGrey, false, {-60, -30, 30, 60});
    MakeCircles(SkyObject(4), SkyGrey, false, {-75, -15, 15, 75});
    MakeCircles(SkyObject(5), SkyWhite, true, {0, 90});
    MakeCircles(SkyObject(6), SkyGrey, true, {45, 135});
    MakeCircles(SkyObject(7), SkyGrey, true, {30, 60, 120, 150});
    MakeCircles(SkyObject(8), SkyGrey, true, {15, 75, 105, 165});
    BuildPathObject();
    if (First) {
        Object3D& marks = SkyObject(9);
        marks.AddCircle(0, 1, 0, SunRadius, SunYellow, "");
        marks.AddCircle(1, 0, 0, 0, 0, "N");
        marks.AddCircle(-1, 0, 0, 0, 0, "S");
        marks.AddCircle(0, 1, 0, 0, 0, "W");
        marks.AddCircle(0, -1, 0, 0, 0, "E");
        marks.Visible(true);
        SkyObject(10).Visible(false);
        for (const Object3D& object : SkyObjects)
            Scene.AddObject(object);
        Scene.DisplayObject(&surface_);
        Scene.ViewField(SkyViewField);
        SkyCamera.X = 0;
        SkyCamera.Y = 0;
        SkyCamera.Z = 0;
        SkyCamera.AnH = 0;
        SkyCamera.AnV = 0;
    }
    DrawScene();
}

void SkyModel::DrawScene() {
    Scene.Draw(SkyCamera);
}

void SkyModel::SetSunPosition(double Azm, double Alt) {
    ObjectData& marks = DataAt(SkyObject(9).DataIndex);
    if (marks.Circles.empty()) return;
    const Point3D p = SkyDirection(Azm, Alt);
    Circle3D& sun = marks.Circles.front();
    sun.X = p.X;
    sun.Y = p.Y;
    sun.Z = p.Z;
}

void SkyModel::ComputeSunPath(SolarState& state) {
    ObjectData& path = DataAt(SkyObject(10).DataIndex);
    // The path was built with N + 1 points; a grid-quality change takes effect with the next build.
    const int n = path.PointsCount() - 1;
    if (n < 1) return;
    const double savedAltitude = state.Altitude, savedAzimuth = state.Azimuth,
                 savedRightAscension = state.RightAscension;
    for (int i = 0; i <= n; ++i) {
        const double hours = 24.0 * i / n;
        // SplitDMS rounds the seconds and carries a rounded 60, so 1.2 h is 01:12:00, not 01:11:60.
        const Dms t = SplitDMS(hours);
        ComputeCurrentPosition(state, t.Degrees, t.Minutes, t.Seconds);
        path.Points[static_cast<std::size_t>(i)] = SkyDirection(state.Azimuth, state.Altitude);
    }
    state.Altitude = savedAltitude;
    state.Azimuth = savedAzimuth;
    state.RightAscension = savedRightAscension;
}

void SkyModel::ShowSunPath(bool Show) {
    SkyObject(10).Visible(Show);
}

void SkyModel::SetViewField(float value) {
    Scene.ViewField(value);
}

void SkyModel::SetGroupVisible(bool first, bool second, bool third, bool fourth, int firstObject) {
    SkyObject(firstObject).Visible(first);
    SkyObject(firstObject + 1).Visible(second);
    SkyObject(firstObject + 2).Visible(third);
    SkyObject(firstObject + 3).Visible(fourth);
}

void SkyModel::SetDensity(int16_t density, int firstObject) {
    switch (density) {
        case 0:
            SetGroupVisible(false, false, false, false, firstObject);
            break;
        case 1:
            SetGroupVisible(true, false, false, false, firstObject);
            break;
        case 2:
            SetGroupVisible(true, true, false, false, firstObject);
            break;
        case 3:
            SetGroupVisible(true, false, true, false, firstObject);
            break;
        case 4:
            SetGroupVisible(true, true, true, true, firstObject);
            break;
        default:
            break;
    }
}

void SkyModel::SetParallelsDensity(int16_t density) {
    SetDensity(density, 1);
}

void SkyModel::SetMeridiansDensity(int16_t density) {
    SetDensity(density, 5);
}

}  // namespace heliomark
