// The data files: hand-written bytes read as the format says, lists written and read back unchanged,
// damaged files refused with an error naming the file (or salvaged up to a cut), and failed saves
// that keep the old file.

#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <tuple>

#include "support/test_support.h"

namespace heliomark {
namespace {

using namespace testing;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN(),
                 Inf = std::numeric_limits<double>::infinity();

double D(int y, int m, int d) {
    return DateSerial(y, m, d);
}
std::string Text(const CityList& cities) {
    std::ostringstream s;
    for (const auto& c : cities)
        s << c.Name << "|" << FormatGeneral(c.Latitude) << "|" << FormatGeneral(c.Longitude) << "|"
          << c.ZoneIndex << "|" << c.DstName << ";";
    return s.str();
}
std::string Text(const WindowPositions& p) {
    std::ostringstream s;
    for (const auto& w : p)
        s << FormatGeneral(w.Left) << "," << FormatGeneral(w.Top) << ";";
    return s.str();
}

// A permanent rule, then a variable one (its permanent fields set too) with two years, laid out as
// the format says: the years embedded in the record, then again after it (the copy that counts).
Bytes HandWrittenRules(bool decoyEmbeddedCopy) {
    Bytes b;
    b.I16(2).Name("EUROPE").I16(0).I16(1).I16(5).I16(3).I16(1).I16(5).I16(10).I16(0);
    b.Name("S\343o Paulo").I16(2).I16(1).I16(2).I16(9).I16(1).I16(1).I16(4).I16(1).I32(2).I32(1);
    if (decoyEmbeddedCopy) b.I16(1999).F64(1).F64(2).I16(1998).F64(3).F64(4);
    for (int copy = decoyEmbeddedCopy ? 1 : 0; copy < 2; ++copy)
        b.I16(2023).F64(D(2023, 9, 3)).F64(D(2023, 4, 2)).I16(2024).F64(D(2024, 9, 8)).F64(D(2024, 4, 7));
    return b;
}

TEST(DataFiles, HandWrittenFilesReadAsTheFormatSays) {
    TempFolder folder;
    Bytes cities;
    cities.I16(2).Name("Paris").F64(48.8566).F64(2.3522).I16(29).Name("EUROPE");
    cities.Name("Z\374rich").F64(47.3769).F64(8.5417).I16(27).Name("None").Raw({1, 2, 3});  // trailing bytes
    WriteBytes(folder / "city_db.txt", cities.v);
    EXPECT_EQ(Text(LoadCities(folder / "city_db.txt")),
              "Paris|48.8566|2.3522|29|EUROPE;Z\303\274rich|47.3769|8.5417|27|None;");
    WriteBytes(folder / "dst_types.txt", HandWrittenRules(true).Raw({0xFF, 0x80}).v);
    const DstRuleList rules = LoadDstRules(folder / "dst_types.txt");
    EXPECT_EQ(SerializeDstRules(rules), HandWrittenRules(false).v) << "the copy after the record counts";
    EXPECT_TRUE(rules[1].Name == "S\303\243o Paulo" && rules[1].Years[1].EndDate == D(2024, 4, 7) &&
                rules[1].End.Month == 4);
    EXPECT_TRUE(ParseDstRules("d", Bytes().I16(0).v.data(), 2).empty()) << "a file of no rules";
    WriteText(folder / "settings.ini",
              "\xEF\xBB\xBF 1 ,#TRUE#, +2 ,\"Paris\" , \"/home/u/Cal, 2024\",2.5e1,0.5,1.5,#TRUE#\nignored");
    EXPECT_EQ(SerializeSettings(LoadSettings(folder / "settings.ini")),
              "1,#TRUE#,2,\"Paris\",\"/home/u/Cal, 2024\",25,0,2,#TRUE#\r\n")
        << "blanks around values, a comma inside quotes, reals rounded half to even";
    for (const auto& [value, used] :
         {std::pair{"0", 4}, {"-7", 4}, {"4", 4}, {"50", 50}, {"51", 50}, {"32767", 50}})
        EXPECT_EQ(
            ParseSettings("s", std::string("0,#FALSE#,0,\"\",\"\",") + value + ",0,0,#FALSE#").GridQuality,
            used)
            << "grid quality " << value << " into 4..50";
    WriteText(folder / "pos.ini", "1500,2400\n-15,0\r\n.5,+3\r\n1e3,7\n9,9\nextra line");
    EXPECT_EQ(Text(LoadWindowPositions(folder / "pos.ini")), "1500,2400;-15,0;0.5,3;1000,7;9,9;");
}

// Saved over a longer file, each list is exactly its format's bytes, reads back unchanged (its names
// cut to their fields), and leaves no temporary file behind.
TEST(DataFiles, ListsSavedAndReadBackAreUnchanged) {
    const CityList cities{{"\305\201\303\263d\305\272", 51.76, 19.46, 28, "A very long rule name"},  // Łódź
                          {"North Pole", 90, -180, 0, "None"},
                          {"\303\211vora", -38.5714, 180, 74, "Europe"}};
    Bytes cityBytes;
    cityBytes.I16(3).Name("?\363d?").F64(51.76).F64(19.46).I16(28).Name("A very long rul");
    cityBytes.Name("North Pole").F64(90).F64(-180).I16(0).Name("None");
    cityBytes.Name("\311vora").F64(-38.5714).F64(180).I16(74).Name("Europe");
    const Settings settings{1, true, 2, "S\303\243o Paulo", "/tmp/a b", 50, 4, 1, true};
    const WindowPositions positions{
        {{1500, 2400}, {1234.5f, -30}, {0.1f, 0}, {-0.0f, 16777216}, {3e-5f, 1e9f}}};
    // Saves over a longer file, then expects the format's bytes, the text read back and no other file.
    using Path = const std::filesystem::path&;
    const auto check = [](const char* what, const std::string& bytes, auto readBack,
                          const std::string& expected, auto save) {
        TempFolder folder;
        WriteText(folder / "data", std::string(600, 'x'));
        save(folder / "data");
        EXPECT_EQ(ReadText(folder / "data"), bytes) << what;
        EXPECT_EQ(readBack(folder / "data"), expected) << what;
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"data"}) << what;
    };
    const auto readCities = [](Path f) { return Text(LoadCities(f)); };
    const auto readRules = [](Path f) { return Bytes{SerializeDstRules(LoadDstRules(f))}.Text(); };
    const auto readSettings = [](Path f) { return SerializeSettings(LoadSettings(f)); };
    const auto readPositions = [](Path f) { return Text(LoadWindowPositions(f)); };
    const std::string lodz = "?\303\263d?|51.76|19.46|28|A very long rul;";
    check("cities", cityBytes.Text(), readCities, lodz + Text(CityList(cities.begin() + 1, cities.end())),
          [&](Path f) { SaveCities(f, cities); });
    const Bytes rules = HandWrittenRules(false);
    check("DST rules", rules.Text(), readRules, rules.Text(),
          [&](Path f) { SaveDstRules(f, ParseDstRules("d", rules.v.data(), rules.v.size())); });
    check("settings", "1,#TRUE#,2,\"S\303\243o Paulo\",\"/tmp/a b\",50,4,1,#TRUE#\r\n", readSettings,
          SerializeSettings(settings), [&](Path f) { SaveSettings(f, settings); });
    check("default settings", "0,#FALSE#,0,\"\",\"\",20,0,0,#FALSE#\r\n", readSettings,
          SerializeSettings(Settings{}), [](Path f) { SaveSettings(f, Settings{}); });
    check("window positions", "1500,2400\r\n1234.5,-30\r\n0.1,0\r\n0,16777216\r\n0.00003,1000000000\r\n",
          readPositions, Text(positions), [&](Path f) { SaveWindowPositions(f, positions); });
}

