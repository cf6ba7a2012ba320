// The plain arithmetic behind the clock modes, the window placement and the damaged-file handling.
#include <cmath>
#include <limits>

#include "app/clock_rules.h"
#include "app/command_line.h"
#include "app/program_data.h"
#include "app/window_placement.h"
#include "support/test_support.h"

namespace heliomark::testing {
namespace {

TEST(ClockRules, RateIsTheLeadingNumberCutToItsLimits) {
    const std::tuple<const char*, float, const char*> cases[] = {
        {"2.5x", 2.5f, nullptr},  {"abc", 0.01f, "0.01"},    {"0", 0.01f, "0.01"},
        {"0.01", 0.01f, nullptr}, {"86000", 86000, nullptr}, {"86000.5", 86000, "86000"}};
    for (const auto& [text, rate, shown] : cases) {
        const RateReading r = ReadRate(text);
        EXPECT_TRUE(r.Rate == rate && r.ShownText.value_or("(kept)") == (shown ? shown : "(kept)"))
            << text << " read as " << r.Rate << ", shown " << r.ShownText.value_or("(kept)");
    }
}

TEST(ClockRules, ElapsedTimeBridgesTheComputersMidnightOnly) {
    const std::tuple<float, float, float, float> cases[] = {
        // now, base, elapsed, base afterwards
        {100, 40, 60, 40},
        {40, 140, -100, 140},        // a step back of up to 100 seconds is used as it is
        {0.5f, 86399.5f, 1, -0.5f},  // the clock passed midnight
        {10, 110.5f, -100.5f + 86400, 110.5f - 86400}};
    for (const auto& [now, base, elapsed, after] : cases) {
        float b = base;
        const float e = ElapsedSeconds(now, b);
        EXPECT_TRUE(e == elapsed && b == after)
            << "now " << now << ", base " << base << ": " << e << ", " << b;
    }
}

TEST(ClockRules, StoppedTimeRoundsSecondsHalfToEven) {
    const std::tuple<int, int, double, double> cases[] = {{12, 0, 7.5, 12 * 3600 + 8},
                                                          {12, 0, 6.5, 12 * 3600 + 6},
                                                          {12, 0, 6.501, 12 * 3600 + 7},
                                                          {12, 59, 59.5, 13 * 3600},
                                                          {23, 59, 59.6, 0}};
    for (const auto& [h, m, s, seconds] : cases)
        EXPECT_NEAR(StopRoundedTimeOfDay(h, m, s) * 86400, seconds, 1e-6) << h << ":" << m << ":" << s;
}

TEST(WindowPlacement, TwipsBecomePixelsOnlyWhenTheyCanBeAPosition) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, std::optional<int>> cases[] = {{150, 10},   {22.5f, 2},          {37.5f, 2},
                                                          {-150, -10}, {1.0e7f, 666667},    {-1e30f, {}},
                                                          {inf, {}},   {std::nanf(""), {}}, {1.5e7f, {}}};
    for (const auto& [twips, pixels] : cases)
        EXPECT_EQ(TwipsToPixels(twips), pixels) << twips;
}

TEST(WindowPlacement, OnlyWindowsOffEveryScreenAreMoved) {
    const std::vector<PixelRect> screens{{0, 0, 1280, 800}, {1280, 0, 1024, 768}};
    const PixelSize size{300, 200};
    const std::tuple<WindowPosition, PixelPoint, const char*> cases[] = {
        {{1500, 3000}, {100, 200}, "on the first screen"},
        {{-4485, 0}, {-299, 0}, "one pixel column visible"},
        {{20000 * 15, 100 * 15}, {2304 - 300, 100}, "far right: nearest is the second screen"},
        {{1e30f, 1e30f}, {0, 0}, "absurd: the first screen"},
        {{std::nanf(""), 150}, {0, 10}, "not a number: first screen"},
        {{1330 * 15, 900 * 15}, {1330, 568}, "below the seam: the screen nearest the window's centre"}};
    for (const auto& [saved, placed, what] : cases)
        EXPECT_EQ(PlaceOnScreens(saved, size, screens), placed) << what;
    // 50 pixels right of a tall screen and 200 below it is nearer than 600 below a wide short one.
    EXPECT_EQ(PlaceOnScreens({900 * 15, 900 * 15}, size, {{0, 0, 1000, 800}, {1000, 0, 1000, 400}}),
              (PixelPoint{700, 600}));
}

TEST(WindowPlacement, AFirstLayoutPacksTheViewsBesideTheMainWindowAndCentresTheGroup) {
    using Points = std::vector<PixelPoint>;
    // The views fill the top row, then go below the first; the group centred wherever the screen starts.
    const std::vector<PixelSize> four{{400, 300}, {300, 200}, {300, 200}, {300, 200}};
    EXPECT_EQ(ArrangeWindows({0, 0, 1000, 600}, four, {{0, 0}}),
              (Points{{0, 100}, {400, 100}, {700, 100}, {400, 300}}));
    EXPECT_EQ(ArrangeWindows({50, 20, 1000, 600}, four, {{0, 0}}),
              (Points{{50, 120}, {450, 120}, {750, 120}, {450, 320}}));
    // The program's windows at 1366 x 768 with openbox's frames: the first order that fits.
    EXPECT_EQ(ArrangeWindows({0, 0, 1366, 768}, {{614, 480}, {578, 243}, {374, 247}, {596, 116}, {458, 272}},
                             {{8, 38}, {2, 22}}),
              (Points{{76, 0}, {76, 502}, {692, 0}, {692, 269}, {692, 407}}));
    // Too small a screen: the main window centred, the views cascading beside it.
    EXPECT_EQ(ArrangeWindows({0, 0, 800, 600}, {{614, 490}, {570, 250}, {380, 250}}, {{0, 0}}),
              (Points{{93, 55}, {715, 55}, {739, 79}}));
}

TEST(CommandLine, OnlyHelpAndVersionAreTaken) {
    const struct {
        std::vector<std::string_view> Arguments;
        CommandLineAnswer::Kind What;
        int Status;
        const char* Starts;
    } cases[] = {
        {{}, CommandLineAnswer::Run, 0, ""},
        {{"--version"}, CommandLineAnswer::Print, 0, "heliomark 1.3\n"},
        {{"--help"}, CommandLineAnswer::Print, 0, "Usage: heliomark [--help | --version]\n"},
        {{"--city", "--version"}, CommandLineAnswer::Print, 0, "heliomark 1.3\n"},
        {{"--verbose"}, CommandLineAnswer::Refuse, 2, "heliomark: unknown argument '--verbose'\nUsage: "}};
    for (const auto& c : cases) {
        const CommandLineAnswer a = ReadCommandLine(c.Arguments, "1.3");
        const std::string what = c.Arguments.empty() ? "(none)" : std::string(c.Arguments.front());
        EXPECT_TRUE(a.What == c.What && a.ExitStatus == c.Status && a.Text.rfind(c.Starts, 0) == 0)
            << what << ": " << a.ExitStatus << " " << a.Text;
    }
}

TEST(ProgramData, MoveAsideNeverReplacesAnEarlierDamagedCopy) {
    TempFolder folder;
    const std::filesystem::path file = folder / "city_db.txt";
    for (int n = 1; n <= 3; ++n) {
        WriteText(file, "copy " + std::to_string(n));
        const std::optional<std::filesystem::path> moved = MoveAside(file);
        ASSERT_TRUE(moved.has_value());
        EXPECT_EQ(moved->filename(),
                  n == 1 ? "city_db.txt.damaged" : "city_db.txt.damaged" + std::to_string(n));
        EXPECT_FALSE(std::filesystem::exists(file));
    }
    EXPECT_FALSE(MoveAside(file).has_value()) << "nothing to move";
}

}  // namespace
}  // namespace heliomark::testing
