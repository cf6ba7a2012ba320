// The computer's time zone as a place: the zone tables' positions, links to old names, and the
// nearest city.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "data/zone_places.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

using testing::TempFolder;
using testing::WriteText;

TEST(ZonePlaces, Iso6709PositionsReadAsDegrees) {
    const struct {
        const char* Text;
        std::optional<GeoPoint> Point;
    } cases[] = {
        {"+5230+01322", GeoPoint{52.5, 13 + 22 / 60.0}},                                   // Berlin, minutes
        {"-3352+15113", GeoPoint{-(33 + 52 / 60.0), 151 + 13 / 60.0}},                     // Sydney
        {"+404251-0740023", GeoPoint{40 + 42 / 60.0 + 51 / 3600.0, -(74 + 23 / 3600.0)}},  // seconds
        {"+0000+00000", GeoPoint{0, 0}},
        {"+5230+0132", std::nullopt},   // a digit short
        {"5230+01322", std::nullopt},   // no sign
        {"+5260+01322", std::nullopt},  // 60 minutes
        {"+9500+01322", std::nullopt},  // beyond the pole
        {"+52a0+01322", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<GeoPoint> p = ParseIso6709(c.Text);
        ASSERT_EQ(p.has_value(), c.Point.has_value()) << c.Text;
        if (!p) continue;
        EXPECT_NEAR(p->Latitude, c.Point->Latitude, 1e-12) << c.Text;
        EXPECT_NEAR(p->Longitude, c.Point->Longitude, 1e-12) << c.Text;
    }
}

constexpr const char* Zone1970 =
    "# tzdb timezone descriptions\n"
    "#codes\tcoordinates\tTZ\tcomments\n"
    "DE,DK,NO,SE,SJ\t+5230+01322\tEurope/Berlin\tmost of Germany\n"
    "AU\t-3352+15113\tAustralia/Sydney\tNew South Wales (most areas)\r\n"
    "UA\t+5026+03031\tEurope/Kyiv\tmost of Ukraine\n";

TEST(ZonePlaces, ZonesAreFoundInEitherTableAndThroughTheirOldNames) {
    TempFolder zoneinfo;
    WriteText(zoneinfo / "zone1970.tab", Zone1970);
    WriteText(zoneinfo / "zone.tab", "VA\t+415408+0122711\tEurope/Vatican\n");
    std::filesystem::create_directories(zoneinfo / "Europe");
    WriteText(zoneinfo / "Europe" / "Kyiv", "TZif");
    std::filesystem::create_symlink("Kyiv", zoneinfo / "Europe" / "Kiev");
    const struct {
        const char* Zone;
        std::optional<double> Latitude;
    } cases[] = {{"Europe/Berlin", 52.5},
                 {"Australia/Sydney", -(33 + 52 / 60.0)},  // a CR LF line
                 {"Europe/Vatican", 41 + 54 / 60.0 + 8 / 3600.0},
                 {"Europe/Kiev", 50 + 26 / 60.0},
                 {"Etc/UTC", std::nullopt},
                 {"", std::nullopt},
                 {"Europe", std::nullopt}};
    for (const auto& c : cases) {
        const std::optional<GeoPoint> p = ZoneReferencePoint(c.Zone, zoneinfo.Path());
        ASSERT_EQ(p.has_value(), c.Latitude.has_value()) << c.Zone;
        if (p) {
            EXPECT_NEAR(p->Latitude, *c.Latitude, 1e-12) << c.Zone;
        }
    }
}

TEST(ZonePlaces, TheLocaltimeLinkNamesItsZone) {
    TempFolder folder;
    std::filesystem::create_symlink("/usr/share/zoneinfo/America/Argentina/Buenos_Aires", folder / "linked");
    std::filesystem::create_symlink("../usr/share/zoneinfo/Asia/Tokyo", folder / "relative");
    WriteText(folder / "copied", "TZif");
    EXPECT_EQ(ZoneIdOfLocaltime(folder / "linked"), "America/Argentina/Buenos_Aires");
    EXPECT_EQ(ZoneIdOfLocaltime(folder / "relative"), "Asia/Tokyo");
    EXPECT_EQ(ZoneIdOfLocaltime(folder / "copied"), "");
    EXPECT_EQ(ZoneIdOfLocaltime(folder / "missing"), "");
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
    } cases[] = {
        {{52.4, 13.06}, 1, "Potsdam is nearest Berlin"},
        {{-16, -179.9}, 2, "across the date line, Suva is nearer than Apia"},
        {{85, -150}, 4, "over the pole, Longyearbyen is nearer than Anchorage"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestCity(cities, c.Point), c.City) << c.What;
    EXPECT_EQ(NearestCity({}, {0, 0}), 0);
}

}  // namespace
}  // namespace heliomark
