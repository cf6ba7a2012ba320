// Run Clock, Run Date, Syncronize, Today, Now and bound views, on a fake clock ticked directly.
#include "support/test_support.h"

namespace heliomark::testing {
namespace {

// Moves the computer's clock on, ticks, and reads the simulated instant in seconds.
double Tick(Program& p, double seconds, bool runDate = false) {
    p.Clock().AdvanceSeconds(seconds);
    runDate ? p.Main().Timer3Tick() : p.Main().Timer2Tick();
    return p.Date() * 86400 + p.Seconds();
}
TEST(ClockModes, RunClockCrossesSimulatedMidnightIntoTheNextDay) {
    StartedProgram p;
    p.SetTime("23", "59", "50");
    p.TypeInto("txtRate", "60");
    p.Click("cmdRun");
    EXPECT_TRUE(p.Text("cmdRun") == "Stop" && !p.Find("txtRate")->isEnabled() &&
                !p.Find("cmdSync")->isEnabled() && !p.Find("cmdRunDate")->isEnabled());
    // real seconds, date, simulated seconds of the day
    const std::tuple<double, double, double> steps[] = {{0.1, DateSerial(2024, 6, 21), 86396},
                                                        {0.1, DateSerial(2024, 6, 22), 2},
                                                        {1, DateSerial(2024, 6, 22), 62}};
    for (const auto& [real, date, seconds] : steps)
        EXPECT_NEAR(Tick(p, real), date * 86400 + seconds, 0.15) << real << " s";
    EXPECT_EQ(p.Text("txtSR"), "05:58");
}

TEST(ClockModes, StoppingLeavesTheTimeOnWholeSecondsAndUnlocksTheInputs) {
    StartedProgram p;
    p.SetTime("12", "0", "0");
    p.Click("cmdRun");
    p.TypeInto("TimeP", "txtSec", "6.5");  // where the last tick left it: halves go to even
    p.Click("cmdRun");
    EXPECT_EQ(p.Seconds(), 12 * 3600 + 6);
    EXPECT_TRUE(p.Text("cmdRun") == "Run Clock" && !p.Find<QTimer>("Timer2")->isActive() &&
                p.Find("txtRate")->isEnabled() && p.Find("cmdSync")->isEnabled() &&
                p.Find("cmdRunDate")->isEnabled());
}

TEST(ClockModes, RatesOutsideTheLimitsAreCutWhenAModeStarts) {
    const std::tuple<const char*, const char*, const char*, double> cases[] = {
        // the button, the rate typed and shown, the real seconds for 1.05 simulated minutes or days
        {"cmdRun", "abc", "0.01", 6300},
        {"cmdRunDate", "100000", "86000", 1.05 / 86000},
        {"cmdRun", "2.5x", "2.5x", 25.2}};
    for (const auto& [button, typed, shown, real] : cases) {
        const double start = DateSerial(2024, 6, 21) + 1.0 / 86400;  // near midnight: a fine float clock
        StartedProgram p("", {}, start);
        p.TypeInto("txtRate", typed);
        p.Click(button);
        const bool runDate = std::string(button) == "cmdRunDate";
        EXPECT_EQ(p.Text("txtRate"), shown) << typed << " with " << button;
        EXPECT_NEAR(Tick(p, real, runDate) - start * 86400, runDate ? 86400 : 63, 1)
            << typed << " with " << button;
    }
}

TEST(ClockModes, RunDateTakesTheNewYearsDstPeriodAndLeavesTheTime) {
    StartedProgram p("Varia Town", {}, DateSerial(2023, 12, 30) + 0.5);
    ASSERT_EQ(p.Number("dpStart", "Value"), DateSerial(2023, 4, 1));
    p.TypeInto("txtRate", "0.5");
    p.Click("cmdRunDate");
    EXPECT_FALSE(p.Find("cmdRun")->isEnabled());
    const std::tuple<double, double, double> steps[] = {
        {1.5, DateSerial(2023, 12, 30), DateSerial(2023, 4, 1)},
        {0.5, DateSerial(2023, 12, 31), DateSerial(2023, 4, 1)},
        {2, DateSerial(2024, 1, 1), DateSerial(2024, 5, 1)}};
    for (const auto& [real, date, start] : steps)
        EXPECT_TRUE(Tick(p, real, true) == date * 86400 + 12 * 3600 && p.Number("dpStart", "Value") == start)
            << real << " s more";
    p.Click("cmdRunDate");
    EXPECT_TRUE(p.Text("cmdRunDate") == "Run Date" && p.Find("cmdRun")->isEnabled());
}

TEST(ClockModes, SyncronizeTodayAndNowReadTheComputersClock) {
    StartedProgram p("Varia Town", {}, DateSerial(2024, 6, 21) + 0.25);
    p.TypeInto("DateP", "txtYear", "2023");
    p.SetTime("1", "2", "3");
    p.Click("Command1");  // Today
    EXPECT_EQ(p.Date() + p.Seconds() / 86400, DateSerial(2024, 6, 21) + 3723 / 86400.0);
    EXPECT_EQ(p.Number("dpStart", "Value"), DateSerial(2024, 5, 1)) << "today's year takes its own period";
    p.Click("Command2");  // Now
    EXPECT_EQ(p.Seconds(), 6 * 3600);

    p.TypeInto("DateP", "txtDay", "3");
    p.SetTime("20", "0", "0");
    p.TypeInto("txtRate", "500");
    p.Click("cmdSync");
    EXPECT_EQ(p.Text("txtRate"), "1");
    EXPECT_EQ(p.Date() + p.Seconds() / 86400, DateSerial(2024, 6, 21) + 0.25);
    EXPECT_NEAR(Tick(p, 2), DateSerial(2024, 6, 21) * 86400 + 6 * 3600 + 2, 0.01);
}

}  // namespace
}  // namespace heliomark::testing
