// What the world map reads out and picks where the user points and clicks, and where city names go.
#include "shading/map_pointing.h"

#include <cmath>

#include "support/test_support.h"

namespace heliomark {
namespace {

CityRecord City(const char* name, double lat, double lon) {
    return {name, lat, lon, 25, "None"};
}
std::string Text(const MapReadout& r) {
    return r.LatitudeText + " | " + r.LongitudeText + " | " + r.AltitudeText;
}
std::string Text(const LabelRect& r) {
    return std::to_string(r.Left) + " " + std::to_string(r.Top) + " " + std::to_string(r.Width) + " " +
           std::to_string(r.Height);
}
std::string Text(const MapClick& c) {
    return c.Inside ? std::to_string(c.LatitudeIndex) + " " + FormatFixed(c.LatitudeDegrees, 6) + " " +
                          std::to_string(c.LongitudeIndex) + " " + FormatFixed(c.LongitudeDegrees, 6)
                    : "outside";
}

TEST(MapPointing, PointingReadsThePlaceItsAltitudeAndLight) {
    for (const auto& [x, y, row, column] : {std::tuple{0.0, 0.0, 221, 0},
                                            {449.0, 221.0, 0, 449},
                                            {11.5, 111.5, 110, 12},
                                            {224.6, 0.49, 221, 225}}) {  // half to even
        const MapMousePixel p = MouseToMapPixel(x, y);
        EXPECT_TRUE(p.MemoryRow == row && p.Column == column)
            << "(" << x << ", " << y << ") gave " << p.MemoryRow << ", " << p.Column;
    }
    for (const auto& [altitude, state] :
         {std::pair{-0.8, "Day"}, {-0.833, "Twilights"}, {-18.0, "Twilights"}, {-18.0001, "Night"}})
        EXPECT_STREQ(LightState(altitude), state) << altitude;
    const MapSun sun{0, 0, 1, 1.2, 1.2};  // over (0°, 0°): declination 0, right ascension the sidereal angle
    testing::ExpectTexts({
        ROW(Text(ReadOutAt(sun, 225, 100, true)), "8° 6' 29'' | 0° 0' 0'' | 81° 53' 31''  (Day)"),
        ROW(Text(ReadOutAt(sun, 337.5, 105, false)), "4.054° | 90.400° | -0.399°  (Day)"),  // column 338
        ROW(Text(ReadOutAt(sun, 350, 105, false)), "4.054° | 100.000° | -9.975°  (Twilights)"),
        ROW(Text(ReadOutAt(sun, 0, 105, false)), "4.054° | -180.000° | -85.946°  (Night)"),
        ROW(ReadOutAt(MapSun{}, 17, 200, false).State, "Day"),  // before the first update every value is 0
        ROW(Text(ClickToPlace(100, 150)),
            "1 " + FormatFixed(90 - 71 * 180.0 / 222, 6) + " 1 100.000000"),  // south, west
        ROW(Text(ClickToPlace(300, 20)),
            "0 " + FormatFixed(201 * 180.0 / 222 - 90, 6) + " 0 60.000000"),  // north, east
        ROW(Text(ClickToPlace(0, 221)), "1 90.000000 1 180.000000"),          // the south-west corner
        ROW(Text(ClickToPlace(460, 100)), "outside"),
        ROW(Text(ClickToPlace(-3, 100)), "outside"),
    });
}

TEST(MapPointing, NearestCityWithinTwentySquareDegreesAndTitlesInsideTheMap) {
    const CityList cities = {City("Alpha", 10, 20), City("Beta", -40, 100), City("Gamma", 10, 20),
                             City("Delta", 11, 21)};
    testing::ExpectRows<int>({
        ROW(FindNearestCity(cities, -36, 102), 2),  // 16 + 4 = 20 exactly still counts
        ROW(FindNearestCity(cities, -36, 102.001), 0),
        ROW(FindNearestCity(cities, 10, 20), 1),      // Alpha and Gamma tie at 0: the first wins
        ROW(FindNearestCity(cities, 10.6, 20.6), 4),  // Delta is strictly nearer
        ROW(FindNearestCity({}, 0, 0), 0),
    });
    testing::ExpectTexts({
        ROW(Text(KeepTitleInside({100, 0, 60, 13}, 90)), "100 1 60 13"),      // at the top
        ROW(Text(KeepTitleInside({100, 210, 60, 13}, 90)), "100 208 60 13"),  // below the bottom
        ROW(Text(KeepTitleInside({100, 208, 60, 13}, 90)), "100 208 60 13"),  // at the bottom limit
        ROW(Text(KeepTitleInside({390, 50, 60, 13}, 380)),
            "318 50 60 13"),  // over the right edge: left of the marker
        ROW(Text(KeepTitleInside({389, 50, 60, 13}, 380)), "389 50 60 13"),  // at the right limit
        ROW(CityTitle(City("  Rio Branco   ", 0, 0)), "Rio Branco"),
    });
    const CityLabels paris = PlaceCityLabels(City("Paris", 48.85, 2.35), 30, 13);
    const int x = LonToPixel(DegToRad(2.35)), y = LatToPixel(DegToRad(48.85));
    EXPECT_TRUE((paris.MarkerLeft == x - 4 && paris.MarkerTop == y - 8 &&
                 paris.Title == LabelRect{x + 6, y - 8, 33, 13}));
    EXPECT_EQ(PlaceCityLabels(City("Anadyr", 64.73, 177.5), 40, 13).Title.Left,
              PlaceCityLabels(City("Anadyr", 64.73, 177.5), 40, 13).MarkerLeft - 45)
        << "near the east edge the name goes left of the marker";
}

}  // namespace
}  // namespace heliomark