TEST(DataFiles, DamagedFilesAreRefusedNamingTheFileAndTheFault) {
    auto city = [](int count, double lat, double lon, int zone) {
        return Bytes().I16(count).Name("Somewhere").F64(lat).F64(lon).I16(zone).Name("None");
    };
    // `count` rules, the first holding `years` years in a list of `dims` dimensions; `n` year entries.
    auto rule = [](int count, int years, int dims) {
        return Bytes().I16(count).Name("R").I16(years).I16(1).I16(5).I16(3).I16(1).I16(5).I16(10).I16(dims);
    };
    auto entries = [](int n) {
        Bytes b;
        for (int i = 0; i < n; ++i)
            b.I16(2000 + i).F64(36000).F64(36100);
        return b.v;
    };
    // The default settings line with value k (0-based) replaced.
    auto setting = [](int k, const std::string& value) {
        std::string values[9] = {"0", "#FALSE#", "0", "\"\"", "\"\"", "20", "0", "0", "#FALSE#"}, line;
        values[k] = value;
        for (const auto& v : values)
            line += v + ",";
        line.back() = '\r';
        return line + "\n";
    };
    const std::string four = "1,1\r\n2,2\r\n3,3\r\n4,4\r\n";
    const std::map<char, std::function<void(const std::filesystem::path&)>> load{
        {'c', [](auto f) { LoadCities(f); }},
        {'d', [](auto f) { LoadDstRules(f); }},
        {'s', [](auto f) { LoadSettings(f); }},
        {'p', [](auto f) { LoadWindowPositions(f); }}};
    TempFolder folder;
    const auto file = folder / "data";
    for (const auto& [kind, what, data, needle] : {
             // c: cities, d: DST rules, s: settings, p: window positions
             std::tuple<char, const char*, std::string, const char*>{'c', "an empty city file", "", "empty"},
             {'c', "a city file of one byte", "\x03", "too short"},
             {'c', "a negative city count", Bytes().I16(-5).Text(), "negative"},
             {'c', "more cities than bytes", city(32767, 1, 1, 1).Text(), "holds only 1 whole record"},
             {'c', "the last city one byte short", city(2, 1, 1, 1).Text() + std::string(47, '\0'),
              "city 2 is cut short"},
             {'c', "a latitude not a number", city(1, NaN, 0, 0).Text(), "latitude nan"},
             {'c', "a latitude beyond the pole", city(1, 90.5, 0, 0).Text(), "latitude 90.5"},
             {'c', "a longitude beyond 180", city(1, 0, 181, 0).Text(), "longitude 181"},
             {'c', "a zone below the table", city(1, 0, 0, -1).Text(), "hour zone -1"},
             {'c', "a zone above the table", city(1, 0, 0, 75).Text(), "hour zone 75"},
             {'d', "an empty rule file", "", "empty"},
             {'d', "a rule file of one byte", "\x01", "too short"},
             {'d', "a negative rule count", Bytes().I16(-1).Text(), "negative"},
             {'d', "more rules than bytes", rule(32767, 0, 0).Text(), "cannot hold"},
             {'d', "a year list of two dimensions", rule(1, 0, 2).Text(), "2 dimensions"},
             {'d', "years without an embedded list", rule(1, 2, 0).Raw(entries(2)).Text(),
              "no embedded year list"},
             {'d', "a negative year count", rule(1, -3, 1).I32(-3).I32(1).Text(), "negative year count"},
             {'d', "an embedded count that disagrees", rule(1, 2, 1).I32(3).I32(1).Text(),
              "embedded year list of 3"},
             {'d', "an embedded list from index 0", rule(1, 2, 1).I32(2).I32(0).Text(), "index 0"},
             {'d', "the embedded list cut short", rule(1, 2, 1).I32(2).I32(1).Raw(entries(1)).Text(),
              "cut short"},
             {'d', "the second rule cut short",
              rule(2, 1, 1).I32(1).I32(1).Raw(entries(2)).Name("second").Text(), "rule 2 is cut short"},
             {'d', "a date not a number",
              rule(1, 1, 1).I32(1).I32(1).Raw(entries(1)).I16(2000).F64(NaN).F64(1).Text(), "not a day"},
             {'s', "an empty settings file", "", "empty"},
             {'s', "an empty first line", "\r\n" + setting(0, "0"), "empty"},
             {'s', "four values", "0,#FALSE#,0,\"Paris\"\r\n", "holds 4 values"},
             {'s', "ten values", setting(8, "#FALSE#,1"), "holds 10 values"},
             {'s', "a word for a number", setting(0, "x"), "ShowSecondsSetting) is not a number"},
             {'s', "a number with a tail", setting(5, "20abc"), "GridQuality) is not a number"},
             {'s', "an unmarked boolean", setting(1, "TRUE"), "AngleFormatSetting) is not #TRUE#"},
             {'s', "an unquoted text", setting(3, "Paris"), "DefaultCitySetting) is not a text"},
             {'s', "an unterminated quote", "0,#FALSE#,0,\"Paris\",\"/home,20,0,0,#FALSE#\r\n",
              "value 5 has an unterminated"},
             {'s', "text after a quote", setting(3, "\"Pa\"ris"), "instead of a comma"},
             {'s', "a 16-bit value too large", setting(2, "32768"), "RAFormatSetting) is out of range"},
             {'s', "a number beyond a double", setting(7, "1e999"), "out of range"},
             {'s', "inf", setting(5, "inf"), "not a finite number"},
             {'p', "four lines", four, "holds 4 lines"},
             {'p', "a blank fifth line", four + "\r\n", "line 5: the line is empty"},
             {'p', "one number", four + "5\r\n", "line 5: the line holds 1 values"},
             {'p', "a word", four + "5,top\r\n", "line 5: top is not a number"},
             {'p', "a quoted number", "\"1\",1\r\n" + four, "line 1: left is not a number"},
             {'p', "beyond a single", four + "1e39,1\r\n", "out of range"},
         }) {
        WriteText(file, data);
        ExpectRefused([&] { load.at(kind)(file); }, file, needle, what);
    }
    for (const auto& [kind, loader] : load) {
        ExpectRefused([&] { loader(folder / "none"); }, folder / "none", "missing",
                      std::string("missing, ") + kind);
        ExpectRefused([&] { loader(folder.Path()); }, folder.Path(), "", std::string("a folder, ") + kind);
    }
    // Rule files are read only to 4 MB: trailing bytes past it are not read, rules past it refused.
    WriteText(file, HandWrittenRules(false).Text() + std::string(5u << 20, 'Z'));
    EXPECT_EQ(LoadDstRules(file).size(), 2u);
    Bytes big;  // five rules of 32767 years each: valid counts, but 5.9 MB of bytes
    big.I16(5);
    for (int r = 0; r < 5; ++r) {
        big.Name("R").I16(32767).I16(0).I16(0).I16(0).I16(0).I16(0).I16(0).I16(1).I32(32767).I32(1);
        big.Raw(std::vector<unsigned char>(2 * 32767 * 18, 0));
    }
    WriteBytes(file, big.v);
    ExpectRefused([&] { LoadDstRules(file); }, file, "larger than the 4194304 bytes", "over the limit");
}

