// The Sun Events window through its controls' names: shown and hidden like the other views and
// refreshed only while shown, its read-outs in the main window's formats, the typed altitude and
// its refusal, the polar line.
#include <QLabel>

#include "view_test_support.h"

namespace heliomark::testing {
namespace {

struct ViewCase {
    const char *Window, *Button, *MenuItem;
    bool MainWindow::*Flag;
};
const ViewCase NewViews[] = {{"frmEvents", "fbEvents", "mnuEvents", &MainWindow::ExtEvents},
                             {"frmYear", "fbYear", "mnuYear", &MainWindow::ExtYear}};

TEST(SunEventsAndYear, ToolbarButtonAndMenuShowAndHide) {
    for (const ViewCase& v : NewViews) {
        ProgramFolder folder;
        folder.WriteStandardData("Berlin");
        Program p(folder);
        QWidget* window = View(p, v.Window);
        ASSERT_FALSE(window->isVisible()) << v.Window << " starts hidden";
        QWidget* button = p.Find(v.Button);
        QAction* item = p.Find<QAction>(v.MenuItem);
        for (int step = 0; step < 4; ++step) {  // shown and hidden by the button, then by the menu
            const bool shown = step % 2 == 0;
            if (step < 2)
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
            else
                item->trigger();
            EXPECT_EQ(window->isVisible(), shown) << v.Window << " step " << step;
            EXPECT_EQ(p.Main().*v.Flag, shown) << v.Window;
            EXPECT_EQ(item->isChecked(), shown) << v.Window;
        }
    }
}

TEST(SunEvents, ReadOutsInTheMainWindowsFormatsFollowOnlyWhileShown) {
    ProgramFolder folder;
    const std::unique_ptr<Program> program = StartWithView(folder, "mnuEvents");
    Program& p = *program;
    // Berlin, 21 June 2024, 12:00 CEST; checked against PyEphem within a minute and 0.2°.
    const std::pair<const char*, const char*> berlin[] = {
        {"txtGoldenMorningBegin", "04:14"},
        {"txtGoldenMorningEnd", "05:39"},
        {"txtGoldenEveningBegin", "20:37"},
        {"txtGoldenEveningEnd", "22:03"},
        {"txtBlueMorningBegin", "03:53"},
        {"txtBlueMorningEnd", "04:14"},
        {"txtBlueEveningBegin", "22:03"},
        {"txtBlueEveningEnd", "22:24"},
        {"txtRiseAzm", "47.719°"},
        {"txtSetAzm", "312.275°"},
        {"txtCustomRise", "06:09"},
        {"txtCustomSet", "20:07"},
        {"txtShadow", "0.62 m"},
        {"txtShadowAzm", "329.324°"},
    };
    for (const auto& [box, text] : berlin)
        EXPECT_EQ(p.Text(box), text) << box;
    EXPECT_FALSE(p.Find("lblPolar")->isVisible());

    p.TypeInto("TimeP", "txtHour", "23");  // the Sun below the horizon: no shadow
    EXPECT_EQ(p.Text("txtShadow"), "-");
    EXPECT_EQ(p.Text("txtShadowAzm"), "-");

    p.Find<QAction>("mnuEvents")->trigger();  // hidden: nothing follows
    p.TypeInto("DateP", "txtMonth", "12");
    EXPECT_EQ(p.Text("txtGoldenMorningBegin"), berlin[0].second);
    p.Find<QAction>("mnuEvents")->trigger();
    EXPECT_EQ(p.Text("txtGoldenMorningBegin"), "07:49") << "21 December once shown again";
}

TEST(SunEvents, TypedAltitudeOutsideItsRangeIsRefusedWithAMessage) {
    ProgramFolder folder;
    const std::unique_ptr<Program> program = StartWithView(folder, "mnuEvents");
    Program& p = *program;
    auto* box = p.Find<QLineEdit>("txtCustomAlt");
    auto* message = p.Find<QLabel>("lblCustomAltMsg");
    const QString rise = p.Text("txtCustomRise");
    for (const char* typed : {"95", "-20", "high"}) {
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_TRUE(message->isVisible()) << typed;
        EXPECT_EQ(message->text(),
                  QString("\"%1\" is not taken: the altitude must be a number of degrees from "
                          "-18 to +89, such as 10 or -12.5.")
                      .arg(typed));
        EXPECT_EQ(box->text(), "10") << typed;
        EXPECT_EQ(p.Text("txtCustomRise"), rise) << typed;
    }
    box->selectAll();
    QTest::keyClicks(box, "-12");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(message->isVisible());
    EXPECT_EQ(p.Text("txtCustomRise"), "02:29");  // nautical dawn and dusk
    EXPECT_EQ(p.Text("txtCustomSet"), "23:47");
}

TEST(SunEvents, PolarLineOnPolarDaysAndNights) {
    ProgramFolder folder;
    const std::unique_ptr<Program> program = StartWithView(folder, "mnuEvents", "Longyearbyen");
    Program& p = *program;
    auto* polar = p.Find<QLabel>("lblPolar");
    EXPECT_TRUE(polar->isVisible());
    // The times are those the main window shows on 18 April and 24 August (a sunset after midnight).
    EXPECT_EQ(polar->text(), "Polar day since 19 Apr (last sunrise 01:14), next sunset 24 Aug at 00:10 T");
    // 21 January 2025: the last sunset, in 2024, takes the rule's 2024 period (13:30 CEST).
    p.TypeInto("DateP", "txtMonth", "1");
    p.TypeInto("DateP", "txtYear", "2025");
    EXPECT_EQ(polar->text(), "Polar night since 26 Oct (last sunset 13:30), next sunrise 15 Feb at 11:41");
    EXPECT_EQ(p.Text("txtRiseAzm"), "-");
}

}  // namespace
}  // namespace heliomark::testing
