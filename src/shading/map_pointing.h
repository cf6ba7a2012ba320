// What the world map shows and does under the mouse: the latitude, longitude and the Sun's altitude
// at the pointed pixel, the city near it with its "+" marker and name, and the place a click picks.
// The window measures the name's text and moves its labels; everything else is computed here.
#pragma once

#include <cstdint>
#include <string>

#include "data/data.h"
#include "shading/world_map.h"

namespace heliomark {

// The pixel under a mouse position (X, Y) in pixels of the map picture: memory row
// round(222 - Y - 1) (from the bottom) and column round(X), rounding half to even.
struct MapMousePixel {
    int32_t MemoryRow = 0;
    int32_t Column = 0;
};
MapMousePixel MouseToMapPixel(double x, double y);

// The read-outs for the pointed pixel, from the Sun of the map's last update.
struct MapReadout {
    double Latitude = 0;   // radians
    double Longitude = 0;  // radians, west negative
    double Altitude = 0;   // degrees, geometric (no horizon shift)
    std::string State;     // "Day" above -0.833°, "Night" below -18°, "Twilights" between
    std::string LatitudeText, LongitudeText;  // signed angles, no hemisphere letters
    std::string AltitudeText;                 // angle + "  (" + State + ")"
};
MapReadout ReadOutAt(const MapSun& sun, double x, double y, bool angleDMS);
// "Day" when the altitude (degrees) is above -0.833, "Night" below -18, else "Twilights".
const char* LightState(double altitude);

// The first city (1-based) with the smallest squared distance in degrees
// (dlat² + dlon², meridians not converging), when that is at most 20; 0 otherwise or with no cities.
int FindNearestCity(const CityList& cities, double latitude, double longitude);

struct LabelRect {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;  // pixels on the map picture
    friend bool operator==(const LabelRect&, const LabelRect&) = default;
};
// Keeps a city's name label on the map: pushed down below the top edge or up above the bottom edge,
// and moved to the left of the marker (whose label starts at `markerLeft`) when it would run over the
// right edge.
LabelRect KeepTitleInside(LabelRect title, int32_t markerLeft);

// Where a city's "+" label and name label go: the "+" at (column - 4, row - 8) of the city's pixel,
// the name 6 pixels right of the pixel, as wide as its text plus 3, kept inside the map.
struct CityLabels {
    int32_t MarkerLeft = 0, MarkerTop = 0;
    LabelRect Title;
};
CityLabels PlaceCityLabels(const CityRecord& city, int32_t textWidth, int32_t textHeight);
// The name shown beside the marker: the city's name without leading and trailing blanks.
std::string CityTitle(const CityRecord& city);

// A click on the map as the main window's place inputs take it: positive angles in degrees with the
// hemisphere list positions (latitude 0 north / 1 south, longitude 0 east / 1 west). `Inside` is false
// when the pixel lies off the globe; the click then does nothing.
struct MapClick {
    bool Inside = false;
    double Latitude = 0, Longitude = 0;  // radians, signed
    double LatitudeDegrees = 0;
    int LatitudeIndex = 0;
    double LongitudeDegrees = 0;
    int LongitudeIndex = 0;
};
MapClick ClickToPlace(double x, double y);

}  // namespace heliomark
