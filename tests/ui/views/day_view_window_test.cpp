// The day view in the running program: the time pointer follows the main window's clock, and the
// plot shows the day picture while the Sun is up and the night picture when it is far below.
#include "view_test_support.h"

namespace heliomark::testing {
namespace {

// The triangle at column c: 1 pixel in row 221, 3 in row 222, 5 in row 223, pure red, clipped at
// the picture's edges.
void ExpectPointerAt(const QImage& plot, int c, const std::string& when) {
    for (int row = 221; row <= 223; ++row) {
        const int half = row - 221;
        for (int x = std::max(c - half, 0); x <= std::min(c + half, plot.width() - 1); ++x)
            EXPECT_TRUE(IsPureRed(plot, x, row)) << when << ": pixel " << x << "," << row;
    }
}

TEST(DayView, PointerFollowsTheTimeTyped) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    Program p(folder);
    ShowView(p, "mnuGraf");
    QWidget* plot = ViewControl(p, "frmGraf", "picRes");
    ExpectPointerAt(Shown(plot), 172, "12:00:00 at start");

    struct Case {
        const char *Hour, *Minute, *Second;
        int Column;
    };
    // (h + m/60 + s/3600) / 24 * 343, halves to even: 12:00 is 171.5 -> 172, 06:00 85.75 -> 86.
    const Case cases[] = {{"06", "00", "00", 86},
                          {"23", "59", "59", 343},
                          {"00", "00", "00", 0},
                          {"12", "00", "00", 172},
                          {"18", "30", "00", 264}};
    int previous = 172;
    for (const Case& c : cases) {
        const std::string when = std::string(c.Hour) + ":" + c.Minute + ":" + c.Second;
        p.TypeInto("TimeP", "txtHour", c.Hour);
        p.TypeInto("TimeP", "txtMin", c.Minute);
        p.TypeInto("TimeP", "txtSec", c.Second);
        const QImage shown = Shown(plot);
        ExpectPointerAt(shown, c.Column, when);
        EXPECT_FALSE(IsPureRed(shown, previous, 221))
            << when << ": the old pointer at " << previous << " stays";
        previous = c.Column;
    }
}

TEST(DayView, PlotShowsTheDayPictureByDayAndTheNightPictureByNight) {
    const QImage graf(QString(HELIOMARK_SOURCE_DIR) + "/resources/graf.bmp");
    ASSERT_EQ(graf.size(), QSize(344, 448));
    // Berlin at 12:00 in midsummer: the Sun is 60° up. Sydney at 00:21 in midwinter: far below -18°.
    // Row 150 lies below the curve at noon and above the horizon line the curve leaves by night.
    struct Case {
        const char* City;
        int Column;
        int PictureRowOffset;  // 0 the day half, 224 the night half
    };
    const Case cases[] = {{"Berlin", 172, 0}, {"Sydney", 5, 224}};
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.WriteStandardData(c.City);
        Program p(folder);
        ShowView(p, "mnuGraf");
        const QImage shown = Shown(ViewControl(p, "frmGraf", "picRes"));
        for (const int row : {150, 200})
            EXPECT_EQ(shown.pixelColor(c.Column, row), graf.pixelColor(c.Column, row + c.PictureRowOffset))
                << c.City << " column " << c.Column << " row " << row;
    }
}

}  // namespace
}  // namespace heliomark::testing
