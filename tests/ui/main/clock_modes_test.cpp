// Run Clock, Run Date, Syncronize, Today, Now and the binding timer, on a fake clock. The timers'
// tick handlers are called directly so every step is deterministic.
#include <QPushButton>
#include <QTimer>

#include "program_fixture.h"

namespace heliomark::testing {
namespace {

void SetRate(Program& p, const QString& rate) {
    auto* box = p.Find<QLineEdit>("txtRate");
    box->selectAll();
    QTest::keyClicks(box, rate);
}

std::string SunriseOn(int y, int m, int d, double zone) {
    SolarState st;
    st.Year = static_cast<int16_t>(y);
    st.Month = static_cast<int16_t>(m);
    st.Day = static_cast<int16_t>(d);
    st.ZoneHours = zone;
    ComputeDayEvents(st, false);
    return FormatClockTime(st.Sunrise, 0) + DaySuffix(st.Transit, st.Sunrise);
}

TEST(ClockModes, RunClockCrossesSimulatedMidnightIntoTheNextDay) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder);
    p.SetTime(23, 59, 50);
    SetRate(p, "60");
    p.Click("cmdRun");
    EXPECT_EQ(p.Find<QPushButton>("cmdRun")->text(), "Stop");
    EXPECT_TRUE(p.Find<QTimer>("Timer2")->isActive());
    for (const char* locked : {"txtRate", "cmdSync", "cmdRunDate"})
        EXPECT_FALSE(p.Find(locked)->isEnabled()) << locked;

    p.Clock().AdvanceSeconds(0.1);  // 6 simulated seconds
    p.Main().Timer2Tick();
    EXPECT_EQ(p.Date(), DateSerial(2024, 6, 21));
    EXPECT_NEAR(p.Seconds(), 86396, 0.15);

    p.Clock().AdvanceSeconds(0.1);  // past midnight
    p.Main().Timer2Tick();
    EXPECT_EQ(p.Date(), DateSerial(2024, 6, 22));
    EXPECT_NEAR(p.Seconds(), 2, 0.15);
    EXPECT_EQ(p.Text("txtSR").toStdString(), SunriseOn(2024, 6, 22, 0));

    p.Clock().AdvanceSeconds(1);  // the run continues from the new day's start
    p.Main().Timer2Tick();
    EXPECT_EQ(p.Date(), DateSerial(2024, 6, 22));
    EXPECT_NEAR(p.Seconds(), 62, 0.15);
}

TEST(ClockModes, RunClockStaysContinuousAcrossTheComputersMidnight) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder, DateSerial(2024, 6, 21) + (86400 - 0.5) / 86400);
    p.SetTime(12, 0, 0);
    p.Click("cmdRun");
    p.Clock().AdvanceSeconds(1);  // the computer's clock reads 00:00:00.5 now
    p.Main().Timer2Tick();
    EXPECT_NEAR(p.Seconds(), 12 * 3600 + 1, 0.01);
    EXPECT_EQ(p.Date(), DateSerial(2024, 6, 21)) << "only the simulated midnight moves the date";
    p.Clock().AdvanceSeconds(1);
    p.Main().Timer2Tick();
    EXPECT_NEAR(p.Seconds(), 12 * 3600 + 2, 0.01);
}

TEST(ClockModes, StoppingLeavesTheTimeOnWholeSecondsHalvesToEven) {
    const std::pair<double, int> cases[] = {{7.5, 8}, {6.5, 6}, {6.501, 7}, {59.5, 60}};
    for (const auto& [running, stopped] : cases) {
        ProgramFolder folder;
        folder.WriteStandardData();
        Program p(folder);
        p.Click("cmdRun");
        p.SetTime(12, 0, running);  // what the last tick left in the picker
        p.Click("cmdRun");
        EXPECT_EQ(p.Seconds(), 12 * 3600 + stopped) << "stopped at 12:00:" << running;
        EXPECT_EQ(p.Find<QPushButton>("cmdRun")->text(), "Run Clock");
        EXPECT_FALSE(p.Find<QTimer>("Timer2")->isActive());
        for (const char* unlocked : {"txtRate", "cmdSync", "cmdRunDate"})
            EXPECT_TRUE(p.Find(unlocked)->isEnabled()) << unlocked;
    }
}

