// The main window as its user drives it: a city picked from the list, places, zones, dates and
// daylight saving typed or chosen, and what the result boxes then read.
#include <QClipboard>
#include <QListWidget>
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

// Known days, read off the running program once and checked against an independent ephemeris
// (PyEphem: within a minute for the times, 0.02 degrees for the angles). The clock reads 12:00 on
// that day at the default place; the pick of the city moves the clock into the city's zone. The
// settings pick the formats: seconds shown, degrees as DMS, right ascension in degrees, DMS or hours.
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
        {"London", DateSerial(2024, 6, 21), 1, false, 2,
         "13:00:00 04:43:10|21:21:40|16:38:30|61.931°|6h2m37.2s|23.439°|13:02:25|61.927°|61.936°|178.819°"},
        {"Lima", DateSerial(2024, 6, 21), 0, false, 0,
         "07:00:00 06:28|17:53|11:25|54.512°|90.877°|23.438°|12:10|6.367°|6.500°|64.337°"},
        {"Longyearbyen", DateSerial(2024, 6, 21), 0, false, 0,
         "14:00:00 -|-|Polar Day|35.219°|90.610°|23.439°|12:59|34.762°|34.786°|196.995°"},
        {"Longyearbyen", DateSerial(2024, 12, 21), 0, false, 0,
         "13:00:00 -|-|Polar Night|-11.660°|270.076°|-23.440°|11:56|-12.089°|-12.089°|195.060°"},
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

TEST(MainWindow, EventsOnAnotherDayThanTheTransitCarryYAndT) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        // the zone picked from the open list, the longitude typed, the box and what it shows
        {"(GMT+13:00) Nuku'alofa", "-15", "txtSR", "19:58 Y"},
        {"(GMT-12:00) International Date Line West", "15", "txtSS", "05:06 T"}};
    for (const auto& [zone, longitude, box, shown] : cases) {
        StartedProgram p;
        Click(p.Find("cmbHZ")->findChild<QWidget*>("cmdOp"));
        auto* list = p.Find("cmbHZ")->findChild<QListWidget*>("List1");
        const auto items = list->findItems(zone, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << zone;
        Click(list->viewport(), list->visualItemRect(items[0]).center());
        p.TypeInto("apLon", "txtDeg", longitude);
        EXPECT_EQ(p.Text(box), shown) << zone << ", longitude " << longitude;
    }
}

TEST(MainWindow, ZoneOrDstChangesMoveTheClockButNotTheSun) {
    StartedProgram p;
    p.SetTime("23", "30", "0");
    const QString sun = p.Text("txtCurAlt") + p.Text("txtCurAzm");
    p.Find("cmbHZ")->setProperty("ListIndex", 29);  // GMT+01:00: half past midnight, the next day
    EXPECT_EQ(p.Seconds(), 30 * 60);
    EXPECT_EQ(p.Date(), DateSerial(2024, 6, 22));
    p.Choose("cmbDST", "Europe");
    EXPECT_EQ(Period(p), "31.03.2024 - 27.10.2024");
    EXPECT_EQ(p.Seconds(), 90 * 60);
    p.Choose("cmbDST", "None");
    EXPECT_EQ(Period(p), "none");
    EXPECT_EQ(p.Seconds(), 30 * 60);
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
        {"Berlin", DateSerial(2024, 6, 21), "txtYear", "2025", 12, "30.03.2025 - 26.10.2025"},
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
    EXPECT_EQ(Period(p), "31.07.2024 - 27.10.2024");
    EXPECT_EQ(p.Seconds(), 11 * 3600);
    p.TypeInto("DateP", "txtMonth", "8");
    EXPECT_EQ(Period(p), "31.07.2024 - 27.10.2024") << "same year: the edit stays";
    EXPECT_EQ(p.Seconds(), 12 * 3600);
    p.TypeInto("DateP", "txtYear", "2025");
    EXPECT_EQ(Period(p), "30.03.2025 - 26.10.2025");
}

