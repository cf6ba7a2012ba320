#include "shading/map_pointing.h"

#include <cmath>

namespace heliomark {

MapMousePixel MouseToMapPixel(double x, double y) {
    return {static_cast<int32_t>(std::lrint(MapHeight - y - 1)), static_cast<int32_t>(std::lrint(x))};
}

MapReadout ReadOutAt(const MapSun& sun, double x, double y, bool angleDMS) {
    const MapMousePixel px = MouseToMapPixel(x, y);
    MapReadout out;
    out.Latitude = PixelToLat(px.MemoryRow);
    out.Longitude = PixelToLon(px.Column);
    const double phi = out.Latitude;
    // The geometric altitude, without the 0.83° horizon shift the shading uses; hence a pixel just
    // inside the shaded day side can read "Twilights".
    out.Altitude = RadToDeg(
        ArcSin(std::sin(phi) * sun.SinDec +
               std::cos(phi) * std::cos(out.Longitude + sun.Sidereal - sun.RightAscension) * sun.CosDec));
    out.State = LightState(out.Altitude);
    out.LatitudeText = FormatAngle(RadToDeg(out.Latitude), angleDMS);
    out.LongitudeText = FormatAngle(RadToDeg(out.Longitude), angleDMS);
    out.AltitudeText = FormatAngle(out.Altitude, angleDMS) + "  (" + out.State + ")";
    return out;
}

const char* LightState(double altitude) {
    if (altitude > -0.833) return "Day";
    if (altitude < -18) return "Night";
    return "Twilights";
}

int FindNearestCity(const CityList& cities, double latitude, double longitude) {
    int best = 0;
    double bestDistance = 0;
    for (std::size_t i = 0; i < cities.size(); ++i) {
        const double dLat = cities[i].Latitude - latitude, dLon = cities[i].Longitude - longitude;
        const double d = dLat * dLat + dLon * dLon;
        if (best == 0 || d < bestDistance) {
            best = static_cast<int>(i + 1);
            bestDistance = d;
        }
    }
    return best != 0 && bestDistance <= 20 ? best : 0;
}

LabelRect KeepTitleInside(LabelRect title, int32_t markerLeft) {
    if (title.Top < 1) {
        title.Top = 1;
    } else if (title.Top > MapHeight - title.Height - 1) {
        title.Top = MapHeight - title.Height - 1;
    }
    if (title.Left > MapWidth - title.Width - 1) title.Left = markerLeft - title.Width - 2;
    return title;
}

CityLabels PlaceCityLabels(const CityRecord& city, int32_t textWidth, int32_t textHeight) {
    const int32_t x = LonToPixel(DegToRad(city.Longitude));
    const int32_t y = LatToPixel(DegToRad(city.Latitude));
    CityLabels out;
    out.MarkerLeft = x - 4;
    out.MarkerTop = y - 8;
    out.Title = KeepTitleInside({x + 6, y - 8, textWidth + 3, textHeight}, out.MarkerLeft);
    return out;
}

std::string CityTitle(const CityRecord& city) {
    return TrimBlanks(city.Name);
}

MapClick ClickToPlace(double x, double y) {
    const MapMousePixel px = MouseToMapPixel(x, y);
    MapClick out;
    out.Latitude = PixelToLat(px.MemoryRow);
    out.Longitude = PixelToLon(px.Column);
    const double phi = out.Latitude, lambda = out.Longitude;
    out.Inside = -HalfPi <= phi && phi <= HalfPi && -Pi <= lambda && lambda <= Pi;
    if (!out.Inside) return out;
    out.LatitudeIndex = phi < 0 ? 1 : 0;
    out.LatitudeDegrees = phi < 0 ? RadToDeg(std::fabs(phi)) : RadToDeg(phi);
    out.LongitudeIndex = lambda < 0 ? 1 : 0;
    out.LongitudeDegrees = lambda < 0 ? RadToDeg(std::fabs(lambda)) : RadToDeg(lambda);
    return out;
}

}  // namespace heliomark