TEST(ClockModes, RatesOutsideTheLimitsAreCutWhenAModeStarts) {
    const std::tuple<const char*, const char*, QString, float> cases[] = {
        {"cmdRun", "abc", "0.01", 0.01f},
        {"cmdRunDate", "abc", "0.01", 0.01f},
        {"cmdRun", "100000", "86000", 86000},
        {"cmdRunDate", "100000", "86000", 86000},
        {"cmdRun", "2.5x", "2.5x", 2.5f}};
    for (const auto& [button, typed, shown, rate] : cases) {
        ProgramFolder folder;
        folder.WriteStandardData();
        Program p(folder);
        SetRate(p, typed);
        p.Click(button);
        EXPECT_EQ(p.Text("txtRate"), shown) << typed << " with " << button;
        EXPECT_EQ(p.Main().ClockRate, rate) << typed << " with " << button;
        p.Click(button);
    }
}

TEST(ClockModes, RunDateFromThirtiethDecemberTakesTheNewYearsDstPeriod) {
    ProgramFolder folder;
    folder.WriteStandardData("Varia Town");
    Program p(folder, DateSerial(2023, 12, 30) + 0.5);
    ASSERT_EQ(p.Number("dpStart", "Value"), DateSerial(2023, 4, 1));
    p.Click("cmdRunDate");
    EXPECT_FALSE(p.Find("cmdRun")->isEnabled());
    p.Clock().AdvanceSeconds(1);
    p.Main().Timer3Tick();
    EXPECT_EQ(p.Date(), DateSerial(2023, 12, 31));
    EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2023, 4, 1));
    p.Clock().AdvanceSeconds(1);
    p.Main().Timer3Tick();
    EXPECT_EQ(p.Date(), DateSerial(2024, 1, 1));
    EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2024, 5, 1));
    EXPECT_EQ(p.Number("dpEnd", "Value"), DateSerial(2024, 9, 1));
    EXPECT_EQ(p.Main().State().Year, 2024);
    EXPECT_EQ(p.Seconds(), 12 * 3600) << "Run Date leaves the time of day";
    p.Click("cmdRunDate");
    EXPECT_EQ(p.Find<QPushButton>("cmdRunDate")->text(), "Run Date");
    EXPECT_TRUE(p.Find("cmdRun")->isEnabled());
}

TEST(ClockModes, RunDateAtHalfRateAdvancesEveryTwoSeconds) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder);
    SetRate(p, "0.5");
    p.Click("cmdRunDate");
    const std::pair<double, int> steps[] = {{1.0, 0}, {1.0, 1}, {1.5, 1}, {0.5, 2}};
    for (const auto& [advance, days] : steps) {
        p.Clock().AdvanceSeconds(advance);
        p.Main().Timer3Tick();
        EXPECT_EQ(p.Date(), DateSerial(2024, 6, 21) + days);
    }
}

TEST(ClockModes, SyncronizeTakesTodayAndNowAndRunsAtRateOne) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder, DateSerial(2024, 6, 21) + 0.25);
    p.TypeInto("DateP", "txtDay", "3");
    p.SetTime(20, 0, 0);
    SetRate(p, "500");
    p.Click("cmdSync");
    EXPECT_EQ(p.Text("txtRate"), "1");
    EXPECT_EQ(p.Date(), DateSerial(2024, 6, 21));
    EXPECT_EQ(p.Seconds(), 6 * 3600);
    EXPECT_TRUE(p.Find<QTimer>("Timer2")->isActive());
    p.Clock().AdvanceSeconds(2);
    p.Main().Timer2Tick();
    EXPECT_NEAR(p.Seconds(), 6 * 3600 + 2, 0.01);
}

TEST(ClockModes, TodayAndNowReadTheComputersClock) {
    ProgramFolder folder;
    folder.WriteStandardData("Varia Town");
    Program p(folder, DateSerial(2024, 6, 21) + 0.75);
    p.TypeInto("DateP", "txtYear", "2023");
    ASSERT_EQ(p.Number("dpStart", "Value"), DateSerial(2023, 4, 1));
    p.SetTime(1, 2, 3);
    p.Click("Command1");
    EXPECT_EQ(p.Date(), DateSerial(2024, 6, 21));
    EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2024, 5, 1)) << "today's year takes its own period";
    p.Click("Command2");
    EXPECT_EQ(p.Seconds(), 18 * 3600);
}

TEST(ClockModes, BindingTimerMovesEveryViewWithTheMainWindow) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Settings settings;
    settings.MoveWindowsTogether = true;
    SaveSettings(folder.Path("settings.ini"), settings);
    Program p(folder);
    QWidget* tw = p.Find("frmTW");
    const QPoint before = tw->pos();
    p.Main().move(p.Main().pos() + QPoint(30, -20));
    p.Main().MoveViewsWithMain();
    EXPECT_EQ(tw->pos(), before + QPoint(30, -20)) << "hidden views move too";
    p.Main().MoveViewsWithMain();
    EXPECT_EQ(tw->pos(), before + QPoint(30, -20)) << "a second tick without movement moves nothing";
}

}  // namespace
}  // namespace heliomark::testing
