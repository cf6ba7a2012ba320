// The Sun Events and Year windows in the running program, and where they are kept between runs.
#include <QPolygon>

#include "support/test_support.h"
#include "ui/views/year_picture.h"
#include "ui/views/year_window.h"

namespace heliomark::testing {
namespace {

TEST(SunEvents, ReadOutsInTheMainWindowsFormatsAndATypedAltitude) {
    ProgramFolder folder("Berlin");
    Program p(folder);
    p.Show("mnuEvents");
    // Berlin, 21 June 2024, 12:00 CEST; checked against PyEphem within a minute and 0.2°.
    QStringList shown;
    for (const char* box :
         {"txtGoldenMorningBegin", "txtGoldenMorningEnd", "txtGoldenEveningBegin", "txtGoldenEveningEnd",
          "txtBlueMorningBegin", "txtBlueMorningEnd", "txtBlueEveningBegin", "txtBlueEveningEnd",
          "txtRiseAzm", "txtSetAzm", "txtCustomRise", "txtCustomSet", "txtShadow", "txtShadowAzm"})
        shown << p.Text(box);
    EXPECT_EQ(shown.join(" "),
              "04:14 05:39 20:37 22:03 03:53 04:14 22:03 22:24 47.719° 312.275° 06:09 20:07 "
              "0.62 m 329.324°");
    EXPECT_FALSE(p.Find("lblPolar")->isVisible());

    p.TypeInto("TimeP", "txtHour", "23");  // the Sun below the horizon: no shadow
    EXPECT_EQ(p.Text("txtShadow") + p.Text("txtShadowAzm"), "--");

    // A typed altitude outside -18..+89 is refused with a message and the last one kept.
    QWidget* message = p.Find("lblCustomAltMsg");
    for (const char* typed : {"95", "-20", "high"}) {
        p.TypeInto("txtCustomAlt", typed);
        EXPECT_EQ(message->isVisible() ? p.Text("lblCustomAltMsg") : "",
                  QString("\"%1\" is not taken: the altitude must be a number of "
                          "degrees from -18 to +89, such as 10 or -12.5.")
                      .arg(typed));
        EXPECT_EQ(p.Text("txtCustomAlt") + " " + p.Text("txtCustomRise"), "10 06:09") << typed << ": kept";
    }
    p.TypeInto("txtCustomAlt", "-12");
    EXPECT_FALSE(message->isVisible());
    EXPECT_EQ(p.Text("txtCustomRise") + " " + p.Text("txtCustomSet"), "02:29 23:47");  // nautical
}

TEST(SunEvents, PolarLineOnPolarDaysAndNights) {
    ProgramFolder folder("Longyearbyen");
    Program p(folder);
    p.Show("mnuEvents");
    EXPECT_TRUE(p.Find("lblPolar")->isVisible());
    // The times are those the main window shows on 18 April and 24 August (a sunset after midnight).
    EXPECT_EQ(p.Text("lblPolar"),
              "Polar day since 19 Apr (last sunrise 01:14), next sunset 24 Aug at 00:10 T");
    // 21 January 2025: the last sunset, in 2024, takes the rule's 2024 period (13:30 CEST).
    p.TypeInto("DateP", "txtMonth", "1");
    p.TypeInto("DateP", "txtYear", "2025");
    EXPECT_EQ(p.Text("lblPolar"),
              "Polar night since 26 Oct (last sunset 13:30), next sunrise 15 Feb at 11:41");
    EXPECT_EQ(p.Text("txtRiseAzm"), "-");
}

TEST(YearWindow, PointerReadOutAndTheSavedPicture) {
    ProgramFolder folder("Berlin");
    Program p(folder);
    p.Show("mnuYear");
    QWidget* picture = p.Find("picYear");
    const QString today = "21 Jun 2024: sunrise 04:43, sunset 21:33, day length 16:50";
    EXPECT_EQ(p.Text("lblYearPointer"), today);
    SendMouse(picture, QEvent::MouseMove, QPointF(YearPicture::PlotLeft + 1, 120));
    EXPECT_EQ(p.Text("lblYearPointer"), "1 Jan 2024: sunrise 08:17, sunset 16:02, day length 07:45");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(picture, &leave);
    EXPECT_EQ(p.Text("lblYearPointer"), today);

    auto* window = p.Find<YearWindow>("frmYear");
    const QString file = QString::fromStdString((folder / "year.png").string());
    ASSERT_TRUE(window->SavePicture(file));
    const QImage saved(file, "PNG");
    EXPECT_TRUE(saved.size() == picture->size() &&
                saved.pixelColor(YearPicture::PlotLeft + 2 * 172, 100) == QColor(255, 0, 0))
        << "with its marker";
    const QString nowhere = QString::fromStdString((folder / "no such folder" / "year.png").string());
    EXPECT_FALSE(window->SavePicture(nowhere));
    EXPECT_TRUE(Find<QMessageBox>(window, "msgSavePictureFailed")->text().contains(nowhere));
}

TEST(ViewPositions, KeptBesidePosIniAndMovedWithTheMainWindow) {
    Settings settings;
    settings.MoveWindowsTogether = true;
    ProgramFolder folder("", settings);
    {
        Program p(folder);
        p.Find("frmEvents")->move(200, 100);
        p.Find("frmYear")->move(40, 300);
        p.Main().move(p.Main().pos() + QPoint(10, 20));
        p.Main().MoveViewsWithMain();
        EXPECT_EQ(QPolygon({p.Find("frmEvents")->pos(), p.Find("frmYear")->pos()}),
                  QPolygon({{210, 120}, {50, 320}}));
    }
    EXPECT_EQ(ReadText(folder / "pos_views.ini"), "3150,1800\r\n750,4800\r\n");
    EXPECT_NO_THROW(LoadWindowPositions(folder / "pos.ini"));

    WriteText(folder / "pos_views.ini", "3000,1500\r\n900,600\r\n");
    Program again(folder);
    EXPECT_EQ(QPolygon({again.Find("frmEvents")->pos(), again.Find("frmYear")->pos()}),
              QPolygon({{200, 100}, {60, 40}}));
}

}  // namespace
}  // namespace heliomark::testing
