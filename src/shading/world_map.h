// The world map's picture: the Earth in plate carrée, 450 x 222 pixels, shaded pixel by pixel into
// day, twilight and night between a day map and a night map for one instant, with the sub-solar
// point drawn as a small disc and the chosen place marked by a red diamond. The window shows
// `Result()` and forwards the main window's calls; the mouse read-outs are in map_pointing.h.
//
// Projection (angles in radians, pi = 3.14159265358979): column x is longitude 2x·pi/450 - pi (west
// negative); memory row r, counted from the BOTTOM, is latitude r·pi/222 - pi/2. The inverse
// functions round half to even and give a DISPLAY row, counted from the top.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/engine.h"
#include "shading/pixel_buffer.h"
#include "shading/power_table.h"

namespace heliomark {

inline constexpr int32_t MapWidth = 450;
inline constexpr int32_t MapHeight = 222;
inline constexpr int32_t MapBytes = MapWidth * 3;

double PixelToLon(double column);      // radians
double PixelToLat(double memoryRow);   // radians
int32_t LonToPixel(double longitude);  // column
int32_t LatToPixel(double latitude);   // display row

// The Sun as the shading and the read-outs need it, for one instant.
struct MapSun {
    double Declination = 0;         // radians
    double SinDec = 0, CosDec = 0;  // of the declination
    double Sidereal = 0;            // Greenwich sidereal angle, radians in [0, 2pi)
    double RightAscension = 0;      // radians
};
// The Sun at the clock time hour:minute:second of the state's date in its zone (ZoneHours).
MapSun SunForMap(const SolarState& state, int hour, int minute, double second);

// Where the Sun stands in the zenith: display row and column.
struct MapPoint {
    int32_t Row = 0;
    int32_t Column = 0;
};
MapPoint SubSolarPoint(const MapSun& sun);

class WorldMap {
  public:
    // `source` is world.bmp as read: 450 x 444, the day map above the night map. Throws
    // std::invalid_argument for any other size.
    explicit WorldMap(const PixelBuffer& source);

    // Shades the map for the main window's date, zone and clock time, draws the sub-solar disc and
    // the place marker at the state's Latitude (radians) and Longitude (degrees).
    void UpdateMapData(const SolarState& state, int hour, int minute, double second);

    // Moves the place marker to latitude `lat` and longitude `lon` (radians). With `isRefresh` the
    // old marker is erased first from the pixels saved under it.
    void UpdatePointer(double lat, double lon, bool isRefresh);

    // The shading alone, for a given Sun (kept for the read-outs).
    void Shade(const MapSun& sun);

    const PixelBuffer& Result() const { return result_; }
    // The shading of the last update without the sub-solar disc and the place marker, for a screen
    // that scales the picture up and draws those two itself at its own resolution.
    const PixelBuffer& Shading() const { return shading_; }
    // The Sun of the last update (all zero before the first, as the read-outs then assume).
    const MapSun& Sun() const { return sun_; }
    MapPoint SubSolar() const { return subSolar_; }
    // Display position of the place marker's centre; Column -100 before the first marker.
    MapPoint Marker() const { return marker_; }

  private:
    void DrawSunDisc();

    PixelBuffer source_;
    PixelBuffer result_;
    PixelBuffer shading_;
    PixelBuffer markerPicture_;        // rows 0-4 AND layer, 5-9 OR layer, 10-14 pixels saved under
    std::vector<int16_t> difference_;  // day - night per byte, MapBytes per memory row
    std::array<double, MapHeight> sinLat_{}, cosLat_{};
    PowerTable power_;
    MapSun sun_;
    MapPoint subSolar_;
    MapPoint marker_{0, -100};
};

}  // namespace heliomark
