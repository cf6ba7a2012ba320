// The main window's display and inputs, driven through its controls' objectNames.
#include <QLabel>
#include <QMenuBar>

#include "program_fixture.h"

namespace heliomark::testing {
namespace {

// The results the window should show, computed straight from the engine for a place, a local date
// and time and a zone (DST hour included).
struct Expected {
    std::string SR, SS, DL, Alt, RA, Dec, Noon, CurAlt, TAlt, CurAzm;
};

Expected Compute(double latDeg, double lonDeg, int y, int m, int d, double zone, int h, int mi, double s,
                 const Settings& settings, const RefractionTable& refs) {
    SolarState st;
    st.Latitude = DegToRad(latDeg);
    st.Longitude = lonDeg;
    st.Year = static_cast<int16_t>(y);
    st.Month = static_cast<int16_t>(m);
    st.Day = static_cast<int16_t>(d);
    st.ZoneHours = zone;
    ComputeDayEvents(st, false);
    Expected e;
    const int sec = settings.ShowSecondsSetting;
    const bool dms = settings.AngleFormatSetting;
    e.SR = FormatClockTime(st.Sunrise, sec) + DaySuffix(st.Transit, st.Sunrise);
    e.SS = FormatClockTime(st.Sunset, sec) + DaySuffix(st.Transit, st.Sunset);
    e.Noon = FormatClockTime(st.Transit, sec);
    e.DL = st.PolarState == 0 ? FormatClockTime(st.Sunset - st.Sunrise, sec)
                              : (st.PolarState == 1 ? "Polar Day" : "Polar Night");
    e.Alt = FormatAngle(RadToDeg(st.MaxAltitude), dms);
    e.RA = settings.RAFormatSetting == 2
               ? FormatRA(st.RightAscension)
               : FormatAngle(RadToDeg(st.RightAscension), settings.RAFormatSetting == 1);
    e.Dec = FormatAngle(RadToDeg(st.Declination), dms);
    ComputeCurrentPosition(st, h, mi, s);
    e.CurAlt = FormatAngle(RadToDeg(st.Altitude), dms);
    e.TAlt = FormatAngle(RadToDeg(RefractionLookup(refs, st.Altitude)), dms);
    e.CurAzm = FormatAngle(FloorMod(RadToDeg(st.Azimuth), 360), dms);
    return e;
}

void ExpectShown(Program& p, const Expected& e, const std::string& what) {
    const std::pair<const char*, const std::string*> boxes[] = {
        {"txtSR", &e.SR},     {"txtSS", &e.SS},        {"txtDL", &e.DL},     {"txtAlt", &e.Alt},
        {"txtRA", &e.RA},     {"txtDec", &e.Dec},      {"txtNoon", &e.Noon}, {"txtCurAlt", &e.CurAlt},
        {"txtTAlt", &e.TAlt}, {"txtCurAzm", &e.CurAzm}};
    for (const auto& [name, text] : boxes)
        EXPECT_EQ(p.Text(name).toStdString(), *text) << name << " for " << what;
}

TEST(MainWindow, CarriesItsCaptionMenusGroupsAndLabels) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder);
    EXPECT_EQ(p.Main().windowTitle(), "Heliomark Pro  v1.3");
    EXPECT_TRUE(p.Main().isVisible());
    QStringList menus;
    for (QAction* a : p.Main().menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus,
              QStringList({"&File", "&Databases", "&View", "&Help"}));  // no menu without a working item
    for (const char* group : {"fraLocation", "fraDateTime", "fraDay", "fraSun"})
        p.Find(group);
    const std::pair<const char*, const char*> labels[] = {{"lblSR", "Sunrise:"},
                                                          {"lblRA", "Right Acsention:"},
                                                          {"lblNoon", "Transit Time:"},
                                                          {"lblTAlt", "After Refraction:"},
                                                          {"lblDST", "Daylight Saving Time:"}};
    for (const auto& [name, text] : labels)
        EXPECT_EQ(p.Find<QLabel>(name)->text(), text) << name;
    EXPECT_EQ(p.Find("cmdSync")->toolTip(), "Syncronize with system clock");
    EXPECT_EQ(p.Find("fbTW")->toolTip(), "Twilights");
}

