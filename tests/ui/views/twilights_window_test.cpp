// The twilights window: shown from the View menu, filled by the main window's update, hidden (not
// closed) by its close box.
#include <QMenu>

#include "../main/program_fixture.h"

namespace heliomark::testing {
namespace {

const char* const Columns[] = {"txtTWB", "txtTWE", "txtTWLB", "txtTWLE"};

QString Box(Program& p, const char* column, int row) {
    return p.Text((std::string(column) + std::to_string(row)).c_str());
}

TEST(TwilightsWindow, PolarDayShowsADashInEveryBox) {
    ProgramFolder folder;
    folder.WriteStandardData("Longyearbyen");
    Program p(folder);
    p.Find<QAction>("mnuTW")->trigger();
    for (const char* column : Columns)
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(Box(p, column, row), "-") << column << row;
}

TEST(TwilightsWindow, TwilightsThatNeverEndInMidsummerShowDashes) {
    // At midsummer the Sun's lowest altitude is -11.6 degrees at 55 N (neither nautical nor
    // astronomical night) and -16.6 degrees at 50 N (no astronomical night).
    const std::pair<const char*, int> cases[] = {{"55", 1}, {"50", 2}};
    for (const auto& [latitude, completeRows] : cases) {
        ProgramFolder folder;
        folder.WriteStandardData();
        Settings settings;
        settings.ShowSecondsSetting = 1;
        SaveSettings(folder.Path("settings.ini"), settings);
        Program p(folder);
        p.TypeInto("apLat", "txtDeg", latitude);
        p.Find<QAction>("mnuTW")->trigger();

        SolarState st;
        st.Latitude = DegToRad(std::stod(latitude));
        st.Year = 2024;
        st.Month = 6;
        st.Day = 21;
        ComputeDayEvents(st, true);
        const double begin[] = {st.CivilBegin, st.NauticalBegin, st.AstroBegin};
        const double end[] = {st.CivilEnd, st.NauticalEnd, st.AstroEnd};
        for (int row = 0; row < completeRows; ++row) {
            ASSERT_NE(begin[row], NoValue) << latitude << " row " << row;
            const std::string expected[] = {
                FormatClockTime(begin[row], 1) + DaySuffix(st.Transit, begin[row]),
                FormatClockTime(end[row], 1) + DaySuffix(st.Transit, end[row]),
                FormatClockTime(st.Sunrise - begin[row], 1), FormatClockTime(end[row] - st.Sunset, 1)};
            for (int c = 0; c < 4; ++c)
                EXPECT_EQ(Box(p, Columns[c], row).toStdString(), expected[c])
                    << latitude << " " << Columns[c] << row;
        }
        for (int row = completeRows; row < 3; ++row)
            for (const char* column : Columns)
                EXPECT_EQ(Box(p, column, row), "-") << latitude << " " << column << row;
    }
}

TEST(TwilightsWindow, ToolbarButtonShowsAndHidesItAndChecksTheMenu) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    Program p(folder);
    QWidget* button = p.Find("fbTW");
    for (const bool shown : {true, false}) {
        QTest::mouseMove(button, QPoint(5, 5));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(p.Find("frmTW")->isVisible(), shown);
        EXPECT_EQ(p.Main().ExtTW, shown);
        EXPECT_EQ(p.Find<QAction>("mnuTW")->isChecked(), shown);
    }
    EXPECT_NE(Box(p, "txtTWB", 0), "") << "filled when shown";
}

TEST(TwilightsWindow, CloseBoxHidesTheWindowWhichKeepsUpdating) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder);
    p.Find<QAction>("mnuTW")->trigger();
    QWidget* tw = p.Find("frmTW");
    tw->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(p.Main().findChild<QWidget*>("frmTW"), tw);
    EXPECT_FALSE(tw->isVisible());
    EXPECT_TRUE(p.Main().ExtTW);
    const QString before = Box(p, "txtTWB", 0);
    p.TypeInto("apLat", "txtDeg", "40");
    EXPECT_NE(Box(p, "txtTWB", 0), before) << "the hidden window is still refreshed";
    p.Find<QAction>("mnuTW")->trigger();  // the menu now hides it for good
    EXPECT_FALSE(p.Main().ExtTW);
    EXPECT_FALSE(p.Find<QAction>("mnuTW")->isChecked());
}

}  // namespace
}  // namespace heliomark::testing
