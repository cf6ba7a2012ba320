#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "data/data.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

using testing::ExpectRefused;
using testing::TempFolder;

auto Fields(const Settings& s) {
    return std::tie(s.ShowSecondsSetting, s.AngleFormatSetting, s.RAFormatSetting, s.DefaultCitySetting,
                    s.CalendarSaveFolder, s.GridQuality, s.ParallelsDensity, s.MeridiansDensity,
                    s.MoveWindowsTogether);
}

TEST(SettingsFile, ReadsAHandWrittenLine) {
    TempFolder folder;
    const auto file = folder / "settings.ini";
    testing::WriteText(file, "1,#TRUE#,2,\"Paris\",\"/home/u/Cal, 2024\",12,3,4,#TRUE#\r\n");
    const Settings expected{1, true, 2, "Paris", "/home/u/Cal, 2024", 12, 3, 4, true};
    EXPECT_EQ(Fields(LoadSettings(file)), Fields(expected));
}

TEST(SettingsFile, WritesTheExactLineAndReadsItBackWithEmptyTexts) {
    Settings s;
    s.DefaultCitySetting = "Paris";
    EXPECT_EQ(SerializeSettings(s), "0,#FALSE#,0,\"Paris\",\"\",20,0,0,#FALSE#\r\n");

    TempFolder folder;
    const auto file = folder / "settings.ini";
    const Settings empty;
    SaveSettings(file, empty);
    const auto bytes = testing::ReadBytes(file);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0,#FALSE#,0,\"\",\"\",20,0,0,#FALSE#\r\n");
    EXPECT_EQ(Fields(LoadSettings(file)), Fields(empty));

    Settings full{1, true, 2, "S\xC3\xA3o Paulo", "/tmp/a b", 50, 4, 1, true};
    SaveSettings(file, full);
    EXPECT_EQ(Fields(LoadSettings(file)), Fields(full));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"settings.ini"});
}

TEST(SettingsFile, AcceptsLineFeedsBlanksAndWholeReals) {
    const Settings s = ParseSettings(
        "settings.ini", "\xEF\xBB\xBF 1 ,#FALSE#, +2 ,\"x\" , \"\",2.5e1,0.5,1.5,#FALSE#\nignored");
    EXPECT_EQ(s.ShowSecondsSetting, 1);
    EXPECT_EQ(s.RAFormatSetting, 2);
    EXPECT_EQ(s.GridQuality, 25);
    EXPECT_EQ(s.ParallelsDensity, 0);  // half to even
    EXPECT_EQ(s.MeridiansDensity, 2);
}

TEST(SettingsFile, GridQualityIsBroughtIntoItsRange) {
    const struct {
        const char* Value;
        int Expected;
    } cases[] = {{"0", 4}, {"-7", 4}, {"4", 4}, {"50", 50}, {"51", 50}, {"32767", 50}};
    for (const auto& c : cases) {
        const std::string line = std::string("0,#FALSE#,0,\"\",\"\",") + c.Value + ",0,0,#FALSE#\r\n";
        EXPECT_EQ(ParseSettings("s", line).GridQuality, c.Expected) << "grid quality " << c.Value;
    }
}

TEST(SettingsFile, RefusesDamagedLines) {
    const struct {
        const char* Name;
        const char* Text;
        const char* Needle;
    } cases[] = {
        {"empty file", "", "empty"},
        {"empty line", "\r\n0,#FALSE#,0,\"\",\"\",20,0,0,#FALSE#\r\n", "empty"},
        {"missing fields", "0,#FALSE#,0,\"Paris\"\r\n", "holds 4 values"},
        {"extra field", "0,#FALSE#,0,\"\",\"\",20,0,0,#FALSE#,1\r\n", "holds 10 values"},
        {"non-numeric number", "x,#FALSE#,0,\"\",\"\",20,0,0,#FALSE#\r\n",
         "ShowSecondsSetting) is not a number"},
        {"number with tail", "0,#FALSE#,0,\"\",\"\",20abc,0,0,#FALSE#\r\n", "GridQuality) is not a number"},
        {"empty number", "0,#FALSE#,,\"\",\"\",20,0,0,#FALSE#\r\n", "RAFormatSetting) is not a number"},
        {"quoted number", "0,#FALSE#,0,\"\",\"\",\"20\",0,0,#FALSE#\r\n", "GridQuality) is not a number"},
        {"bad boolean", "0,TRUE,0,\"\",\"\",20,0,0,#FALSE#\r\n", "AngleFormatSetting) is not #TRUE#"},
        {"lower-case boolean", "0,#FALSE#,0,\"\",\"\",20,0,0,#true#\r\n", "MoveWindowsTogether"},
        {"unquoted text", "0,#FALSE#,0,Paris,\"\",20,0,0,#FALSE#\r\n", "DefaultCitySetting) is not a text"},
        {"unterminated quote", "0,#FALSE#,0,\"Paris\",\"/home,20,0,0,#FALSE#\r\n",
         "value 5 has an unterminated"},
        {"text after quote", "0,#FALSE#,0,\"Pa\"ris,\"\",20,0,0,#FALSE#\r\n", "instead of a comma"},
        {"int16 overflow", "0,#FALSE#,32768,\"\",\"\",20,0,0,#FALSE#\r\n",
         "RAFormatSetting) is out of range"},
        {"int16 underflow", "0,#FALSE#,0,\"\",\"\",20,-32769,0,#FALSE#\r\n", "out of range"},
        {"int32 overflow", "2147483648,#FALSE#,0,\"\",\"\",20,0,0,#FALSE#\r\n", "out of range"},
        {"double overflow", "0,#FALSE#,0,\"\",\"\",20,0,1e999,#FALSE#\r\n", "out of range"},
        {"nan", "nan,#FALSE#,0,\"\",\"\",20,0,0,#FALSE#\r\n", "not a finite number"},
        {"inf", "0,#FALSE#,0,\"\",\"\",inf,0,0,#FALSE#\r\n", "not a finite number"},
        {"hex", "0,#FALSE#,0,\"\",\"\",0x14,0,0,#FALSE#\r\n", "not a number"},
    };
    TempFolder folder;
    const auto file = folder / "settings.ini";
    for (const auto& c : cases) {
        testing::WriteText(file, c.Text);
        ExpectRefused([&] { LoadSettings(file); }, file, c.Needle, c.Name);
    }
    const auto missing = folder / "none.ini";
    ExpectRefused([&] { LoadSettings(missing); }, missing, "missing", "missing file");
}

