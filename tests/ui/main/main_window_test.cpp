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

// Known days, read off the running program once and checked against an independent ephemeris
// (PyEphem: within a minute for the times, 0.02 degrees for the angles). The clock reads 12:00 on
// that day at the default place; the pick of the city moves the clock into the city's zone.
TEST(MainWindow, ShowsTheDayAndTheSunOfAPickedCityInEveryFormat) {
    struct Case {
        const char* City;
        int Year, Month, Day;
        int ShowSeconds;
        bool Dms;
        int16_t RAFormat;
        const char* Clock;  // the time TimeP shows after the pick
        const char* Boxes[10];
    } cases[] = {
        {"London",
         2024,
         6,
         21,
         0,
         false,
         0,
         "13:00:00",
         {"04:43", "21:22", "16:39", "61.931°", "90.655°", "23.439°", "13:02", "61.927°", "61.936°",
          "178.819°"}},
        {"London",
         2024,
         6,
         21,
         1,
         true,
         1,
         "13:00:00",
         {"04:43:10", "21:21:40", "16:38:30", "61° 55' 52''", "90° 39' 18''", "23° 26' 19''", "13:02:25",
          "61° 55' 38''", "61° 56' 11''", "178° 49' 8''"}},
        {"London",
         2024,
         6,
         21,
         1,
         false,
         2,
         "13:00:00",
         {"04:43:10", "21:21:40", "16:38:30", "61.931°", "6h2m37.2s", "23.439°", "13:02:25", "61.927°",
          "61.936°", "178.819°"}},
        {"Lima",
         2024,
         6,
         21,
         0,
         false,
         0,
         "07:00:00",
         {"06:28", "17:53", "11:25", "54.512°", "90.877°", "23.438°", "12:10", "6.367°", "6.500°",
          "64.337°"}},
        {"Longyearbyen",
         2024,
         6,
         21,
         0,
         false,
         0,
         "14:00:00",
         {"-", "-", "Polar Day", "35.219°", "90.610°", "23.439°", "12:59", "34.762°", "34.786°", "196.995°"}},
        {"Longyearbyen",
         2024,
         12,
         21,
         0,
         false,
         0,
         "13:00:00",
         {"-", "-", "Polar Night", "-11.660°", "270.076°", "-23.440°", "11:56", "-12.089°", "-12.089°",
          "195.060°"}},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.ShowSecondsSetting = c.ShowSeconds;
        settings.AngleFormatSetting = c.Dms;
        settings.RAFormatSetting = c.RAFormat;
        ProgramFolder folder("", settings);
        Program p(folder, DateSerial(c.Year, c.Month, c.Day) + 0.5);
        p.Choose("cmbCities", c.City);
        const std::string what = std::string(c.City) + " " + std::to_string(c.Month) + "/" +
                                 std::to_string(c.Day) + " format " + std::to_string(c.ShowSeconds) +
                                 std::to_string(c.Dms) + std::to_string(c.RAFormat);
        const QString clock = p.Find("TimeP")->findChild<QLineEdit*>("txtHour")->text() + ":" +
                              p.Find("TimeP")->findChild<QLineEdit*>("txtMin")->text() + ":" +
                              p.Find("TimeP")->findChild<QLineEdit*>("txtSec")->text().left(2);
        EXPECT_EQ(clock, c.Clock) << what;
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(p.Text(ResultBoxes[i]), QString::fromUtf8(c.Boxes[i]))
                << ResultBoxes[i] << ", " << what;
    }
}

TEST(MainWindow, PickedCityFillsThePlaceZoneAndDstInputs) {
    struct Case {
        const char *City, *Lat, *NS, *Lon, *EW, *Zone, *Dst;
        double Start, End;  // the DST period shown, 0 when hidden
    } cases[] = {
        {"Berlin", "52° 31' 12.0''", "N", "13° 24' 18.0''", "E", "GMT+01:00", "Europe",
         DateSerial(2024, 3, 31), DateSerial(2024, 10, 27)},
        {"Lima", "12° 03' 00.0''", "S", "77° 02' 24.0''", "W", "GMT-05:00", "None", 0, 0},
        {"Sydney", "33° 52' 12.0''", "S", "151° 12' 36.0''", "E", "GMT+10:00", "AusSouth",
         DateSerial(2024, 10, 6), DateSerial(2024, 4, 7)},
    };
    ProgramFolder folder;
    Program p(folder);
    for (const Case& c : cases) {
        p.Choose("cmbCities", c.City);
        const auto picker = [&p](const char* name) {
            QWidget* w = p.Find(name);
            return Shown(w, "txtDeg") + "° " + Shown(w, "txtMin") + "' " + Shown(w, "txtSec") + "''";
        };
        EXPECT_EQ(picker("apLat"), QString::fromUtf8(c.Lat)) << c.City;
        EXPECT_EQ(p.Text("cmbLat"), c.NS) << c.City;
        EXPECT_EQ(picker("apLon"), QString::fromUtf8(c.Lon)) << c.City;
        EXPECT_EQ(p.Text("cmbLon"), c.EW) << c.City;
        EXPECT_EQ(p.Text("cmbHZ"), c.Zone) << c.City;
        EXPECT_EQ(p.Text("cmbDST"), c.Dst) << c.City;
        EXPECT_EQ(p.Find("dpStart")->isVisible(), c.Start != 0) << c.City;
        if (c.Start != 0) {
            EXPECT_EQ(p.Number("dpStart", "Value"), c.Start) << c.City;
            EXPECT_EQ(p.Number("dpEnd", "Value"), c.End) << c.City;
        }
    }
}