TEST(MainWindow, ClickOnTheBackgroundFoldsUpTheZoneList) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder);
    for (const char* background : {"picBackground", "fraDay", "lblCities"}) {
        p.SetProperty("cmbHZ", "FullSize", true);
        ASSERT_TRUE(p.Find("cmbHZ")->property("FullSize").toBool());
        QTest::mouseClick(p.Find(background), Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_FALSE(p.Find("cmbHZ")->property("FullSize").toBool()) << "click on " << background;
    }
}

TEST(MainWindow, StartsOnTheDefaultPlaceWhenNoCityIsNamed) {
    ProgramFolder folder;
    folder.WriteStandardData("Atlantis");
    Program p(folder);
    EXPECT_EQ(p.Find<QComboBox>("cmbCities")->currentIndex(), -1);
    EXPECT_EQ(p.Number("apLat", "Value"), 0);
    EXPECT_EQ(p.Number("apLon", "Value"), 0);
    EXPECT_EQ(p.Number("cmbHZ", "ListIndex"), 25);
    EXPECT_EQ(p.Find<QComboBox>("cmbDST")->currentText(), "None");
    EXPECT_FALSE(p.Find("dpStart")->isVisible());
    EXPECT_EQ(p.Date(), DateSerial(2024, 6, 21));
    ExpectShown(p, Compute(0, 0, 2024, 6, 21, 0, 12, 0, 0, {}, p.Main().State().Refraction), "default place");
}

TEST(MainWindow, ShowsTheChosenCityInEveryDisplayFormat) {
    struct Case {
        int ShowSeconds;
        bool Dms;
        int16_t RAFormat;
    } cases[] = {{0, false, 0}, {1, true, 1}, {1, false, 2}};
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.WriteStandardData();
        Settings settings;
        settings.ShowSecondsSetting = c.ShowSeconds;
        settings.AngleFormatSetting = c.Dms;
        settings.RAFormatSetting = c.RAFormat;
        SaveSettings(folder.Path("settings.ini"), settings);
        Program p(folder);
        p.Choose("cmbCities", "Berlin");
        // Noon at GMT is 14:00 in Berlin's summer time: the Sun stays, the clock moves.
        EXPECT_EQ(p.Seconds(), 14 * 3600);
        EXPECT_NEAR(p.Number("apLat", "Value"), 52.52, 1e-9);
        EXPECT_EQ(p.Find<QComboBox>("cmbLat")->currentText(), "N");
        EXPECT_EQ(p.Number("cmbHZ", "ListIndex"), 27);
        EXPECT_EQ(p.Find<QComboBox>("cmbDST")->currentText(), "Europe");
        EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2024, 3, 31));
        EXPECT_EQ(p.Number("dpEnd", "Value"), DateSerial(2024, 10, 27));
        EXPECT_EQ(p.Main().State().ZoneHours, 2);
        const std::string what = "Berlin, format " + std::to_string(c.ShowSeconds) + std::to_string(c.Dms) +
                                 std::to_string(c.RAFormat);
        ExpectShown(
            p, Compute(52.52, 13.405, 2024, 6, 21, 2, 14, 0, 0, settings, p.Main().State().Refraction), what);
    }
}

TEST(MainWindow, SouthernWesternCityShowsSAndWWithPositiveValues) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder);
    p.Choose("cmbCities", "Lima");
    EXPECT_NEAR(p.Number("apLat", "Value"), 12.05, 1e-9);
    EXPECT_NEAR(p.Number("apLon", "Value"), 77.04, 1e-9);
    EXPECT_EQ(p.Find<QComboBox>("cmbLat")->currentText(), "S");
    EXPECT_EQ(p.Find<QComboBox>("cmbLon")->currentText(), "W");
    EXPECT_NEAR(RadToDeg(p.Main().State().Latitude), -12.05, 1e-9);
    EXPECT_NEAR(p.Main().State().Longitude, -77.04, 1e-9);
    EXPECT_EQ(p.Seconds(), 7 * 3600);  // GMT-5
    ExpectShown(p, Compute(-12.05, -77.04, 2024, 6, 21, -5, 7, 0, 0, {}, p.Main().State().Refraction),
                "Lima");
}