TEST(SettingsFile, TextsThatWouldBreakTheLineAreNotSaved) {
    TempFolder folder;
    const auto file = folder / "settings.ini";
    SaveSettings(file, Settings{});
    const auto before = testing::ReadBytes(file);
    Settings s;
    s.CalendarSaveFolder = "/home/\"quoted\"";
    ExpectRefused([&] { SaveSettings(file, s); }, file, "CalendarSaveFolder", "quote in folder");
    s.CalendarSaveFolder.clear();
    s.DefaultCitySetting = "a\nb";
    ExpectRefused([&] { SaveSettings(file, s); }, file, "DefaultCitySetting", "line end in city");
    EXPECT_EQ(testing::ReadBytes(file), before);
}

TEST(PositionsFile, WritesShortestSinglesAndReadsThemBack) {
    const WindowPositions positions{
        {{1500, 2400}, {1234.5f, -30}, {0.1f, 0}, {-0.0f, 16777216}, {3e-5f, 1e9f}}};
    const std::string text = SerializeWindowPositions(positions);
    EXPECT_EQ(text, "1500,2400\r\n1234.5,-30\r\n0.1,0\r\n0,16777216\r\n0.00003,1000000000\r\n");

    TempFolder folder;
    const auto file = folder / "pos.ini";
    SaveWindowPositions(file, positions);
    const auto back = LoadWindowPositions(file);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        EXPECT_EQ(back[i].Left, positions[i].Left) << "window " << i;
        EXPECT_EQ(back[i].Top, positions[i].Top) << "window " << i;
    }
}

TEST(PositionsFile, ReadsHandWrittenLinesWithEitherLineEnd) {
    const auto p = ParseWindowPositions("pos.ini", "1500,2400\n-15,0\r\n.5,+3\r\n1e3,7\n9,9\nextra line");
    EXPECT_EQ(p[0].Left, 1500);
    EXPECT_EQ(p[0].Top, 2400);
    EXPECT_EQ(p[1].Left, -15);
    EXPECT_EQ(p[2].Left, 0.5f);
    EXPECT_EQ(p[2].Top, 3);
    EXPECT_EQ(p[3].Left, 1000);
    EXPECT_EQ(p[4].Top, 9);
}

TEST(PositionsFile, RefusesDamagedFiles) {
    const std::string four = "1,1\r\n2,2\r\n3,3\r\n4,4\r\n";
    const struct {
        const char* Name;
        std::string Text;
        const char* Needle;
    } cases[] = {
        {"empty file", "", "holds 0 lines"},
        {"four lines", four, "holds 4 lines"},
        {"blank fifth line", four + "\r\n", "line 5: the line is empty"},
        {"one number", four + "5\r\n", "line 5: the line holds 1 values"},
        {"three numbers", "1,2,3\r\n" + four, "line 1: the line holds 3 values"},
        {"word", four + "5,top\r\n", "line 5: top is not a number"},
        {"quoted", "\"1\",1\r\n" + four, "line 1: left is not a number"},
        {"nan", four + "nan,1\r\n", "not a finite number"},
        {"infinity", four + "1,-infinity\r\n", "not a finite number"},
        {"beyond single", four + "1e39,1\r\n", "out of range"},
        {"double overflow", four + "1,1e999\r\n", "out of range"},
    };
    TempFolder folder;
    const auto file = folder / "pos.ini";
    for (const auto& c : cases) {
        testing::WriteText(file, c.Text);
        ExpectRefused([&] { LoadWindowPositions(file); }, file, c.Needle, c.Name);
    }
    const auto missing = folder / "nopos.ini";
    ExpectRefused([&] { LoadWindowPositions(missing); }, missing, "missing", "missing file");

    WindowPositions bad{};
    bad[2].Top = std::numeric_limits<float>::quiet_NaN();
    ExpectRefused([&] { SaveWindowPositions(file, bad); }, file, "window 3", "unsaveable position");
}

}  // namespace
}  // namespace heliomark
