// The world map in the running program: read-outs under the mouse, the city marker and its name,
// a click that moves the main window's place, and a click on a city marker that selects the city.
#include <QLabel>

#include "view_test_support.h"

namespace heliomark::testing {
namespace {

QString LabelText(Program& p, const char* name) {
    return qobject_cast<QLabel*>(ViewControl(p, "frmMap", name))->text();
}

TEST(WorldMap, ReadOutsUnderTheMouse) {
    // 21 June 2024, 12:00 in Berlin (10:00 UT): the Sun stands in the zenith near 23.4 N, 29.6 E.
    struct Case {
        double X, Y;
        bool Dms;
        const char *Latitude, *Longitude, *State;
    };
    const Case cases[] = {
        // column 250: 250 * 0.8 - 180 = 20°; row round(222 - 111 - 1) = 110: 110 * 180/222 - 90.
        {250, 111, false, "-0.811°", "20.000°", "Day"},
        {250, 111, true, "-0° 48' 39''", "20° 0' 0''", "Day"},
        {262, 81, false, "23.514°", "29.600°", "Day"},       // under the Sun
        {37, 139, false, "-23.514°", "-150.400°", "Night"},  // its antipode
        // Row 111 is 111 * pi / 222 - pi / 2 with pi = 3.14159265358979: a few 1e-15 below zero.
        {387, 110, false, "-0.000°", "129.600°", "Twilights"},  // 100° from the Sun: about -9°
        {0.4, 220.6, false, "-90.000°", "-180.000°", "Night"},  // rounding to the corner pixel
    };
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.WriteStandardData("Berlin");
        Settings settings;
        settings.DefaultCitySetting = "Berlin";
        settings.AngleFormatSetting = c.Dms;
        SaveSettings(folder.Path("settings.ini"), settings);
        Program p(folder);
        ShowView(p, "mnuMap");
        MoveMouse(ViewControl(p, "frmMap", "picRes"), {c.X, c.Y});
        const std::string at = "mouse at " + std::to_string(c.X) + "," + std::to_string(c.Y);
        EXPECT_EQ(LabelText(p, "lblLat").toStdString(), c.Latitude) << at;
        EXPECT_EQ(LabelText(p, "lblLon").toStdString(), c.Longitude) << at;
        const QString altitude = LabelText(p, "lblAlt");
        EXPECT_TRUE(altitude.endsWith(QString("  (") + c.State + ")"))
            << at << ": " << altitude.toStdString();
    }
}

TEST(WorldMap, CityNearTheMouseIsMarkedAndNamedInsideTheMap) {
    ProgramFolder folder;
    const std::unique_ptr<Program> program = StartWithView(folder, "mnuMap", "");
    Program& p = *program;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(View(p, "frmMap")));
    QWidget* plot = ViewControl(p, "frmMap", "picRes");
    QWidget* marker = ViewControl(p, "frmMap", "lblPnt");
    auto* title = qobject_cast<QLabel*>(ViewControl(p, "frmMap", "lblTitle"));
    // The mouse as the window system moves it: over the "+" its events go to the "+".
    const auto pointAt = [plot](int x, int y) { QTest::mouseMove(plot, QPoint(x, y)); };

    // Berlin (52.52 N, 13.405 E) is on column 242, row 46: the "+" goes to (238, 38), the name 6
    // pixels right of the city.
    pointAt(240, 48);
    ASSERT_TRUE(marker->isVisible());
    EXPECT_EQ(marker->pos(), QPoint(238, 38));
    EXPECT_EQ(title->text(), "Berlin");
    EXPECT_TRUE(title->isVisible());
    EXPECT_EQ(title->pos(), QPoint(248, 38));

    // Over the "+" the read-outs still follow the mouse: (243, 47) is (5, 9) on it.
    pointAt(243, 47);
    EXPECT_EQ(LabelText(p, "lblLon").toStdString(), FormatAngle(243 * 0.8 - 180, false));
    EXPECT_EQ(LabelText(p, "lblLat").toStdString(), FormatAngle((222 - 47 - 1) * 180.0 / 222 - 90, false));

    // Sydney lies near the right edge: its name goes to the left of the "+".
    pointAt(416, 150);
    EXPECT_EQ(title->text(), "Sydney");
    EXPECT_LE(title->geometry().right(), marker->x())
        << "name at " << title->x() << ", marker at " << marker->x();
    EXPECT_LT(title->geometry().right(), 450);

    // Mid-Pacific: no city within 20 square degrees.
    pointAt(20, 111);
    EXPECT_FALSE(marker->isVisible());
    EXPECT_FALSE(title->isVisible());
}

