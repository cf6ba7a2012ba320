// The computer's own time zone as a place on Earth, so that a first start can offer the nearest
// city. The tz database's zone1970.tab and zone.tab give each zone a reference point (the
// principal city's position, ISO 6709); /etc/localtime names the zone the computer uses.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "data/data.h"

namespace heliomark {

struct GeoPoint {
    double Latitude = 0;   // degrees, north positive
    double Longitude = 0;  // degrees, east positive
};

// The system's tz database folder on Debian and most Linux systems.
inline constexpr std::string_view SystemZoneInfoFolder = "/usr/share/zoneinfo";

// An ISO 6709 position as the zone tables write it: "+DDMM+DDDMM" or "+DDMMSS+DDDMMSS" (sign,
// degrees, minutes, optional seconds; latitude then longitude). Nothing for any other text.
std::optional<GeoPoint> ParseIso6709(std::string_view text);

// The reference point of `zoneId` in the text of a zone1970.tab or zone.tab (tab-separated: country
// codes, position, zone id, comment; '#' starts a comment line). Nothing when the zone is not listed.
std::optional<GeoPoint> FindZoneInTable(std::string_view tableText, std::string_view zoneId);

// The reference point of `zoneId` from zone1970.tab, else zone.tab, in `zoneInfoFolder`. An old name
// kept as a link in that folder ("US/Eastern", "Europe/Kiev") is followed to the zone it names.
std::optional<GeoPoint> ZoneReferencePoint(
    std::string_view zoneId, const std::filesystem::path& zoneInfoFolder = SystemZoneInfoFolder);

// The zone id a localtime link points at ("/usr/share/zoneinfo/Europe/Berlin" gives "Europe/Berlin");
// empty when the file is no link into a zoneinfo folder.
std::string ZoneIdOfLocaltime(const std::filesystem::path& localtime = "/etc/localtime");

// The 1-based number of the city nearest to `point` along the Earth's surface (a sphere is close
// enough to choose a city); 0 for an empty list. The first of equally near cities wins.
int NearestCity(const CityList& cities, const GeoPoint& point);

}  // namespace heliomark
