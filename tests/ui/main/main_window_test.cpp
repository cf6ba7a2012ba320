// The main window as its user drives it: cities, places, zones, dates and DST, and what it then shows.
#include <QClipboard>

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
TEST(MainWindow, ShowsTheSunOfAPickedCityInTheChosenFormats) {
    const std::tuple<int, bool, int16_t, const char*> cases[] = {
        // seconds shown, DMS, right ascension format; the clock after the pick, then the result boxes
        {0, false, 0, "13:00:00 04:43|21:22|16:39|61.931°|90.655°|23.439°|13:02|61.927°|61.936°|178.819°"},
        {1, true, 1,
         "13:00:00 04:43:10|21:21:40|16:38:30|61° 55' 52''|90° 39' 18''|23° 26' 19''|13:02:25|61° 55' 38''|"
         "61° 56' 11''|178° 49' 8''"}};
    for (const auto& [seconds, dms, ra, shown] : cases) {
        Settings settings;
        settings.ShowSecondsSetting = seconds, settings.AngleFormatSetting = dms,
        settings.RAFormatSetting = ra;
        StartedProgram p("", settings);
        p.Choose("cmbCities", "London");
        EXPECT_EQ(ClockAndResults(p), QString::fromUtf8(shown)) << "formats " << seconds << dms << ra;
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

// The Sun stays where it is; the clock shown moves into the new zone, across midnight here.
TEST(MainWindow, AZoneChangeMovesTheClockAcrossMidnightButNotTheSun) {
    StartedProgram p;
    p.SetTime("23", "30", "0");
    const QString sun = p.Text("txtCurAlt") + p.Text("txtCurAzm");
    p.Find("cmbHZ")->setProperty("ListIndex", 29);  // GMT+01:00
    EXPECT_EQ(p.Date() + p.Seconds() / 86400, DateSerial(2024, 6, 22) + 30 / 1440.0);
    EXPECT_EQ(p.Text("txtCurAlt") + p.Text("txtCurAzm"), sun);
}

TEST(MainWindow, DatesInAndOutOfTheDstPeriodMoveTheClock) {
    // the city, today, the field and what is typed, the clock hour of 12:00 on the first day, the period
    const std::tuple<const char*, double, const char*, const char*, int, const char*> cases[] = {
        {"Berlin", DateSerial(2024, 3, 30), "txtDay", "31", 13, "31.03.2024 - 27.10.2024"},
        {"Sydney", DateSerial(2024, 4, 7), "txtDay", "6", 13, "06.10.2024 - 07.04.2024"},
        {"Varia Town", DateSerial(2024, 6, 21), "txtYear", "2025", 11, "none"},  // not listed: no DST
        {"Varia Town", DateSerial(2025, 6, 21), "txtYear", "2024", 13, "01.05.2024 - 01.09.2024"},
    };
    for (const auto& [city, today, field, typed, hour, period] : cases) {
        StartedProgram p(city, {}, today + 0.5);
        const QString altitude = p.Text("txtCurAlt");
        p.TypeInto("DateP", field, typed);
        const std::string what = std::string(city) + ", " + field + " " + typed;
        EXPECT_EQ(QString::number(p.Seconds() / 3600) + " " + Period(p), QString::number(hour) + " " + period)
            << what;
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
        EXPECT_EQ(QString::number(p.Number(picker, "Value")) + " " +
                      p.Text(picker == std::string("apLat") ? "cmbLat" : "cmbLon"),
                  QString::number(value) + " " + hemisphere)
            << typed << " typed into " << picker << "." << field;
    }
    const QString south = p.Text("txtDL");  // 90° S in June
    p.Choose("cmbLat", "N");
    EXPECT_EQ(south + ", " + p.Text("txtDL"), "Polar Night, Polar Day");
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

// Alt and a label's underlined letter reach the input beside it, Tab never stops on a read-out, and
// Ctrl+C copies every read-out under its label wherever the focus is.
TEST(MainWindow, KeyboardAccessKeysTabAndCtrlC) {
    StartedProgram p("Berlin");
    ShowActive(&p.Main());
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    };
    for (const auto& [label, input, letter] : {std::tuple("lblCities", "cmbCities", Qt::Key_C),
                                               {"lblLon", "apLon", Qt::Key_O},
                                               {"lblTime", "TimeP", Qt::Key_I}}) {
        EXPECT_TRUE(p.Text(label).contains('&')) << label;
        key(letter, Qt::AltModifier);
        EXPECT_TRUE(p.Find(input)->isAncestorOf(QApplication::focusWidget())) << label;
    }
    for (int i = 0; i < 40; ++i) {
        key(Qt::Key_Tab, Qt::NoModifier);
        const QString at = QApplication::focusWidget()->objectName();
        ASSERT_TRUE(
            std::none_of(std::begin(ResultBoxes), std::end(ResultBoxes), [&](auto b) { return at == b; }))
            << "Tab stopped on " << at.toStdString();
    }
    p.Find("txtRate")->setFocus();
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Sunrise:\t" + p.Text("txtSR") + "\nSunset:\t"));
    EXPECT_TRUE(QApplication::clipboard()->text().endsWith("Azimuth:\t" + p.Text("txtCurAzm") + "\n"));
}

}  // namespace
}  // namespace heliomark::testing
