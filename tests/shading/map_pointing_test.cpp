#include "shading/map_pointing.h"

#include <gtest/gtest.h>

namespace heliomark {
namespace {

CityRecord City(const char* name, double lat, double lon) {
    return {name, lat, lon, 25, "None"};
}

TEST(MapPointing, MousePositionsRoundHalfToEven) {
    struct Case {
        double X, Y;
        int Row, Column;
    } cases[] = {{0, 0, 221, 0},         {449, 221, 0, 449}, {10.5, 110.5, 110, 10},
                 {11.5, 111.5, 110, 12}, {0.4, 220.6, 0, 0}, {224.6, 0.49, 221, 225}};
    for (const Case& c : cases) {
        const MapMousePixel p = MouseToMapPixel(c.X, c.Y);
        EXPECT_EQ(p.MemoryRow, c.Row) << "(" << c.X << ", " << c.Y << ")";
        EXPECT_EQ(p.Column, c.Column) << "(" << c.X << ", " << c.Y << ")";
    }
}

TEST(MapPointing, LightStateThresholds) {
    struct Case {
        double Altitude;
        const char* State;
    } cases[] = {{45, "Day"},        {-0.8, "Day"},       {-0.833, "Twilights"}, {-10, "Twilights"},
                 {-18, "Twilights"}, {-18.0001, "Night"}, {-90, "Night"}};
    for (const Case& c : cases)
        EXPECT_STREQ(LightState(c.Altitude), c.State) << c.Altitude;
}

TEST(MapPointing, ReadOutUnderTheSun) {
    // A Sun over (0°, 0°): declination 0, right ascension equal to the sidereal angle.
    const MapSun sun{0, 0, 1, 1.2, 1.2};
    struct Case {
        double X, Y;
        const char* State;
        const char* Latitude;
        const char* Longitude;
    } cases[] = {
        {225, 110, "Day", "0°", "0°"},                // memory row 111 is 0.000...° after rounding
        {225 + 112.5, 110, "Day", "0°", "90°"},       // on the terminator: altitude 0
        {225 + 125, 110, "Twilights", "0°", "100°"},  // 10° below the horizon
        {0, 110, "Night", "0°", "-180°"},
    };
    for (const Case& c : cases) {
        const MapReadout r = ReadOutAt(sun, c.X, c.Y, true);
        EXPECT_EQ(r.State, c.State) << c.X;
        EXPECT_EQ(r.LatitudeText, FormatAngle(RadToDeg(r.Latitude), true));
        EXPECT_EQ(r.AltitudeText, FormatAngle(r.Altitude, true) + "  (" + c.State + ")");
    }
    const MapReadout twilight = ReadOutAt(sun, 350, 110, false);
    EXPECT_NEAR(twilight.Altitude, -10, 1e-9);
    EXPECT_EQ(twilight.LongitudeText, "100.000°");
    EXPECT_EQ(twilight.AltitudeText, "-10.000°  (Twilights)");
}

TEST(MapPointing, ReadOutBeforeTheFirstUpdateReadsDay) {
    // All Sun values zero: the altitude is 0 everywhere.
    const MapReadout r = ReadOutAt(MapSun{}, 17, 200, false);
    EXPECT_EQ(r.Altitude, 0);
    EXPECT_EQ(r.State, "Day");
}

TEST(MapPointing, NearestCityWithinTwentySquareDegrees) {
    const CityList cities = {City("Alpha", 10, 20), City("Beta", -40, 100), City("Gamma", 10, 20),
                             City("Delta", 11, 21)};
    struct Case {
        double Lat, Lon;
        int Expected;
    } cases[] = {
        {-36, 102, 2},                   // 16 + 4 = 20 exactly still counts
        {-36, 102.001, 0},               // just over 20
        {-40, 100, 2},     {10, 20, 1},  // Alpha and Gamma tie at 0: the first wins
        {10.6, 20.6, 4},                 // Delta is strictly nearer
        {10.5, 20.5, 1},                 // Alpha, Gamma and Delta at the same 0.5: the first wins
        {80, -170, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindNearestCity(cities, c.Lat, c.Lon), c.Expected) << c.Lat << ", " << c.Lon;
    }
    EXPECT_EQ(FindNearestCity({}, 0, 0), 0);
}

TEST(MapPointing, TitlesStayInsideTheMap) {
    struct Case {
        const char* What;
        LabelRect Title;
        int MarkerLeft;
        LabelRect Expected;
    } cases[] = {
        {"inside", {100, 50, 60, 13}, 90, {100, 50, 60, 13}},
        {"above the top", {100, -8, 60, 13}, 90, {100, 1, 60, 13}},
        {"at the top", {100, 0, 60, 13}, 90, {100, 1, 60, 13}},
        {"below the bottom", {100, 210, 60, 13}, 90, {100, 208, 60, 13}},
        {"at the bottom limit", {100, 208, 60, 13}, 90, {100, 208, 60, 13}},
        {"over the right edge", {390, 50, 60, 13}, 380, {318, 50, 60, 13}},
        {"at the right limit", {389, 50, 60, 13}, 380, {389, 50, 60, 13}},
        {"top right corner", {440, -3, 40, 13}, 430, {388, 1, 40, 13}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeepTitleInside(c.Title, c.MarkerLeft), c.Expected) << c.What;
}

TEST(MapPointing, CityLabelsBesideTheCity) {
    const CityLabels paris = PlaceCityLabels(City("Paris", 48.85, 2.35), 30, 13);
    const int x = LonToPixel(DegToRad(2.35)), y = LatToPixel(DegToRad(48.85));
    EXPECT_EQ(paris.MarkerLeft, x - 4);
    EXPECT_EQ(paris.MarkerTop, y - 8);
    EXPECT_EQ(paris.Title, (LabelRect{x + 6, y - 8, 33, 13}));

    const CityLabels east = PlaceCityLabels(City("Anadyr", 64.73, 177.5), 40, 13);
    EXPECT_EQ(east.Title.Left, east.MarkerLeft - 43 - 2) << "name to the left of the marker";
    const CityLabels north = PlaceCityLabels(City("Alert", 89.5, -62.3), 40, 13);
    EXPECT_EQ(north.Title.Top, 1);
    EXPECT_EQ(CityTitle(City("  Rio Branco   ", 0, 0)), "Rio Branco");
}

TEST(MapPointing, ClickPicksSignedPlaceAsHemisphereAndPositiveAngles) {
    struct Case {
        double X, Y;
        int LatIndex, LonIndex;
        double LatDeg, LonDeg;
    } cases[] = {
        {100, 150, 1, 1, 90 - 71 * 180.0 / 222, 100},  // south and west
        {300, 20, 0, 0, 201 * 180.0 / 222 - 90, 60},   // north and east
    };
    for (const Case& c : cases) {
        const MapClick click = ClickToPlace(c.X, c.Y);
        ASSERT_TRUE(click.Inside) << c.X << ", " << c.Y;
        EXPECT_EQ(click.LatitudeIndex, c.LatIndex) << c.X << ", " << c.Y;
        EXPECT_EQ(click.LongitudeIndex, c.LonIndex) << c.X << ", " << c.Y;
        EXPECT_NEAR(click.LatitudeDegrees, c.LatDeg, 1e-9) << c.X << ", " << c.Y;
        EXPECT_NEAR(click.LongitudeDegrees, c.LonDeg, 1e-9) << c.X << ", " << c.Y;
        EXPECT_GE(click.LatitudeDegrees, 0);
        EXPECT_GE(click.LongitudeDegrees, 0);
    }
    EXPECT_FALSE(ClickToPlace(460, 100).Inside) << "east of 180°";
    EXPECT_FALSE(ClickToPlace(-3, 100).Inside) << "west of -180°";
}

}  // namespace
}  // namespace heliomark
