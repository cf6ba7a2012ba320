// The main window as its user drives it: a city picked from the list, places, zones, dates and
// daylight saving typed or chosen, and what the result boxes then read.
#include <QClipboard>
#include <QMenuBar>

#include "support/test_support.h"

namespace heliomark::testing {
namespace {

const char* const ResultBoxes[] = {"txtSR",  "txtSS",   "txtDL",     "txtAlt",  "txtRA",
                                   "txtDec", "txtNoon", "txtCurAlt", "txtTAlt", "txtCurAzm"};

// The clock as TimeP reads and the ten result boxes, as one line.
QString ClockAndResults(Program& p) {
    QWidget* time = p.Find("TimeP");
    QStringList shown;
    for (const char* box : ResultBoxes)
        shown << p.Text(box);
    return Shown(time, "txtHour") + ":" + Shown(time, "txtMin") + ":" + Shown(time, "txtSec").left(2) + " " +
           shown.join("|");
}

// The daylight-saving period the main window shows, as its date pickers read, or "none".
QString Period(Program& p) {
    QStringList dates;
    for (const char* picker : {"dpStart", "dpEnd"}) {
        QWidget* w = p.Find(picker);
        dates << Shown(w, "txtDay") + "." + Shown(w, "txtMonth") + "." + Shown(w, "txtYear");
    }
    return p.Find("dpStart")->isVisible() ? dates.join(" - ") : "none";
}

// Values checked against an independent ephemeris (PyEphem: a minute, 0.02 degrees). The clock read
// 12:00 at the default place; the pick moves it into the city's zone. The settings pick the formats.
TEST(MainWindow, ShowsTheDayAndTheSunOfAPickedCityInEveryFormat) {
    const struct {
        const char* City;
        double Day;
        int ShowSeconds;
        bool Dms;
        int16_t RAFormat;
        const char* Shown;  // the clock after the pick, then the result boxes
    } cases[] = {
        {"London", DateSerial(2024, 6, 21), 0, false, 0,
         "13:00:00 04:43|21:22|16:39|61.931°|90.655°|23.439°|13:02|61.927°|61.936°|178.819°"},
        {"London", DateSerial(2024, 6, 21), 1, true, 1,
         "13:00:00 04:43:10|21:21:40|16:38:30|61° 55' 52''|90° 39' 18''|23° 26' 19''|13:02:25|61° 55' 38''|"
         "61° 56' 11''|178° 49' 8''"},
        {"Longyearbyen", DateSerial(2024, 6, 21), 0, false, 0,
         "14:00:00 -|-|Polar Day|35.219°|90.610°|23.439°|12:59|34.762°|34.786°|196.995°"},
    };
    for (const auto& c : cases) {
        Settings settings;
        settings.ShowSecondsSetting = c.ShowSeconds;
        settings.AngleFormatSetting = c.Dms;
        settings.RAFormatSetting = c.RAFormat;
        StartedProgram p("", settings, c.Day + 0.5);
        p.Choose("cmbCities", c.City);
        EXPECT_EQ(ClockAndResults(p), QString::fromUtf8(c.Shown))
            << c.City << " day " << c.Day << ", formats " << c.ShowSeconds << c.Dms << c.RAFormat;
    }
}

TEST(MainWindow, PickedCityFillsThePlaceZoneAndDstInputs) {
    const std::pair<const char*, const char*> cases[] = {
        {"Berlin", "52° 31' 12.0'' N, 13° 24' 18.0'' E, GMT+01:00, Europe, 31.03.2024 - 27.10.2024"},
        {"Lima", "12° 03' 00.0'' S, 77° 02' 24.0'' W, GMT-05:00, None, none"},
        {"Sydney", "33° 52' 12.0'' S, 151° 12' 36.0'' E, GMT+10:00, AusSouth, 06.10.2024 - 07.04.2024"}};
    StartedProgram p;
    for (const auto& [city, expected] : cases) {
        p.Choose("cmbCities", city);
        QStringList shown;
        for (const auto& [picker, hemisphere] :
             {std::pair("apLat", "cmbLat"), std::pair("apLon", "cmbLon")}) {
            QWidget* w = p.Find(picker);
            shown << Shown(w, "txtDeg") + "° " + Shown(w, "txtMin") + "' " + Shown(w, "txtSec") + "'' " +
                         p.Text(hemisphere);
        }
        EXPECT_EQ((shown << p.Text("cmbHZ") << p.Text("cmbDST") << Period(p)).join(", "),
                  QString::fromUtf8(expected));
    }
}

TEST(MainWindow, ZoneOrDstChangesMoveTheClockButNotTheSun) {
    StartedProgram p;
    p.SetTime("23", "30", "0");
    const QString sun = p.Text("txtCurAlt") + p.Text("txtCurAzm");
    p.Find("cmbHZ")->setProperty("ListIndex", 29);  // GMT+01:00: half past midnight, the next day
    EXPECT_EQ(p.Date() + p.Seconds() / 86400, DateSerial(2024, 6, 22) + 30 / 1440.0);
    p.Choose("cmbDST", "Europe");
    EXPECT_EQ(Period(p) + " " + QString::number(p.Seconds()), "31.03.2024 - 27.10.2024 5400");
    p.Choose("cmbDST", "None");
    EXPECT_EQ(Period(p) + " " + QString::number(p.Seconds()), "none 1800");
    EXPECT_EQ(p.Text("txtCurAlt") + p.Text("txtCurAzm"), sun);
}

TEST(MainWindow, DatesInAndOutOfTheDstPeriodMoveTheClock) {
    const struct {
        const char* City;
        double Today;
        const char *Field, *Typed;
        int ClockHour;  // the same instant as 12:00 on the first day, on the clock
        const char* Period;
    } cases[] = {
        {"Berlin", DateSerial(2024, 3, 30), "txtDay", "31", 13, "31.03.2024 - 27.10.2024"},
        {"Berlin", DateSerial(2024, 10, 26), "txtDay", "27", 11, "31.03.2024 - 27.10.2024"},
        {"Sydney", DateSerial(2024, 4, 7), "txtDay", "6", 13, "06.10.2024 - 07.04.2024"},
        {"Varia Town", DateSerial(2024, 6, 21), "txtYear", "2025", 11, "none"},  // not listed: no DST
        {"Varia Town", DateSerial(2025, 6, 21), "txtYear", "2024", 13, "01.05.2024 - 01.09.2024"},
    };
    for (const auto& c : cases) {
        StartedProgram p(c.City, {}, c.Today + 0.5);
        const QString altitude = p.Text("txtCurAlt");
        p.TypeInto("DateP", c.Field, c.Typed);
        const std::string what = std::string(c.City) + ", " + c.Field + " " + c.Typed;
        EXPECT_EQ(p.Seconds(), c.ClockHour * 3600) << what;
        EXPECT_EQ(Period(p), c.Period) << what;
        EXPECT_NE(p.Text("txtCurAlt"), altitude) << what << ": another day, another Sun";
    }
}

TEST(MainWindow, AHandEditedDstPeriodHoldsUntilTheYearChanges) {
    StartedProgram p("Berlin");
    p.TypeInto("dpStart", "txtMonth", "7");  // 31 July: 21 June is no longer in the period
    EXPECT_EQ(Period(p) + " " + QString::number(p.Seconds()), "31.07.2024 - 27.10.2024 39600");
    p.TypeInto("DateP", "txtMonth", "8");  // same year: the edit stays
    EXPECT_EQ(Period(p) + " " + QString::number(p.Seconds()), "31.07.2024 - 27.10.2024 43200");
    p.TypeInto("DateP", "txtYear", "2025");
    EXPECT_EQ(Period(p), "30.03.2025 - 26.10.2025");
}

TEST(MainWindow, TypedPlacesTakeTheirHemisphereAndLimits) {
    const std::tuple<const char*, const char*, const char*, double, const char*> cases[] = {
        {"apLat", "txtMin", "30", 0.5, "N"},
        {"apLat", "txtDeg", "-33", 33.5, "S"},
        {"apLat", "txtDeg", "95", 90, "S"},
        {"apLon", "txtDeg", "-200", 180, "W"}};
    StartedProgram p;
    for (const auto& [picker, field, typed, value, hemisphere] : cases) {
        p.TypeInto(picker, field, typed);
        const std::string what = std::string(typed) + " typed into " + picker + "." + field;
        EXPECT_DOUBLE_EQ(p.Number(picker, "Value"), value) << what;
        EXPECT_EQ(p.Text(picker == std::string("apLat") ? "cmbLat" : "cmbLon"), hemisphere) << what;
    }
    EXPECT_EQ(p.Text("txtDL"), "Polar Night") << "90° S in June";
    p.Choose("cmbLat", "N");
    EXPECT_EQ(p.Text("txtDL"), "Polar Day");
}

// A place typed or clicked away from the selected city shows no city but keeps its zone and rule;
// picking the city again undoes the edits.
TEST(MainWindow, APlaceAwayFromTheSelectedCityShowsNoCityUntilItIsPickedAgain) {
    StartedProgram p("Berlin");
    const int zone = p.Number("cmbHZ", "ListIndex");
    const QString sunrise = p.Text("txtSR");
    p.TypeInto("apLat", "txtDeg", "52");  // 52° 31' 12'', Berlin's own latitude
    EXPECT_TRUE(p.Text("cmbCities") == "Berlin" && !p.Find("cmbHZ")->toolTip().contains("kept"));
    for (const char* how : {"typed", "clicked on the map"}) {
        if (how == std::string("typed")) {
            p.TypeInto("apLat", "txtDeg", "10");
            p.Choose("cmbLon", "W");
        } else {
            p.Show("mnuMap");
            Click(Find(p.Find("frmMap"), "picRes"), {100, 60});
        }
        EXPECT_TRUE(p.Find<QComboBox>("cmbCities")->currentIndex() == -1 &&
                    p.Number("cmbHZ", "ListIndex") == zone && p.Text("cmbDST") == "Europe" &&
                    p.Find("cmbHZ")->toolTip().contains("kept from Berlin") && p.Text("txtSR") != sunrise)
            << how << ": no city, the zone and rule kept";
        p.Choose("cmbCities", "Berlin");
        EXPECT_DOUBLE_EQ(p.Number("apLat", "Value"), 52.52) << how;
        EXPECT_EQ(p.Text("cmbLon") + " " + p.Text("txtSR"), "E " + sunrise) << how;
    }
}

TEST(MainWindow, MenusAndToolbarCarryTheirCaptions) {
    StartedProgram p;
    EXPECT_EQ(p.Main().windowTitle(), "Heliomark Pro  v1.3");
    QStringList menus, tips;
    for (QAction* bar : p.Main().menuBar()->actions()) {
        menus << bar->text() + ":";
        for (QAction* item : bar->menu()->actions())
            menus << (item->isSeparator() ? QString("-") : item->text());
    }
    EXPECT_EQ(menus.join(" "),
              "&File: &Settings... &Calendar... - E&xit &Databases: C&ities... D&aylight Saving Times... "
              "&View: S&ky View D&ay View W&orld Map T&wilights Sun &Events &Year &Help: Dictionary... - "
              "&About...");
    for (const char* button : {"fbCal", "fbGraf", "fbMap", "fbTW", "fb3D", "fbEvents", "fbYear", "cmdSync"})
        tips << p.Find(button)->toolTip();
    EXPECT_EQ(
        tips.join(", "),
        "Calendar, Day View, World Map, Twilights, Sky View, Sun Events, Year, Syncronize with system clock");
}

TEST(MainWindow, KeyboardAccessKeysAndCtrlC) {
    StartedProgram p("Berlin");
    ShowActive(&p.Main());
    QStringList texts;  // each label leads its access key to the input beside it
    for (const char* label : {"lblCities", "lblLat", "lblLon", "lblHZ", "lblDST", "lblStart", "lblEnd",
                              "lblDate", "lblTime", "lblRate"})
        texts << p.Text(label);
    EXPECT_EQ(texts.join(" "),
              "&Cities: &Latitude: L&ongitude: Hour &Zone: Daylight &Saving Time: St&art: "
              "&End: Da&te: T&ime: &Rate:");
    PressKey(Qt::Key_Z, Qt::AltModifier);
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == p.Find("cmbHZ") || p.Find("cmbHZ")->isAncestorOf(focus)) << "Alt+Z";
    QString all;  // every result with its label, whatever has the focus
    for (int i = 0; i < 10; ++i)
        all += QStringList{"Sunrise:",          "Sunset:",      "Day Length:",   "Max. Altitude:",
                           "Right Acsention:",  "Declination:", "Transit Time:", "Altitude:",
                           "After Refraction:", "Azimuth:"}[i] +
               "\t" + p.Text(ResultBoxes[i]) + "\n";
    for (const char* focus : {"apLat", "txtSR"}) {
        p.Find(focus)->setFocus();
        PressKey(Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), all) << "Ctrl+C in " << focus;
    }
    Click(p.Find("txtSR"));  // a result takes the focus by a click, and copies what is selected
    ASSERT_EQ(QApplication::focusWidget(), p.Find("txtSR"));
    PressKey(Qt::Key_A, Qt::ControlModifier);
    PressKey(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), p.Text("txtSR"));
}

}  // namespace
}  // namespace heliomark::testing