TEST(DataFiles, FailedSavesThrowAndKeepTheOldFile) {
    Settings quote, lineEnd;
    quote.CalendarSaveFolder = "/home/\"quoted\"";
    lineEnd.DefaultCitySetting = "a\nb";
    WindowPositions nan{};
    nan[2].Top = std::numeric_limits<float>::quiet_NaN();
    // Saves over a file holding "old", expects a refusal mentioning `needle` and the old file kept.
    const auto fails = [](const char* what, const char* needle, auto save) {
        TempFolder folder;
        WriteText(folder / "data", "old");
        try {
            save(folder / "data");
            ADD_FAILURE() << what << ": saved";
        } catch (const DataFileError& e) {
            EXPECT_NE(std::string(e.what()).find(needle), std::string::npos) << what << ": " << e.what();
        }
        EXPECT_EQ(ReadText(folder / "data"), "old") << what;
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"data"}) << what;
    };
    using Path = const std::filesystem::path&;
    fails("a city zone outside the table", "city 2", [](Path f) {
        SaveCities(f, {{"Berlin", 0, 0, 26, "None"}, {"Nowhere", 0, 0, 80, "None"}});
    });
    fails("a rule date that cannot be stored", "rule 2", [](Path f) {
        SaveDstRules(f, {{"EU", {}, {}, {}}, {"Bad", {}, {}, {{2024, Inf, 1}}}});
    });
    fails("a quote in the calendar folder", "CalendarSaveFolder", [&](Path f) { SaveSettings(f, quote); });
    fails("a line end in the city name", "DefaultCitySetting", [&](Path f) { SaveSettings(f, lineEnd); });
    fails("a position not a number", "window 3", [&](Path f) { SaveWindowPositions(f, nan); });
    fails("a missing folder", "cannot be created",
          [](Path f) { WriteFileAtomically(f.parent_path() / "absent" / "x", "a", 1); });
    // Writing over a folder's name fails and leaves the folder as it was; the reader keeps to its cap.
    TempFolder folder;
    std::filesystem::create_directory(folder / "taken");
    WriteText(folder / "taken" / "inside", "keep");
    ExpectRefused([&] { WriteFileAtomically(folder / "taken", "a", 1); }, folder / "taken", "folder",
                  "a folder's name");
    EXPECT_EQ(ReadText(folder / "taken" / "inside"), "keep");
    WriteText(folder / "f", std::string(100, 'a'));
    EXPECT_EQ(ReadWholeFile(folder / "f", 100).size(), 100u);
    ExpectRefused([&] { ReadWholeFile(folder / "f", 99); }, folder / "f", "larger than the 99 bytes",
                  "over the cap");
    WriteFileAtomically(folder / "f", nullptr, 0);
    EXPECT_TRUE(ReadWholeFile(folder / "f", 10).empty());
    EXPECT_EQ(folder.Entries().size(), 2u);
}

