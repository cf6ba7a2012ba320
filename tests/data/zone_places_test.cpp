// The computer's time zone as a place: the zone tables' ISO 6709 positions, old names kept as
// links, and the city nearest to a point.
#include <gtest/gtest.h>

#include <optional>

#include "data/zone_places.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

TEST(ZonePlaces, ZonesAreFoundInEitherTableAndThroughTheirOldNames) {
    testing::TempFolder zoneinfo;
    testing::WriteText(zoneinfo / "zone1970.tab",
                       "#codes\tcoordinates\tTZ\tcomments\n"
                       "DE,DK\t+5230+01322\tEurope/Berlin\tmost of Germany\n"
                       "AU\t-3352+15113\tAustralia/Sydney\tNew South Wales\r\n"
                       "UA\t+5026+03031\tEurope/Kyiv\tmost of Ukraine\n"
                       "XX\t+5260+01322\tBad/Minutes\n");
    testing::WriteText(zoneinfo / "zone.tab", "US\t+404251-0740023\tAmerica/New_York\tEastern\n");
    std::filesystem::create_directories(zoneinfo / "Europe");
    testing::WriteText(zoneinfo / "Europe" / "Kyiv", "TZif");
    std::filesystem::create_symlink("Kyiv", zoneinfo / "Europe" / "Kiev");
    const struct {
        const char* Zone;
        std::optional<GeoPoint> Point;
    } cases[] = {{"Europe/Berlin", GeoPoint{52.5, 13 + 22 / 60.0}},
                 {"Australia/Sydney", GeoPoint{-(33 + 52 / 60.0), 151 + 13 / 60.0}},
                 {"America/New_York", GeoPoint{40 + 42 / 60.0 + 51 / 3600.0, -(74 + 23 / 3600.0)}},
                 {"Europe/Kiev", GeoPoint{50 + 26 / 60.0, 30 + 31 / 60.0}},
                 {"Bad/Minutes", std::nullopt},
                 {"Etc/UTC", std::nullopt},
                 {"", std::nullopt}};
    for (const auto& c : cases) {
        const std::optional<GeoPoint> p = ZoneReferencePoint(c.Zone, zoneinfo.Path());
        ASSERT_EQ(p.has_value(), c.Point.has_value()) << c.Zone;
        if (!p) continue;
        EXPECT_NEAR(p->Latitude, c.Point->Latitude, 1e-12) << c.Zone;
        EXPECT_NEAR(p->Longitude, c.Point->Longitude, 1e-12) << c.Zone;
    }
}

TEST(ZonePlaces, TheNearestCityIsMeasuredOverTheSphere) {
    const CityList cities = {{"Berlin", 52.52, 13.405, 27, "Europe"},
                             {"Suva", -18.14, 178.44, 70, "None"},
                             {"Apia", -13.83, -171.77, 73, "None"},
                             {"Longyearbyen", 78.22, 15.65, 27, "Europe"},
                             {"Anchorage", 61.22, -149.9, 4, "None"}};
    const struct {
        GeoPoint Point;
        int City;
        const char* What;
    } cases[] = {{{52.4, 13.06}, 1, "Potsdam is nearest Berlin"},
                 {{-16, -179.9}, 2, "across the date line, Suva is nearer than Apia"},
                 {{85, -150}, 4, "over the pole, Longyearbyen is nearer than Anchorage"}};
    for (const auto& c : cases)
        EXPECT_EQ(NearestCity(cities, c.Point), c.City) << c.What;
    EXPECT_EQ(NearestCity({}, {0, 0}), 0);
}

}  // namespace
}  // namespace heliomark
