// The views in the running program: shown, hidden and refreshed, and what they show.
#include <array>

#include "support/test_support.h"

namespace heliomark::testing {
namespace {

// What is under `w`, background included (a hidden window is drawn as well).
QImage Rendered(QWidget* w) {
    QImage under(w->size(), QImage::Format_RGB888);
    w->render(&under, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return under;
}
bool IsRed(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == QColor(255, 0, 0);
}

// Each view's window, toolbar button, menu item and a control that shows its content.
const char* const Views[][4] = {{"frmGraf", "fbGraf", "mnuGraf", "picRes"},
                                {"frmMap", "fbMap", "mnuMap", "picRes"},
                                {"frmTW", "fbTW", "mnuTW", "txtTWB0"},
                                {"frm3D", "fb3D", "mnu3D", "Pic1"},
                                {"frmEvents", "fbEvents", "mnuEvents", "txtGoldenMorningBegin"},
                                {"frmYear", "fbYear", "mnuYear", "picYear"}};

// Each view shown and hidden by toolbar and menu; its close box only hides it, still refreshed.
TEST(Views, ToolbarMenuAndCloseBoxShowAndHideEachView) {
    ProgramFolder folder("Berlin");
    Program p(folder);
    for (const auto& [name, button, menuItem, probe] : Views) {
        QWidget* window = p.Find(name);
        ASSERT_FALSE(window->isVisible()) << name << " starts hidden";
        QImage before = Picture(Find(window, probe));
        for (const bool byMenu : {false, true})
            for (const bool shown : {true, false}) {
                if (byMenu) {
                    p.Find<QAction>(menuItem)->trigger();
                } else {
                    QTest::mouseMove(p.Find(button), QPoint(5, 5));
                    p.Click(button);
                }
                EXPECT_TRUE(window->isVisible() == shown && p.Find<QAction>(menuItem)->isChecked() == shown &&
                            p.Find(button)->property("Value").toBool() == shown)
                    << (byMenu ? menuItem : button) << (shown ? " shows " : " hides ") << name;
            }
        EXPECT_NE(Picture(Find(window, probe)), before) << name << " was drawn when shown";

        p.Show(menuItem);
        const QPoint start = window->pos();
        Drag(window, {1, 1}, {31, 21});
        EXPECT_EQ(window->pos() - start, QPoint(30, 20)) << name << " dragged by its margin";
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(p.Main().findChild<QWidget*>(name), window) << name;
        EXPECT_TRUE(!window->isVisible() && p.Find<QAction>(menuItem)->isChecked())
            << name << " hidden, shown";
        before = Picture(Find(window, probe));
        p.TypeInto("apLat", "txtDeg", name == std::string("frmMap") ? "10" : "40");
        p.TypeInto("TimeP", "txtHour", "8");
        EXPECT_NE(Picture(Find(window, probe)), before) << name << " was not refreshed";
        p.Find<QAction>(menuItem)->trigger();  // the menu now hides it for good
        EXPECT_FALSE(p.Find<QAction>(menuItem)->isChecked()) << name;
        p.Choose("cmbCities", "Berlin");
    }
}

TEST(Views, AnUnreadablePictureGivesOneMessageNamingTheFile) {
    for (const auto& [file, small, problem] :  // no file, or a 10 x 10 picture
         {std::tuple{"graf.bmp", false, "missing"}, {"graf_hours.bmp", true, "10 x 10"}}) {
        ProgramFolder folder("Berlin");
        std::filesystem::remove(folder / file);
        const QString path = QString::fromStdString((folder / file).string());
        ASSERT_TRUE(!small || QImage(10, 10, QImage::Format_Mono).save(path));
        Program p(folder);
        QCoreApplication::processEvents();
        const QList<QMessageBox*> boxes = p.Main().findChildren<QMessageBox*>("msgPictureMissing");
        ASSERT_EQ(boxes.size(), 1) << file;
        const QString text = boxes[0]->text();
        EXPECT_TRUE(boxes[0]->isVisible() && text.contains(path + ": ") && text.contains(problem))
            << text.toStdString();
    }
}

// At 200 % the pictures are drawn at the screen's own resolution, not blown up from 100 %.
TEST(Views, AtScaleTwoTheMapAndTheDayViewAreDrawnFinely) {
    if (qGuiApp->devicePixelRatio() < 2) GTEST_SKIP() << "runs at QT_SCALE_FACTOR=2 as ui_tests_scale_2";
    const auto finerBlocks = [](const QImage& im) {
        int n = 0;
        for (int y = 0; y + 1 < im.height(); y += 2)
            for (int x = 0; x + 1 < im.width(); x += 2)
                n += im.pixel(x + 1, y) != im.pixel(x, y) || im.pixel(x, y + 1) != im.pixel(x, y) ||
                     im.pixel(x + 1, y + 1) != im.pixel(x, y);
        return n;
    };
    ProgramFolder folder("Berlin");
    Program p(folder);
    p.Show("mnuMap");
    p.Show("mnuGraf");
    const QImage map = Picture(Find(p.Find("frmMap"), "picRes"));
    ASSERT_EQ(map.size(), QSize(2 * 450, 2 * 222));
    EXPECT_GT(finerBlocks(map), 450 * 222 / 4) << "the map is blown up";
    const QPoint berlin(2 * 242 + 1, 2 * 46 + 1);  // the marker: a red diamond showing the map inside
    EXPECT_TRUE(!IsRed(map, berlin.x(), berlin.y()) && IsRed(map, berlin.x(), berlin.y() - 3));
    const QImage day = Picture(Find(p.Find("frmGraf"), "picRes"));
    EXPECT_GT(finerBlocks(day), day.width() * day.height() / 200) << "the day view is blown up";
}

TEST(DayView, ThePointerFollowsTheTimeAndThePlotTheDayOrTheNight) {
    const QImage graf(QString(HELIOMARK_SOURCE_DIR) + "/resources/graf.bmp");
    // The pointer: 1, 3 and 5 red pixels in rows 221 to 223 around column (h + m / 60 + s / 3600) / 24 *
    // 343; rows 150 and 200 show the day half of graf.bmp (or the night half, 224 rows down).
    const std::tuple<const char*, const char*, int, int> cases[] = {
        {"Berlin", "23:59:59", 343, -1}, {"Berlin", "12:00:00", 172, 0}, {"Sydney", "00:21:00", 5, 224}};
    ProgramFolder folder("Berlin");
    Program p(folder);
    p.Show("mnuGraf");
    int previous = 172;
    for (const auto& [city, time, column, pictureRow] : cases) {
        p.Choose("cmbCities", city);
        const QStringList hms = QString(time).split(':');
        p.SetTime(hms[0], hms[1], hms[2]);
        const QImage shown = Picture(Find(p.Find("frmGraf"), "picRes"));
        const std::string when = std::string(city) + " " + time;
        for (int row = 221; row <= 223; ++row)
            for (int x = std::max(column - (row - 221), 0); x <= std::min(column + row - 221, 343); ++x)
                EXPECT_TRUE(IsRed(shown, x, row)) << when << ": pixel " << x << "," << row;
        EXPECT_TRUE(previous == column || !IsRed(shown, previous, 221)) << when << ": the old pointer";
        previous = column;
        for (const int row : {150, 200})
            EXPECT_TRUE(pictureRow < 0 ||
                        shown.pixelColor(column, row) == graf.pixelColor(column, row + pictureRow))
                << when << ", row " << row;
    }
}

TEST(TwilightsWindow, ShowsEachTwilightOrADashWhenItNeverEnds) {
    // 21 June 2024 at 10° E, GMT+01:00, checked against an independent ephemeris; at 55° N the Sun
    // goes no lower than -11.6°. Each row: begin, end, morning length, evening length.
    const std::pair<const char*, std::array<const char*, 3>> cases[] = {
        {"55", {"02:42:21 22:01:25 00:58:16 00:58:15", "- - - -", "- - - -"}},
    };
    Settings settings;
    settings.ShowSecondsSetting = 1;
    ProgramFolder folder("", settings);
    Program p(folder);
    p.TypeInto("apLon", "txtDeg", "10");
    p.Find("cmbHZ")->setProperty("ListIndex", 27);
    p.Show("mnuTW");
    for (const auto& [latitude, rows] : cases) {
        p.TypeInto("apLat", "txtDeg", latitude);
        for (int row = 0; row < 3; ++row) {
            QStringList shown;
            for (const char* column : {"txtTWB", "txtTWE", "txtTWLB", "txtTWLE"})
                shown << p.Text((column + std::to_string(row)).c_str());
            EXPECT_EQ(shown.join(" "), rows[row]) << latitude << "° N, row " << row;
        }
    }
}

TEST(WorldMap, ACityNearTheMouseIsMarkedAndNamedUntilThePointerLeavesTheMap) {
    ProgramFolder folder("Berlin");
    Program p(folder);
    p.Show("mnuMap");
    QWidget* map = p.Find("frmMap");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
    QWidget *plot = Find(map, "picRes"), *marker = Find(map, "lblPnt"), *title = Find(map, "lblTitle");
    // Berlin (52.52 N, 13.405 E) is on column 242, row 46: the "+" at (238, 38), the name 6 pixels
    // right of the city.
    QTest::mouseMove(plot, QPoint(240, 48));
    ASSERT_TRUE(marker->isVisible());
    EXPECT_TRUE(marker->pos() == QPoint(238, 38) && title->pos() == QPoint(248, 38));
    EXPECT_EQ(Shown(map, "lblTitle"), "Berlin");
    QTest::mouseMove(marker, QPoint(4, 8));  // onto the "+": still on the map
    EXPECT_TRUE(marker->isVisible());
    QTest::mouseMove(Find(map, "Label3"), QPoint(5, 5));  // under the map: nothing is read out
    EXPECT_FALSE(marker->isVisible() || title->isVisible());
    EXPECT_EQ(Shown(map, "lblLat") + Shown(map, "lblLon") + Shown(map, "lblAlt"), "");
    QTest::mouseMove(plot, QPoint(416, 150));  // Sydney, near the right edge: its name left of the "+"
    EXPECT_TRUE(Shown(map, "lblTitle") == "Sydney" && title->geometry().right() <= marker->x());
    QTest::mouseMove(plot, QPoint(300, 60));  // 60° E 41.4° N: 01:00 there at Berlin's 23:00
    p.TypeInto("TimeP", "txtHour", "23");     // a resting pointer follows the clock
    EXPECT_TRUE(Shown(map, "lblAlt").endsWith("(Night)")) << Shown(map, "lblAlt").toStdString();
}

TEST(WorldMap, AClickMovesThePlaceAndAPickedOrClickedCityMovesTheMarker) {
    ProgramFolder folder;
    Program p(folder);
    p.Show("mnuMap");
    QWidget* plot = Find(p.Find("frmMap"), "picRes");
    const auto markerAt = [&](int x, int y) {  // the red diamond outline around (x, y)
        const QImage under = Rendered(plot);
        return IsRed(under, x, y - 2) && IsRed(under, x - 2, y) && IsRed(under, x + 2, y) &&
               IsRed(under, x + 1, y + 1);
    };
    Click(plot, {100, 180});  // column 100 is 100° W; row 180 is 56.757° S, shown on row 181
    EXPECT_NEAR(p.Number("apLat", "Value"), 56.756757, 1e-5);
    EXPECT_NEAR(p.Number("apLon", "Value"), 100, 1e-9);
    EXPECT_EQ(p.Text("cmbLat") + p.Text("cmbLon") + " " + p.Text("txtDL"), "SW 06:46") << "the day there";
    EXPECT_TRUE(markerAt(100, 181));

    p.Choose("cmbCities", "Lima");  // 12.05 S, 77.04 W: column 129, row 126
    EXPECT_TRUE(markerAt(129, 126)) << "the marker follows the picked city";
    p.TypeInto("apLat", "txtDeg", "40");
    p.Choose("cmbLat", "N");
    SendMouse(plot, QEvent::MouseMove, {128, 125});  // Lima's "+" appears; a click on it picks Lima again
    QWidget* cityMarker = Find(p.Find("frmMap"), "lblPnt");
    ASSERT_TRUE(cityMarker->isVisible());
    Click(cityMarker, {4, 8});
    EXPECT_EQ(p.Text("cmbCities") + " " + p.Text("cmbLat"), "Lima S");
    EXPECT_DOUBLE_EQ(p.Number("apLat", "Value"), 12.05);
    EXPECT_TRUE(markerAt(129, 126));
}

}  // namespace
}  // namespace heliomark::testing