TEST(MainWindow, EventsOnAnotherDayThanTheTransitCarryYAndT) {
    struct Case {
        const char* Zone;  // picked from the open zone list
        const char* Longitude;
        const char* Box;
        const char* Shown;
    } cases[] = {{"(GMT+13:00) Nuku'alofa", "-15", "txtSR", "19:58 Y"},
                 {"(GMT-12:00) International Date Line West", "15", "txtSS", "05:06 T"}};
    for (const Case& c : cases) {
        ProgramFolder folder;
        Program p(folder);
        Click(p.Find("cmbHZ")->findChild<QWidget*>("cmdOp"));
        auto* list = p.Find("cmbHZ")->findChild<QListWidget*>("List1");
        const auto items = list->findItems(c.Zone, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << c.Zone;
        Click(list->viewport(), list->visualItemRect(items[0]).center());
        p.TypeInto("apLon", "txtDeg", c.Longitude);
        EXPECT_EQ(p.Text(c.Box), c.Shown) << c.Zone << ", longitude " << c.Longitude;
    }
}

TEST(MainWindow, ZoneOrDstChangesMoveTheClockButNotTheSun) {
    ProgramFolder folder;
    Program p(folder);
    p.SetTime("23", "30", "0");
    const QString altitude = p.Text("txtCurAlt"), azimuth = p.Text("txtCurAzm");
    p.Find("cmbHZ")->setProperty("ListIndex", 29);  // GMT+01:00: half past midnight, the next day
    EXPECT_EQ(p.Seconds(), 30 * 60);
    EXPECT_EQ(p.Date(), DateSerial(2024, 6, 22));
    p.Choose("cmbDST", "Europe");
    EXPECT_TRUE(p.Find("dpStart")->isVisible());
    EXPECT_EQ(p.Seconds(), 90 * 60);
    p.Choose("cmbDST", "None");
    EXPECT_FALSE(p.Find("dpStart")->isVisible());
    EXPECT_EQ(p.Seconds(), 30 * 60);
    EXPECT_EQ(p.Text("txtCurAlt"), altitude);
    EXPECT_EQ(p.Text("txtCurAzm"), azimuth);
}

TEST(MainWindow, DatesInAndOutOfTheDstPeriodMoveTheClock) {
    struct Case {
        const char* City;
        double Today;
        const char *Field, *Typed;
        int ClockHour;      // the same instant as 12:00 on the first day, on the clock
        double Start, End;  // the period shown, 0 when hidden
    } cases[] = {
        {"Berlin", DateSerial(2024, 3, 30), "txtDay", "31", 13, DateSerial(2024, 3, 31),
         DateSerial(2024, 10, 27)},
        {"Berlin", DateSerial(2024, 10, 26), "txtDay", "27", 11, DateSerial(2024, 3, 31),
         DateSerial(2024, 10, 27)},
        {"Sydney", DateSerial(2024, 4, 7), "txtDay", "6", 13, DateSerial(2024, 10, 6),
         DateSerial(2024, 4, 7)},
        {"Berlin", DateSerial(2024, 6, 21), "txtYear", "2025", 12, DateSerial(2025, 3, 30),
         DateSerial(2025, 10, 26)},
        {"Varia Town", DateSerial(2024, 6, 21), "txtYear", "2025", 11, 0, 0},  // not listed: no DST
        {"Varia Town", DateSerial(2025, 6, 21), "txtYear", "2024", 13, DateSerial(2024, 5, 1),
         DateSerial(2024, 9, 1)},
    };
    for (const Case& c : cases) {
        ProgramFolder folder(c.City);
        Program p(folder, c.Today + 0.5);
        const QString altitude = p.Text("txtCurAlt");
        p.TypeInto("DateP", c.Field, c.Typed);
        const std::string what = std::string(c.City) + ", " + c.Field + " " + c.Typed;
        EXPECT_EQ(p.Seconds(), c.ClockHour * 3600) << what;
        EXPECT_EQ(p.Find("dpStart")->isVisible(), c.Start != 0) << what;
        if (c.Start != 0) {
            EXPECT_EQ(p.Number("dpStart", "Value"), c.Start) << what;
            EXPECT_EQ(p.Number("dpEnd", "Value"), c.End) << what;
        }
        EXPECT_NE(p.Text("txtCurAlt"), altitude) << what << ": another day, another Sun";
    }
}

TEST(MainWindow, AHandEditedDstPeriodHoldsUntilTheYearChanges) {
    ProgramFolder folder("Berlin");
    Program p(folder);
    p.TypeInto("dpStart", "txtMonth", "7");  // 31 July: 21 June is no longer in the period
    EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2024, 7, 31));
    EXPECT_EQ(p.Seconds(), 11 * 3600);
    p.TypeInto("DateP", "txtMonth", "8");
    EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2024, 7, 31)) << "same year: the edit stays";
    EXPECT_EQ(p.Seconds(), 12 * 3600);
    p.TypeInto("DateP", "txtYear", "2025");
    EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2025, 3, 30));
}