TEST(MainWindow, PolarDayAndPolarNight) {
    ProgramFolder folder;
    folder.WriteStandardData("Longyearbyen");
    Program p(folder);
    EXPECT_EQ(p.Text("txtDL"), "Polar Day");
    EXPECT_EQ(p.Text("txtSR"), "-");
    EXPECT_EQ(p.Text("txtSS"), "-");
    p.TypeInto("DateP", "txtMonth", "12");
    EXPECT_EQ(p.Date(), DateSerial(2024, 12, 21));
    EXPECT_EQ(p.Text("txtDL"), "Polar Night");
    EXPECT_EQ(p.Text("txtSR"), "-");
}

TEST(MainWindow, EventsOnAnotherDayThanTheTransitCarryYAndT) {
    struct Case {
        int Zone;
        const char* Longitude;  // typed into the degrees field
        const char* Box;
        const char* Suffix;
    } cases[] = {{74, "-15", "txtSR", " Y"}, {0, "15", "txtSS", " T"}};
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.WriteStandardData();
        Program p(folder);
        p.SetProperty("cmbHZ", "ListIndex", c.Zone);
        p.TypeInto("apLon", "txtDeg", c.Longitude);
        EXPECT_TRUE(p.Text(c.Box).endsWith(c.Suffix)) << c.Box << " = " << p.Text(c.Box).toStdString()
                                                      << " for zone " << c.Zone << ", lon " << c.Longitude;
    }
}

TEST(MainWindow, ZoneChangeAt2330MovesTheDateButNotTheSun) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder);
    p.SetProperty("cmbHZ", "ListIndex", 26);
    p.TypeInto("TimeP", "txtHour", "23");
    p.TypeInto("TimeP", "txtMin", "30");
    ASSERT_EQ(p.Seconds(), 23 * 3600 + 30 * 60);
    const QString alt = p.Text("txtCurAlt"), azm = p.Text("txtCurAzm");
    p.SetProperty("cmbHZ", "ListIndex", 29);  // GMT+01:00
    EXPECT_EQ(p.Seconds(), 30 * 60);
    EXPECT_EQ(p.Date(), DateSerial(2024, 6, 22));
    EXPECT_EQ(p.Text("txtCurAlt"), alt);
    EXPECT_EQ(p.Text("txtCurAzm"), azm);
}

TEST(MainWindow, ChoosingADstRuleShiftsTheClockByItsHour) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder);
    const QString alt = p.Text("txtCurAlt");
    p.Choose("cmbDST", "Europe");
    EXPECT_TRUE(p.Find("dpStart")->isVisible());
    EXPECT_EQ(p.Main().IsDST(), 1);
    EXPECT_EQ(p.Seconds(), 13 * 3600);
    EXPECT_EQ(p.Text("txtCurAlt"), alt);
    p.Choose("cmbDST", "None");
    EXPECT_EQ(p.Seconds(), 12 * 3600);
    EXPECT_FALSE(p.Find("dpStart")->isVisible());
}

TEST(MainWindow, DateEnteringTheDstPeriodMovesTheClockAnHourOn) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    Program p(folder, DateSerial(2024, 3, 30) + 0.5);
    ASSERT_EQ(p.Main().IsDST(), 0);
    const QString alt = p.Text("txtCurAlt");
    p.TypeInto("DateP", "txtDay", "31");
    EXPECT_EQ(p.Main().IsDST(), 1);
    EXPECT_EQ(p.Seconds(), 13 * 3600) << "the same universal time, one hour later on the clock";
    EXPECT_EQ(p.Main().State().ZoneHours, 2);
    EXPECT_NE(p.Text("txtCurAlt"), alt) << "a day later the Sun stands elsewhere at that instant";
    p.TypeInto("DateP", "txtDay", "30");
    EXPECT_EQ(p.Seconds(), 12 * 3600);
}