TEST(MainWindow, TypedPlacesTakeTheirHemisphereAndLimits) {
    const std::tuple<const char*, const char*, const char*, double, const char*> cases[] = {
        {"apLat", "txtDeg", "0", 0, "N"},      {"apLat", "txtMin", "30", 0.5, "N"},
        {"apLat", "txtDeg", "-33", 33.5, "S"}, {"apLat", "txtDeg", "95", 90, "S"},
        {"apLon", "txtMin", "0", 0, "E"},      {"apLon", "txtDeg", "-200", 180, "W"}};
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
    EXPECT_EQ(p.Text("cmbCities"), "Berlin");
    EXPECT_FALSE(p.Find("cmbHZ")->toolTip().contains("kept"));
    for (const char* how : {"typed", "clicked on the map"}) {
        if (how == std::string("typed")) {
            p.TypeInto("apLat", "txtDeg", "10");
            p.Choose("cmbLon", "W");
        } else {
            p.Show("mnuMap");
            Click(Find(p.Find("frmMap"), "picRes"), {100, 60});
        }
        EXPECT_EQ(p.Find<QComboBox>("cmbCities")->currentIndex(), -1) << how;
        EXPECT_EQ(p.Number("cmbHZ", "ListIndex"), zone) << how;
        EXPECT_EQ(p.Text("cmbDST"), "Europe") << how;
        EXPECT_TRUE(p.Find("cmbHZ")->toolTip().contains("kept from Berlin")) << how;
        EXPECT_NE(p.Text("txtSR"), sunrise) << how;
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

TEST(MainWindow, AClickOnTheBackgroundFoldsUpTheZoneList) {
    StartedProgram p;
    for (const char* background : {"picBackground", "fraDay", "lblCities"}) {
        Click(p.Find("cmbHZ")->findChild<QWidget*>("cmdOp"));
        ASSERT_TRUE(p.Find("cmbHZ")->property("FullSize").toBool());
        Click(p.Find(background), QPoint(2, 2));
        EXPECT_FALSE(p.Find("cmbHZ")->property("FullSize").toBool()) << "click on " << background;
    }
}

TEST(MainWindow, KeyboardAccessKeysTabAndCtrlC) {
    StartedProgram p("Berlin");
    ShowActive(&p.Main());
    // Each label leads its access key (the letter after '&') to the input beside it.
    const std::pair<const char*, const char*> buddies[] = {
        {"lblCities", "cmbCities"}, {"lblLat", "apLat"},     {"lblLon", "apLon"}, {"lblHZ", "cmbHZ"},
        {"lblDST", "cmbDST"},       {"lblStart", "dpStart"}, {"lblEnd", "dpEnd"}, {"lblDate", "DateP"},
        {"lblTime", "TimeP"},       {"lblRate", "txtRate"}};
    QStringList texts;
    for (const auto& [label, input] : buddies) {
        texts << p.Text(label);
        const QChar key = texts.back().mid(texts.back().indexOf('&') + 1, 1).toUpper().at(0);
        PressKey(Qt::Key(key.unicode()), Qt::AltModifier);
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(p.Find(input)->isAncestorOf(focus) || focus == p.Find(input)) << "Alt+" << key.toLatin1();
    }
    EXPECT_EQ(texts.join(" "),
              "&Cities: &Latitude: L&ongitude: Hour &Zone: Daylight &Saving Time: St&art: "
              "&End: Da&te: T&ime: &Rate:");
    for (int i = 0; i < 60; ++i) {
        PressKey(Qt::Key_Tab);
        for (const char* result : ResultBoxes)
            ASSERT_NE(QApplication::focusWidget()->objectName(), result) << "Tab stopped on a result box";
    }
    const char* const labels[] = {
        "Sunrise:",     "Sunset:",       "Day Length:", "Max. Altitude:",    "Right Acsention:",
        "Declination:", "Transit Time:", "Altitude:",   "After Refraction:", "Azimuth:"};
    QString all;
    for (int i = 0; i < 10; ++i)
        all += QString(labels[i]) + "\t" + p.Text(ResultBoxes[i]) + "\n";
    for (const char* focus : {"cmbCities", "apLat", "txtRate", "cmdRun", "txtSR"}) {
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