TEST(WorldMap, ClickMovesTheMainWindowsPlace) {
    struct Case {
        double X, Y;
        double Latitude, Longitude;  // degrees as the pickers show them
        int LatitudeIndex, LongitudeIndex;
        int MarkerRow;
    };
    const Case cases[] = {
        // column 100: -100°; row round(222 - 180 - 1) = 41: 41 * 180/222 - 90 = -56.757°, shown on
        // display row 222 - 41 = 181.
        {100, 180, 56.756757, 100, 1, 1, 181},
        {300, 50, 48.648649, 60, 0, 0, 51},
    };
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.WriteStandardData("Berlin");
        Program p(folder);
        ShowView(p, "mnuMap");
        const QString sunriseBefore = p.Text("txtSR");
        ClickMouse(ViewControl(p, "frmMap", "picRes"), {c.X, c.Y});
        const std::string at = "click at " + std::to_string(c.X) + "," + std::to_string(c.Y);
        EXPECT_NEAR(p.Number("apLat", "Value"), c.Latitude, 1e-3) << at;
        EXPECT_NEAR(p.Number("apLon", "Value"), c.Longitude, 1e-3) << at;
        EXPECT_EQ(p.Find<QComboBox>("cmbLat")->currentIndex(), c.LatitudeIndex) << at;
        EXPECT_EQ(p.Find<QComboBox>("cmbLon")->currentIndex(), c.LongitudeIndex) << at;
        const SharedState& s = p.Main().State();
        EXPECT_NEAR(RadToDeg(s.Latitude), c.Latitude * (1 - 2 * c.LatitudeIndex), 1e-3) << at;
        EXPECT_NEAR(s.Longitude, c.Longitude * (1 - 2 * c.LongitudeIndex), 1e-3) << at;
        EXPECT_NE(p.Text("txtSR"), sunriseBefore) << at << ": the day was not recomputed";
        // The red diamond outline around the clicked pixel.
        const QImage shown = Shown(ViewControl(p, "frmMap", "picRes"));
        const int x = static_cast<int>(c.X);
        for (const QPoint& d : {QPoint(0, -2), QPoint(-2, 0), QPoint(2, 0), QPoint(0, 2), QPoint(1, 1)})
            EXPECT_TRUE(IsPureRed(shown, x + d.x(), c.MarkerRow + d.y()))
                << at << ": marker pixel " << d.x() << "," << d.y();
    }
}

TEST(WorldMap, ClickOnACityMarkerSelectsTheCityAndReappliesIt) {
    ProgramFolder folder;
    folder.WriteStandardData();  // no city selected
    Program p(folder);
    ShowView(p, "mnuMap");
    auto* cities = p.Find<QComboBox>("cmbCities");
    ASSERT_EQ(cities->currentIndex(), -1);
    QWidget* marker = ViewControl(p, "frmMap", "lblPnt");

    // Lima (12.05 S, 77.04 W) is on column 129, display row 126.
    MoveMouse(ViewControl(p, "frmMap", "picRes"), {128, 125});
    ASSERT_TRUE(marker->isVisible());
    ClickMouse(marker, {4, 8});
    EXPECT_EQ(cities->currentText(), "Lima");
    EXPECT_NEAR(p.Number("apLat", "Value"), 12.05, 1e-6);
    EXPECT_EQ(p.Find<QComboBox>("cmbLat")->currentIndex(), 1);
    EXPECT_NEAR(p.Number("apLon", "Value"), 77.04, 1e-6);
    EXPECT_EQ(p.Find<QComboBox>("cmbLon")->currentIndex(), 1);
    EXPECT_TRUE(IsPureRed(ShownUnder(ViewControl(p, "frmMap", "picRes")), 129, 124)) << "marker on Lima";

    // A hand edit of the place, then the same city's marker again: its record is applied anew.
    p.TypeInto("apLat", "txtDeg", "40");
    p.Choose("cmbLat", "N");
    ASSERT_GT(p.Number("apLat", "Value"), 39);
    ClickMouse(marker, {4, 8});
    EXPECT_EQ(cities->currentText(), "Lima");
    EXPECT_NEAR(p.Number("apLat", "Value"), 12.05, 1e-6);
    EXPECT_EQ(p.Find<QComboBox>("cmbLat")->currentIndex(), 1);
    EXPECT_NEAR(RadToDeg(p.Main().State().Latitude), -12.05, 1e-6);
}

TEST(WorldMap, StoppingRunClockBringsTheHiddenMapUpToDate) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    Program p(folder);
    QWidget* plot = ViewControl(p, "frmMap", "picRes");
    ASSERT_FALSE(plot->isVisible());
    p.Main().cmdRun_Click();
    p.Clock().AdvanceSeconds(3600);
    p.Main().Timer2Tick();
    p.Main().cmdRun_Click();
    ASSERT_EQ(p.Number("TimeP", "HourValue"), 13);
    // 13:00 in Berlin is 11:00 UT: the Sun stands over 23.4 N, 15.4 E (the transit at Greenwich is at
    // 12:02 UT), column 244, row 82, under the middle of its yellow disc.
    EXPECT_EQ(ShownUnder(plot).pixelColor(244, 82), QColor(255, 224, 64));
}

}  // namespace
}  // namespace heliomark::testing