TEST(MainWindow, SouthernRuleWrapsTheYear) {
    ProgramFolder folder;
    folder.WriteStandardData("Sydney");
    Program p(folder, DateSerial(2024, 1, 15) + 0.5);
    EXPECT_EQ(p.Main().IsDST(), 1) << "mid-January lies in an October-to-April period";
    EXPECT_EQ(p.Main().State().ZoneHours, 11);
}

TEST(MainWindow, VariableRuleWithoutTheYearGivesNoDst) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder, DateSerial(2025, 6, 21) + 0.5);
    p.Choose("cmbCities", "Varia Town");
    EXPECT_FALSE(p.Find("dpStart")->isVisible());
    EXPECT_FALSE(p.Find("dpEnd")->isVisible());
    EXPECT_EQ(p.Main().IsDST(), 0);
    EXPECT_EQ(p.Main().State().ZoneHours, 1);
    p.TypeInto("DateP", "txtYear", "2024");  // a listed year brings the period back
    EXPECT_TRUE(p.Find("dpStart")->isVisible());
    EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2024, 5, 1));
    EXPECT_EQ(p.Main().IsDST(), 1);
}

TEST(MainWindow, NewYearRederivesTheDstPeriodButTheSameYearKeepsHandEdits) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    Program p(folder);
    p.TypeInto("dpStart", "txtDay", "1");  // a hand edit: 1 March
    EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2024, 3, 1));
    p.TypeInto("DateP", "txtMonth", "7");
    EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2024, 3, 1)) << "same year: the hand edit stays";
    p.TypeInto("DateP", "txtYear", "2025");
    EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2025, 3, 30));
    EXPECT_EQ(p.Number("dpEnd", "Value"), DateSerial(2025, 10, 26));
}

TEST(MainWindow, NegativeLatitudeMeansSouthAndLimitsHold) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder);
    ASSERT_EQ(p.Find<QComboBox>("cmbLat")->currentText(), "N");
    p.TypeInto("apLat", "txtDeg", "-33");
    p.TypeInto("apLat", "txtMin", "54");
    EXPECT_NEAR(p.Number("apLat", "Value"), 33.9, 1e-9);
    EXPECT_EQ(p.Find<QComboBox>("cmbLat")->currentText(), "S");
    EXPECT_NEAR(RadToDeg(p.Main().State().Latitude), -33.9, 1e-9);

    const std::tuple<const char*, const char*, double> limits[] = {
        {"apLat", "95", 90}, {"apLat", "90", 90}, {"apLon", "200", 180}, {"apLon", "180", 180}};
    for (const auto& [picker, typed, shown] : limits) {
        p.TypeInto(picker, "txtMin", "0");
        p.TypeInto(picker, "txtDeg", typed);
        EXPECT_EQ(p.Number(picker, "Value"), shown) << typed << " typed into " << picker;
    }
    EXPECT_NEAR(RadToDeg(p.Main().State().Latitude), -90, 1e-9);
}

TEST(MainWindow, CitiesClickWithNoSelectionAppliesTheDefaultPlace) {
    ProgramFolder folder;
    folder.WriteStandardData("Sydney");
    Program p(folder);
    p.Find<QComboBox>("cmbCities")->setCurrentIndex(-1);
    p.Main().cmbCities_Click();
    EXPECT_EQ(p.Number("apLat", "Value"), 0);
    EXPECT_EQ(p.Number("cmbHZ", "ListIndex"), 25);
    EXPECT_EQ(p.Find<QComboBox>("cmbDST")->currentText(), "None");
}

TEST(MainWindow, ReapplyingTheSelectedCityUndoesHandEdits) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    Program p(folder);
    p.TypeInto("apLat", "txtDeg", "10");
    p.SetProperty("cmbHZ", "ListIndex", 40);
    p.Choose("cmbCities", "Berlin");  // the entry that is already selected
    EXPECT_NEAR(p.Number("apLat", "Value"), 52.52, 1e-9);
    EXPECT_EQ(p.Number("cmbHZ", "ListIndex"), 27);
}

}  // namespace
}  // namespace heliomark::testing