TEST(MainWindow, TypedPlacesTakeTheirHemisphereAndLimits) {
    struct Case {
        const char *Picker, *Field, *Typed;
        double Value;
        const char* Hemisphere;
    } cases[] = {
        {"apLat", "txtDeg", "0", 0, "N"},      {"apLat", "txtMin", "30", 0.5, "N"},
        {"apLat", "txtDeg", "-33", 33.5, "S"}, {"apLat", "txtDeg", "95", 90, "S"},
        {"apLon", "txtMin", "0", 0, "E"},      {"apLon", "txtDeg", "-200", 180, "W"},
    };
    ProgramFolder folder;
    Program p(folder);
    for (const Case& c : cases) {
        p.TypeInto(c.Picker, c.Field, c.Typed);
        const std::string what = std::string(c.Typed) + " typed into " + c.Picker + "." + c.Field;
        EXPECT_DOUBLE_EQ(p.Number(c.Picker, "Value"), c.Value) << what;
        EXPECT_EQ(p.Text(c.Picker == std::string("apLat") ? "cmbLat" : "cmbLon"), c.Hemisphere) << what;
    }
    EXPECT_EQ(p.Text("txtDL"), "Polar Night") << "90° S in June";
    p.Choose("cmbLat", "N");
    EXPECT_EQ(p.Text("txtDL"), "Polar Day");
}

TEST(MainWindow, PickingTheSelectedCityAgainUndoesHandEdits) {
    ProgramFolder folder("Berlin");
    Program p(folder);
    const QString sunrise = p.Text("txtSR");
    p.TypeInto("apLat", "txtDeg", "10");
    p.Choose("cmbLon", "W");
    ASSERT_NE(p.Text("txtSR"), sunrise);
    p.Choose("cmbCities", "Berlin");
    EXPECT_DOUBLE_EQ(p.Number("apLat", "Value"), 52.52);
    EXPECT_EQ(p.Text("cmbLon"), "E");
    EXPECT_EQ(p.Text("txtSR"), sunrise);
}

TEST(MainWindow, MenusAndToolbarCarryTheirCaptions) {
    ProgramFolder folder;
    Program p(folder);
    EXPECT_EQ(p.Main().windowTitle(), "Heliomark Pro  v1.3");
    QStringList menus;
    for (QAction* bar : p.Main().menuBar()->actions()) {
        menus << bar->text() + ":";
        for (QAction* item : bar->menu()->actions())
            menus << (item->isSeparator() ? QString("-") : item->text());
    }
    EXPECT_EQ(menus.join(" "),
              "&File: &Settings... &Calendar... - E&xit &Databases: C&ities... D&aylight Saving Times... "
              "&View: S&ky View D&ay View W&orld Map T&wilights Sun &Events &Year &Help: Dictionary... - "
              "&About...");
    QStringList tips;
    for (const char* button : {"fbCal", "fbGraf", "fbMap", "fbTW", "fb3D", "fbEvents", "fbYear", "cmdSync"})
        tips << p.Find(button)->toolTip();
    EXPECT_EQ(
        tips.join(", "),
        "Calendar, Day View, World Map, Twilights, Sky View, Sun Events, Year, Syncronize with system clock");
}

