// The plain arithmetic behind the clock modes, the window placement and the damaged-file handling.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <fstream>
#include <limits>

#include "app/clock_rules.h"
#include "app/program_data.h"
#include "app/window_placement.h"

namespace heliomark {
namespace {

TEST(ClockRules, RateIsTheLeadingNumberCutToItsLimits) {
    const std::tuple<const char*, float, const char*> cases[] = {
        {"1", 1, nullptr},           {"60", 60, nullptr},        {"2.5x", 2.5f, nullptr},
        {"abc", 0.01f, "0.01"},      {"", 0.01f, "0.01"},        {"0", 0.01f, "0.01"},
        {"-5", 0.01f, "0.01"},       {"0.01", 0.01f, nullptr},   {"86000", 86000, nullptr},
        {"86000.5", 86000, "86000"}, {"100000", 86000, "86000"}, {"1e9", 86000, "86000"}};
    for (const auto& [text, rate, shown] : cases) {
        const RateReading r = ReadRate(text);
        EXPECT_EQ(r.Rate, rate) << text;
        EXPECT_EQ(r.ShownText.has_value(), shown != nullptr) << text;
        if (shown && r.ShownText) {
            EXPECT_EQ(*r.ShownText, shown) << text;
        }
    }
}

TEST(ClockRules, ElapsedTimeBridgesTheComputersMidnightOnly) {
    const std::tuple<float, float, float, float> cases[] = {
        // now, base, elapsed, base afterwards
        {100, 40, 60, 40},
        {40, 100, -60, 100},         // a small step back is used as it is
        {0.5f, 86399.5f, 1, -0.5f},  // the clock passed midnight
        {10, 110.5f, -100.5f + 86400, 110.5f - 86400}};
    for (const auto& [now, base, elapsed, after] : cases) {
        float b = base;
        EXPECT_EQ(ElapsedSeconds(now, b), elapsed) << "now " << now << ", base " << base;
        EXPECT_EQ(b, after) << "now " << now << ", base " << base;
    }
}

TEST(ClockRules, StoppedTimeRoundsSecondsHalfToEven) {
    const std::tuple<int, int, double, double> cases[] = {
        {12, 0, 7.5, 12 * 3600 + 8}, {12, 0, 6.5, 12 * 3600 + 6}, {12, 0, 6.49, 12 * 3600 + 6},
        {12, 59, 59.5, 13 * 3600},   {23, 59, 59.6, 0},           {0, 0, 0.4, 0}};
    for (const auto& [h, m, s, seconds] : cases)
        EXPECT_NEAR(StopRoundedTimeOfDay(h, m, s) * 86400, seconds, 1e-6) << h << ":" << m << ":" << s;
}

TEST(WindowPlacement, TwipsBecomePixelsOnlyWhenTheyCanBeAPosition) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, std::optional<int>> cases[] = {
        {150, 10},   {22.5f, 2},   {37.5f, 2}, {-150, -10},         {1.0e7f, 666667},
        {1e30f, {}}, {-1e30f, {}}, {inf, {}},  {std::nanf(""), {}}, {1.5e7f, {}}};
    for (const auto& [twips, pixels] : cases)
        EXPECT_EQ(TwipsToPixels(twips), pixels) << twips;
}

TEST(WindowPlacement, OnlyWindowsOffEveryScreenAreMoved) {
    const std::vector<PixelRect> screens{{0, 0, 1280, 800}, {1280, 0, 1024, 768}};
    const PixelSize size{300, 200};
    struct Case {
        WindowPosition Saved;
        PixelPoint Placed;
        const char* What;
    } cases[] = {
        {{1500, 3000}, {100, 200}, "on the first screen"},
        {{-4485, 0}, {-299, 0}, "one pixel column visible"},
        {{20000 * 15, 100 * 15}, {2304 - 300, 100}, "far right: nearest is the second screen"},
        {{100 * 15, 5000 * 15}, {100, 600}, "far below the first screen"},
        {{1e30f, 1e30f}, {0, 0}, "absurd: the first screen"},
        {{std::nanf(""), 150}, {0, 10}, "not a number: first screen"},
        {{1330 * 15, 900 * 15}, {1330, 568}, "below the seam: the screen nearest the window's centre"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceOnScreens(c.Saved, size, screens), c.Placed) << c.What;
}

TEST(WindowPlacement, TheNearestScreenIsTheOneClosestToTheWindowsCentre) {
    // A wide short screen beside a tall one: 50 pixels right of the tall one and 200 below it is
    // nearer than 600 straight below the short one.
    const std::vector<PixelRect> screens{{0, 0, 1000, 800}, {1000, 0, 1000, 400}};
    EXPECT_EQ(PlaceOnScreens({900 * 15, 900 * 15}, {300, 200}, screens), (PixelPoint{700, 600}));
}

TEST(WindowPlacement, DefaultsCentreTheMainWindowWithTheViewsCascadingBesideIt) {
    const WindowPositions p = DefaultWindowPositions({0, 0, 1280, 800}, {600, 500});
    const std::pair<float, float> expected[] = {{340, 150}, {948, 150}, {972, 174}, {996, 198}, {1020, 222}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(p[i].Left, expected[i].first * 15) << i;
        EXPECT_EQ(p[i].Top, expected[i].second * 15) << i;
    }
}

TEST(ProgramData, MoveAsideNeverReplacesAnEarlierDamagedCopy) {
    QTemporaryDir dir;
    const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / "city_db.txt";
    for (int n = 1; n <= 3; ++n) {
        std::ofstream(file) << "copy " << n;
        const std::optional<std::filesystem::path> moved = MoveAside(file);
        ASSERT_TRUE(moved.has_value());
        EXPECT_EQ(moved->filename(),
                  n == 1 ? "city_db.txt.damaged" : "city_db.txt.damaged" + std::to_string(n));
        EXPECT_FALSE(std::filesystem::exists(file));
    }
    EXPECT_FALSE(MoveAside(file).has_value()) << "nothing to move";
}

}  // namespace
}  // namespace heliomark