// A salvaging read keeps the whole records before a cut, each checked as usual; a strict read refuses.
TEST(DataFiles, SalvageKeepsTheWholeRecordsBeforeACut) {
    TempFolder folder;
    const auto file = folder / "data";
    for (const auto& [count, whole, latitude, kept, what] :
         {std::tuple{5, 2, 48.85, 2, "cut inside the third city"},
          {4, 2, 91.0, -1, "a kept city with latitude 91 is refused as ever"}}) {
        Bytes b;
        b.I16(count);
        for (int i = 0; i < whole; ++i)
            b.Name("City" + std::to_string(i + 1)).F64(i == 0 ? latitude : 10).F64(2.35).I16(29).Name("None");
        WriteBytes(file, b.Raw(std::vector<unsigned char>(20, 'x')).v);
        EXPECT_THROW(LoadCities(file), DataFileError) << what << ": the strict read";
        Salvage salvage;
        if (kept < 0) {
            EXPECT_THROW(LoadCities(file, &salvage), DataFileError) << what;
            continue;
        }
        EXPECT_EQ(LoadCities(file, &salvage).size(), static_cast<std::size_t>(kept)) << what;
        EXPECT_NE(salvage.Problem.find("city " + std::to_string(whole + 1) + " is cut short"),
                  std::string::npos)
            << what << ": " << salvage.Problem;
    }
    Bytes b;  // two permanent rules, then a variable one with one year (18 + 18 bytes at the end)
    b.I16(3).Name("EUROPE").I16(0).I16(1).I16(5).I16(3).I16(1).I16(5).I16(10).I16(0);
    b.Name("USA").I16(0).I16(1).I16(2).I16(3).I16(1).I16(1).I16(11).I16(0);
    b.Name("Chile").I16(1).I16(1).I16(2).I16(9).I16(1).I16(1).I16(4).I16(1).I32(1).I32(1);
    b.I16(2024).F64(45543).F64(45389).I16(2024).F64(45543).F64(45389);
    for (const auto& [cut, kept, problem] : {std::tuple<std::size_t, std::size_t, std::string>{0, 3, ""},
                                             {1, 2, "rule 3 (\"Chile\") is cut short"},
                                             {18 + 18 + 8 + 31 + 5, 1, "rule 2 is cut short"}}) {
        WriteBytes(file, std::vector<unsigned char>(b.v.begin(), b.v.end() - cut));
        Salvage salvage;
        EXPECT_EQ(LoadDstRules(file, &salvage).size(), kept) << "cut " << cut;
        EXPECT_TRUE(salvage.Problem.starts_with(problem) && salvage.CutShort == (cut > 0))
            << "cut " << cut << ": " << salvage.Problem;
    }
}

}  // namespace
}  // namespace heliomark