TEST(MainWindow, AClickOnTheBackgroundFoldsUpTheZoneList) {
    ProgramFolder folder;
    Program p(folder);
    for (const char* background : {"picBackground", "fraDay", "lblCities"}) {
        Click(p.Find("cmbHZ")->findChild<QWidget*>("cmdOp"));
        ASSERT_TRUE(p.Find("cmbHZ")->property("FullSize").toBool());
        Click(p.Find(background), QPoint(2, 2));
        EXPECT_FALSE(p.Find("cmbHZ")->property("FullSize").toBool()) << "click on " << background;
    }
}

TEST(MainWindow, RefractionNeverLowersTheSunAndVanishesWellBelowTheHorizon) {
    ProgramFolder folder("Sydney");  // June: the Sun passes near the nadir at night
    Program p(folder);
    const auto degrees = [&p](const char* box) { return p.Text(box).remove(QStringLiteral("°")).toDouble(); };
    for (int hour = 0; hour < 24; ++hour) {
        p.TypeInto("TimeP", "txtHour", QString::number(hour));
        const double geometric = degrees("txtCurAlt"), refracted = degrees("txtTAlt");
        const std::string at = std::to_string(hour) + ":00, altitude " + std::to_string(geometric);
        EXPECT_GE(refracted, geometric) << at;
        if (geometric < -5) {
            EXPECT_EQ(p.Text("txtTAlt"), p.Text("txtCurAlt")) << at;
        } else if (geometric > 0 && geometric < 10) {
            EXPECT_GT(refracted - geometric, 0.08) << at;  // 5' or more
        }
    }
}

TEST(MainWindow, APlaceAwayFromTheSelectedCityShowsNoCityButKeepsZoneAndRule) {
    ProgramFolder folder("Berlin");
    Program p(folder);
    const int zone = p.Number("cmbHZ", "ListIndex");
    p.TypeInto("apLat", "txtDeg", "52");  // 52° 31' 12'', Berlin's own latitude
    EXPECT_EQ(p.Text("cmbCities"), "Berlin");
    EXPECT_FALSE(p.Find("cmbHZ")->toolTip().contains("kept"));
    for (const char* how : {"typed", "clicked on the map"}) {
        p.Choose("cmbCities", "Berlin");
        if (how == std::string("typed")) {
            p.TypeInto("apLat", "txtDeg", "30");
        } else {
            p.Show("mnuMap");
            Click(Find(p.Find("frmMap"), "picRes"), {100, 60});
        }
        EXPECT_EQ(p.Find<QComboBox>("cmbCities")->currentIndex(), -1) << how;
        EXPECT_EQ(p.Number("cmbHZ", "ListIndex"), zone) << how;
        EXPECT_EQ(p.Text("cmbDST"), "Europe") << how;
        EXPECT_TRUE(p.Find("cmbHZ")->toolTip().contains("kept from Berlin")) << how;
    }
}

TEST(MainWindow, KeyboardAccessKeysTabAndCtrlC) {
    ProgramFolder folder("Berlin");
    Program p(folder);
    ShowActive(&p.Main());
    const struct {
        Qt::Key Key;
        const char *Label, *Input, *Text;  // Text: the label as it reads
    } rows[] = {
        {Qt::Key_C, "lblCities", "cmbCities", "Cities:"},
        {Qt::Key_L, "lblLat", "apLat", "Latitude:"},
        {Qt::Key_O, "lblLon", "apLon", "Longitude:"},
        {Qt::Key_Z, "lblHZ", "cmbHZ", "Hour Zone:"},
        {Qt::Key_S, "lblDST", "cmbDST", "Daylight Saving Time:"},
        {Qt::Key_A, "lblStart", "dpStart", "Start:"},
        {Qt::Key_E, "lblEnd", "dpEnd", "End:"},
        {Qt::Key_T, "lblDate", "DateP", "Date:"},
        {Qt::Key_I, "lblTime", "TimeP", "Time:"},
        {Qt::Key_R, "lblRate", "txtRate", "Rate:"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(p.Text(r.Label).remove('&'), r.Text) << r.Label;
        PressKey(r.Key, Qt::AltModifier);
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(p.Find(r.Input)->isAncestorOf(focus) || focus == p.Find(r.Input))
            << "Alt+" << char(r.Key) << " went to "
            << (focus ? focus->objectName().toStdString() : "nothing");
    }
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
