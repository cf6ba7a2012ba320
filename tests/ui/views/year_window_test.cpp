// The Year window through its controls' names: the marker on the main window's date, a new table
// only for a new year, place, zone or rule, the pointer's read-out, saving the picture; and where
// the two newer views are kept between runs and moved with the main window.
#include <QLabel>
#include <QMessageBox>

#include <QGuiApplication>
#include <QScreen>

#include "app/window_placement.h"
#include "ui/views/year_picture.h"
#include "ui/views/year_window.h"
#include "view_test_support.h"

namespace heliomark::testing {
namespace {

TEST(YearWindow, MarkerOnTheMainWindowsDateAndANewTableOnlyForANewYearOrPlace) {
    ProgramFolder folder;
    const std::unique_ptr<Program> program = StartWithView(folder, "mnuYear");
    Program& p = *program;
    auto* picture = p.Find<YearPicture>("picYear");
    ASSERT_EQ(picture->Table().size(), 366u);
    EXPECT_EQ(picture->property("MarkerDay").toInt(), 172) << "21 June 2024";
    const QImage shown = Shown(picture);
    EXPECT_EQ(shown.pixelColor(YearPicture::PlotLeft + 2 * 172, 100), QColor(255, 0, 0));
    // 21 December (north): night at midnight, daylight before noon, in the legend's colours.
    const int december = YearPicture::PlotLeft + 2 * 355 + 1;
    EXPECT_EQ(shown.pixelColor(december, YearPicture::PlotTop + 1), QColor(14, 20, 52));
    EXPECT_EQ(shown.pixelColor(december, YearPicture::PlotTop + 11 * YearPicture::HourHeight),
              QColor(206, 228, 246));
    const YearDay* table = picture->Table().data();

    p.TypeInto("DateP", "txtDay", "1");
    EXPECT_EQ(picture->MarkerDay(), 152) << "1 June 2024";
    EXPECT_EQ(picture->Table().data(), table) << "the same year: only the marker moves";
    p.TypeInto("DateP", "txtYear", "2023");
    EXPECT_EQ(picture->Table().size(), 365u);
    EXPECT_EQ(picture->MarkerDay(), 151) << "1 June 2023";
    table = picture->Table().data();
    p.TypeInto("apLat", "txtDeg", "40");
    EXPECT_NE(picture->Table().data(), table) << "a new place";
}

TEST(YearWindow, PointerReadOutNamesTheDayUnderIt) {
    ProgramFolder folder;
    const std::unique_ptr<Program> program = StartWithView(folder, "mnuYear");
    Program& p = *program;
    QWidget* picture = p.Find("picYear");
    auto* readOut = p.Find<QLabel>("lblYearPointer");
    const QString today = "21 Jun 2024: sunrise 04:43, sunset 21:33, day length 16:50";
    EXPECT_EQ(readOut->text(), today);
    MoveMouse(picture, QPointF(YearPicture::PlotLeft + 2 * 0 + 1, 120));
    EXPECT_EQ(readOut->text(), "1 Jan 2024: sunrise 08:17, sunset 16:02, day length 07:45");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(picture, &leave);
    EXPECT_EQ(readOut->text(), today);
}

TEST(YearWindow, SavesAPngAndNamesTheFileWhenItCannot) {
    ProgramFolder folder;
    const std::unique_ptr<Program> program = StartWithView(folder, "mnuYear");
    Program& p = *program;
    auto* window = qobject_cast<YearWindow*>(p.Find("frmYear"));
    ASSERT_NE(window, nullptr);
    const QString file = QString::fromStdString(folder.Path("year.png").string());
    ASSERT_TRUE(window->SavePicture(file));
    const QImage saved(file, "PNG");
    EXPECT_EQ(saved.size(), p.Find("picYear")->size());
    EXPECT_EQ(saved.pixelColor(YearPicture::PlotLeft + 2 * 172, 100), QColor(255, 0, 0)) << "with its marker";

    const QString nowhere = QString::fromStdString(folder.Path("no such folder/year.png").string());
    EXPECT_FALSE(window->SavePicture(nowhere));
    auto* box = window->findChild<QMessageBox*>("msgSavePictureFailed");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(nowhere)) << box->text().toStdString();
}

TEST(ViewPositions, KeptBesidePosIniAndMovedWithTheMainWindow) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Settings settings;
    settings.MoveWindowsTogether = true;
    SaveSettings(folder.Path("settings.ini"), settings);
    {
        Program p(folder);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (const char* name : {"frmEvents", "frmYear"})
            EXPECT_TRUE(screen.contains(p.Find(name)->frameGeometry())) << name << " opens inside the screen";
        p.Find("frmEvents")->move(200, 100);
        p.Find("frmYear")->move(40, 300);
        p.Main().move(p.Main().pos() + QPoint(10, 20));
        p.Main().MoveViewsWithMain();
        EXPECT_EQ(p.Find("frmEvents")->pos(), QPoint(210, 120));
        EXPECT_EQ(p.Find("frmYear")->pos(), QPoint(50, 320));
        p.Close();
    }
    EXPECT_EQ(ReadBytes(folder.Path("pos_views.ini")), "3150,1800\r\n750,4800\r\n");
    EXPECT_NO_THROW(LoadWindowPositions(folder.Path("pos.ini")));
    EXPECT_EQ(QString::fromStdString(ReadBytes(folder.Path("pos.ini"))).count("\r\n"), 5) << "five lines";

    WriteBytes(folder.Path("pos_views.ini"), "3000,1500\r\n900,600\r\n");
    Program again(folder);
    EXPECT_EQ(again.Find("frmEvents")->pos(), QPoint(200, 100));
    EXPECT_EQ(again.Find("frmYear")->pos(), QPoint(60, 40));
}

TEST(ViewPositions, BuiltInPlacesGoOnWithTheCascadeInsideTheScreen) {
    // Main window 600 x 500 at (340, 150): the two views after the four at +96 and +120 pixels,
    // pushed back inside a 1280 x 800 screen (room for 400 and 800 pixels of width).
    const ViewPositions p =
        DefaultViewPositions({0, 0, 1280, 800}, {340, 150, 600, 500}, {{{400, 200}, {800, 700}}});
    EXPECT_EQ(p[0].Left, 880 * 15);
    EXPECT_EQ(p[0].Top, (150 + 96) * 15);
    EXPECT_EQ(p[1].Left, 480 * 15);
    EXPECT_EQ(p[1].Top, 100 * 15);
}

}  // namespace
}  // namespace heliomark::testing
