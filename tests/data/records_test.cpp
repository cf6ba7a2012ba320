// Names in their 15-byte fields and the search by part of a name, the hour-zone table, the city and
// rule lists, DST periods, the dictionary, the computer's zone as a place and the program's folders.

#include <cstdlib>

#include "data/dictionary.h"
#include "data/program_folders.h"
#include "data/zone_places.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

using namespace testing;

double D(int y, int m, int d) {
    return DateSerial(y, m, d);
}
CityRecord City(const std::string& name) {
    return {name, 0, 0, 26, "None"};
}
std::string Field(std::string_view utf8) {
    const auto f = EncodeName(utf8);
    return std::string(f.begin(), f.end());
}
template <class List>
std::string Titles(const List& list) {
    std::string text;
    for (const auto& item : list)
        text += item.Title + "|";
    return text;
}

TEST(Names, StoredAsFifteenLatin1BytesAndComparedLowerCased) {
    ExpectTexts({
        ROW(Field("Paris"), "Paris          "),
        ROW(Field("Z\303\274rich"), "Z\374rich         "),                 // ü is one Latin-1 byte
        ROW(Field("\303\277\303\200"), "\377\300             "),           // ÿ and À, the ends of Latin-1
        ROW(Field("\342\202\254 5 \360\237\230\200"), "? 5 ?          "),  // € and an emoji: '?'
        ROW(Field("Bad\377\303x"), "Bad??x         "),                     // invalid UTF-8: '?' a byte
        ROW(Field("\340\200\257"), "???            "),                     // an overlong '/', not a slash
        ROW(Field("Llanfairpwllgwyngyll"), "Llanfairpwllgwy"),             // cut to the field
        ROW(Field("\303\251\303\251\303\251\303\251\303\251\303\251\303\251\303\251xxxxxxxxx"),
            "\351\351\351\351\351\351\351\351xxxxxxx"),  // characters count, not bytes
        ROW(FitName("\303\251234567890123456"), "\303\25123456789012345"),
        ROW(TrimBlanks("\t a b  "), "\t a b"),                       // blanks only, as the classic Trim
        ROW(LowerCaseName("S\303\203O PAULO"), "s\303\243o paulo"),  // Ã -> ã
        ROW(LowerCaseName("\303\227\303\237\303\236"), "\303\227\303\237\303\276"),  // × and ß stay, Þ -> þ
        ROW(LowerCaseName("\305\201X\377"), "\305\201x\377")  // Ł and an invalid byte kept
    });
}

TEST(NameSearch, KeysIgnoreCaseAccentsAndPunctuation) {
    ExpectTexts({
        ROW(SearchKey("S\xC3\x83O PAULO"), "sao paulo"),
        ROW(SearchKey("Sa\xCC\x83o"), "sao"),                    // a + combining tilde
        ROW(SearchKey("\xC5\x81\xC3\x93\x44\xC5\xB9"), "lodz"),  // ŁÓDŹ
        ROW(SearchKey("Stra\xC3\x9F\x65"), "strasse"),
        ROW(SearchKey("Bra\xC8\x99ov"), "brasov"),         // s with comma below
        ROW(SearchKey("Winston-Salem"), "winston salem"),  // a hyphen reads as a blank
        ROW(SearchKey("St. Pete"), "st pete"),             // dots go
        ROW(SearchKey("Ta\xE2\x80\x99izz"), "taizz"),      // Ta’izz: apostrophes go
        ROW(SearchKey("  New   York "), "new york "),      // no leading blank, runs as one
        ROW(SearchKey("\xE6\x9D\xB1\xE4\xBA\xAC"), "\xE6\x9D\xB1\xE4\xBA\xAC"),  // 東京 stays
        ROW(SearchKey("Bad\xFFName"), "bad\xFFname")                             // an invalid byte stays
    });
    std::vector<std::string> keys;  // in list order
    for (const char* name : {"New York", "Newark", "Osasco", "Sao Paulo", "Sao Tome", "St. Pete", "York",
                             "Yorkton", "Z\xC3\xBCrich", "Winston-Salem"})
        keys.push_back(SearchKey(name));
    // Typed text, the positions it finds in list order, and the one offered first.
    for (const auto& [typed, found, best] :
         {std::tuple<const char*, std::vector<int>, int>{"york", {0, 6, 7}, 6},  // the name before its prefix
          {"sao", {3, 4}, 3},       // the first that begins with it
          {"sa", {2, 3, 4, 9}, 3},  // Osasco has it inside, Sao Paulo begins with it
          {"salem", {9}, 9},        // a word that begins with it
          {"rk", {0, 1, 6, 7}, 0},  // only inside names: the first
          {"Z\xC3\x9CR", {8}, 8},   // ZÜR: case and accents ignored
          {"st. pete", {5}, 5},     // punctuation may be typed or not
          {"xyz", {}, -1},
          {"", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, -1}}) {  // nothing typed: every name, none offered
        const NameMatches m = FindNamesContaining(keys, typed);
        EXPECT_TRUE(m.Positions == found && m.Best == best) << "typing \"" << typed << '"';
    }
}

TEST(HourZones, OffsetsAndShortTextsAsTheTextsSay) {
    ExpectNear({ROW(HourZoneOffset(0), -12), ROW(HourZoneOffset(18), -3.5), ROW(HourZoneOffset(25), 0),
                ROW(HourZoneOffset(26), 0), ROW(HourZoneOffset(49), 5.75), ROW(HourZoneOffset(74), 13)},
               0);
    ExpectTexts({ROW(HourZoneText(DefaultZoneIndex), "(GMT) Casablanca, Monrovia"),
                 ROW(HourZoneShortText(25), "GMT"),
                 ROW(HourZoneText(20), "(GMT-03:00) Buenos Aires, Geogretown"),
                 ROW(HourZoneShortText(49), "GMT+05:45"), ROW(HourZoneText(74), "(GMT+13:00) Nuku'alofa"),
                 ROW(HourZoneShortText(0), "GMT-12:00")});
    EXPECT_THROW(HourZoneOffset(-1), std::out_of_range);
    EXPECT_THROW(HourZoneText(HourZoneCount), std::out_of_range);
}

TEST(CityAndRuleLists, InsertKeepsTheLowerCasedOrderFindIsCaseBlindRemoveTakesPositions) {
    for (const auto& [list, insert, expected] :
         {std::tuple{CityList{City("Berlin"), City("Rome")}, "Paris", "Berlin|Paris|Rome|"},
          {CityList{City("Berlin"), City("Rome")}, "Zurich", "Berlin|Rome|Zurich|"},
          {CityList{City("Berlin"), City("Rome")}, "Athens", "Athens|Berlin|Rome|"},
          {CityList{City("paris"), City("Rome")}, "PARIS", "paris|PARIS|Rome|"},  // equal: the new one after
          {CityList{City("Parish")}, "Paris", "Paris|Parish|"},  // padding sorts before letters
          {CityList{City("Zagreb")}, "\303\204lmhult", "Zagreb|\303\204lmhult|"},  // Ä (0xC4 -> 0xE4) after z
          {CityList{}, "Llanfairpwllgwyngyll", "Llanfairpwllgwy|"}}) {             // cut to its 15-byte field
        CityList cities = list;
        InsertCitySorted(cities, City(insert));
        std::string names;
        for (const auto& c : cities)
            names += c.Name + "|";
        EXPECT_EQ(names, expected) << "inserting " << insert;
    }
    const CityList cities{City("Berlin"), City("  Oslo "), City("\303\211vora"), City("BERLIN")};
    DstRuleList rules;
    for (const char* name : {"EUROPE", "  USA", "EUROPE", "A name far longer than fifteen"})
        AppendDstRule(rules, {name, {}, {}, {}});
    EXPECT_EQ(rules[3].Name, "A name far long");
    // A name, the city it finds and the rule it finds (É is é; the stored blanks are trimmed).
    const std::tuple<const char*, int, int> finds[] = {
        {"berlin", 1, 0},       {"BERLIN", 1, 0}, {" Berlin", 0, 0}, {"Berlin ", 0, 0}, {"oslo", 2, 0},
        {"\303\251VORA", 3, 0}, {"Europe", 0, 1}, {"usa", 0, 2},     {" usa", 0, 0},    {"", 0, 0}};
    for (const auto& [name, city, rule] : finds)
        EXPECT_TRUE(FindCity(cities, name) == city && FindDstRule(rules, name) == rule)
            << "finding \"" << name << '"';
    CityList list{City("A"), City("B"), City("C")};
    RemoveCity(list, 2);
    EXPECT_TRUE(list.size() == 2 && list[1].Name == "C");
    EXPECT_THROW(RemoveCity(list, 3), std::out_of_range);
    RemoveDstRule(rules, 1);
    EXPECT_EQ(FindDstRule(rules, "europe"), 2);
    EXPECT_THROW(RemoveDstRule(rules, 0), std::out_of_range);
    EXPECT_THROW(RemoveDstRule(rules, 4), std::out_of_range);
    DstRule v{"V", {}, {}, {{2020, 1, 2}, {2021, 3, 4}, {2020, 5, 6}}};
    EXPECT_TRUE(FindDstYear(v, 2020) == 1 && FindDstYear(v, 2021) == 2 && FindDstYear(v, 2022) == 0);
    RemoveDstYear(v, 1);
    EXPECT_EQ(FindDstYear(v, 2020), 2);
}

TEST(DstRules, RuleDaysAndPeriods) {
    for (const auto& [weekday, ordinal, month, year, expected, what] :
         {std::tuple{1, 5, 3, 2024, D(2024, 3, 31), "last Sunday of March"},
          {1, 2, 3, 2024, D(2024, 3, 10), "second Sunday of March"},
          {1, 1, 10, 2024, D(2024, 10, 6), "first Sunday of a month starting on a Tuesday"},
          {7, 1, 6, 2024, D(2024, 6, 1), "first Saturday of a month starting on one"},
          {1, 4, 2, 2026, D(2026, 2, 22), "fourth Sunday of a February starting on Sunday"},
          {2, 5, 12, 2025, D(2025, 12, 29), "last Monday of December (month 13 carries)"},
          {6, 9, 2, 2024, D(2024, 2, 23), "ordinal 9 means last: last Friday of a leap February"},
          {1, 5, 0, 2024, D(2023, 12, 31), "month 0 is December of the year before"},
          {1, 1, 13, 2024, D(2025, 1, 5), "month 13 is January of the next year"},
          {1, 0, 3, 2024, D(2024, 2, 25), "ordinal 0 is the week before the first"}}) {
        const DstRuleDay day{static_cast<int16_t>(weekday), static_cast<int16_t>(ordinal),
                             static_cast<int16_t>(month)};
        EXPECT_EQ(RuleDayToDate(day, year), expected) << what << " " << year;
    }
    // A period includes its start day and excludes its end day; a variable rule uses its years' entries.
    const DstRule europe{"EU", {1, 5, 3}, {1, 5, 10}, {}}, south{"South", {1, 1, 10}, {1, 1, 4}, {}};
    const DstRule variable{"V", {1, 5, 3}, {1, 5, 10}, {{2024, D(2024, 4, 1), D(2024, 9, 1)}}};
    const std::tuple<const DstRule*, double, bool> days[] = {
        {&europe, D(2024, 3, 30), false},   {&europe, D(2024, 3, 31), true},
        {&europe, D(2024, 10, 26), true},   {&europe, D(2024, 10, 27), false},
        {&south, D(2024, 1, 15), true},     {&south, D(2024, 4, 6), true},
        {&south, D(2024, 4, 7), false},     {&south, D(2024, 10, 5), false},
        {&south, D(2024, 10, 6), true},     {&south, D(2024, 12, 31), true},
        {&variable, D(2024, 3, 31), false}, {&variable, D(2024, 4, 1), true},
        {&variable, D(2024, 9, 1), false}};
    for (const auto& [rule, date, in] : days) {
        const auto period = DstPeriodForYear(*rule, 2024);
        EXPECT_TRUE(period && InDstPeriod(date, period->Start, period->End) == in)
            << rule->Name << " on day " << date;
    }
    EXPECT_FALSE(DstPeriodForYear(variable, 2025).has_value()) << "a year the variable rule does not list";
}

TEST(Dictionary, SplitsEntriesAndEndsEveryTextLineWithCrLf) {
    for (const auto& [what, text, expected] :
         {std::tuple<const char*, std::string_view, const char*>{
              "CR LF", "!Azimuth\r\nline one\r\nline two\r\n!Zenith\r\nup\r\n",
              "Azimuth:line one\r\nline two\r\n|Zenith:up\r\n|"},
          {"lone CR and LF end lines, the last needs no end", "!A\rx\r\ry ! z\nlast",
           "A:x\r\n\r\ny ! z\r\nlast\r\n|"},
          {"lines before the first title are skipped", "preface\r\n!A\r\nx\r\n", "A:x\r\n|"},
          {"a '!' alone is an empty title; a title without text", "!\r\nx\r\n!B", ":x\r\n|B:|"},
          {"a byte order mark", "\xEF\xBB\xBF!A\r\nx\r\n", "A:x\r\n|"},
          {"ISO-8859-1", "!\311quinoxe\r\nd\351j\340\r\n", "\303\211quinoxe:d\303\251j\303\240\r\n|"},
          {"an overlong form is no UTF-8", "!A\r\n\340\200\257\r\n", "A:\303\240\302\200\302\257\r\n|"},
          {"nothing but text", "no titles here\r\n", ""}}) {
        std::string got;
        for (const auto& e : ParseDictionary("dict.txt", text))
            got += e.Title + ":" + e.Text + "|";
        EXPECT_EQ(got, expected) << what;
    }
}

TEST(Dictionary, SortsLikeTheClassicExchangeSortAndIsReadOnce) {
    DictEntryList entries =
        ParseDictionary("d", "!azimuth\r\na\r\n!Zenith\r\nz\r\n!\r\n!Altitude\r\n!\303\211t\303\251\r\n");
    SortDictionary(entries);
    EXPECT_EQ(Titles(entries), "|Altitude|Zenith|azimuth|\303\211t\303\251|");
    EXPECT_EQ(entries[3].Text, "a\r\n") << "whole entries move with their titles";
    DictEntryList same{{"c", "1"}, {"a", "2"}, {"b", "3"}, {"a", "4"}, {"c", "5"}, {"b", "6"}};
    SortDictionary(same);  // the exchange sort is not stable: c5 ends before c1
    std::string order;
    for (const auto& e : same)
        order += e.Title + e.Text + "|";
    EXPECT_EQ(order, "a2|a4|b3|b6|c5|c1|");
    const TempFolder folder;
    const auto file = folder / "dict.txt";
    EXPECT_TRUE(LoadDictionary(file).empty()) << "a missing file is an empty glossary";
    WriteText(folder / "big.txt", std::string(MaxDictionaryBytes + 1, 'x'));
    std::string many;
    for (std::size_t k = 0; k <= MaxDictionaryEntries; ++k)
        many += "!t\n";
    WriteText(folder / "many.txt", many);
    for (const auto& bad : {folder / "big.txt", folder / "many.txt", folder.Path()})
        ExpectRefused([&] { LoadDictionary(bad); }, bad, "", bad.string());
    WriteText(file, "!b\r\ntwo\r\n!a\r\none\r\n");
    Dictionary dictionary, failed;
    EXPECT_TRUE(EnsureDictionaryLoaded(dictionary, file));
    EXPECT_THROW(EnsureDictionaryLoaded(failed, folder.Path()), DataFileError);
    WriteText(file, "!c\r\nthree\r\n");
    EXPECT_FALSE(EnsureDictionaryLoaded(dictionary, file));
    EXPECT_EQ(Titles(dictionary.Entries), "a|b|") << "read once, sorted";
    EXPECT_TRUE(!failed.Loaded && EnsureDictionaryLoaded(failed, file)) << "a failed read is tried again";
    EXPECT_EQ(Titles(failed.Entries), "c|");
}

TEST(ZonePlaces, ZonesAreFoundInEitherTableAndThroughTheirOldNames) {
    TempFolder zoneinfo;
    WriteText(zoneinfo / "zone1970.tab",
              "#codes\tcoordinates\tTZ\tcomments\nDE,DK\t+5230+01322\tEurope/Berlin\tmost of Germany\n"
              "AU\t-3352+15113\tAustralia/Sydney\tNew South Wales\r\nUA\t+5026+03031\tEurope/Kyiv\tmost of "
              "Ukraine\nXX\t+5260+01322\tBad/Minutes\n");
    WriteText(zoneinfo / "zone.tab", "US\t+404251-0740023\tAmerica/New_York\tEastern\n");
    std::filesystem::create_directories(zoneinfo / "Europe");
    WriteText(zoneinfo / "Europe" / "Kyiv", "TZif");
    std::filesystem::create_symlink("Kyiv", zoneinfo / "Europe" / "Kiev");
    for (const auto& [zone, point] :
         {std::pair<const char*, std::optional<GeoPoint>>{"Europe/Berlin", GeoPoint{52.5, 13 + 22 / 60.0}},
          {"Australia/Sydney", GeoPoint{-(33 + 52 / 60.0), 151 + 13 / 60.0}},
          {"America/New_York", GeoPoint{40 + 42 / 60.0 + 51 / 3600.0, -(74 + 23 / 3600.0)}},
          {"Europe/Kiev", GeoPoint{50 + 26 / 60.0, 30 + 31 / 60.0}},  // a link to its new name
          {"Bad/Minutes", std::nullopt},
          {"", std::nullopt}}) {
        const std::optional<GeoPoint> p = ZoneReferencePoint(zone, zoneinfo.Path());
        EXPECT_TRUE(p.has_value() == point.has_value() &&
                    (!p || (std::abs(p->Latitude - point->Latitude) < 1e-12 &&
                            std::abs(p->Longitude - point->Longitude) < 1e-12)))
            << zone << ": " << (p ? FormatGeneral(p->Latitude) + ", " + FormatGeneral(p->Longitude) : "none");
    }
    // The nearest city is measured over the sphere: over the date line Suva, not Apia.
    const CityList cities = {{"Suva", -18.14, 178.44, 70, "None"}, {"Apia", -13.83, -171.77, 73, "None"}};
    EXPECT_TRUE(NearestCity(cities, GeoPoint{-16, -179.9}) == 1 && NearestCity({}, GeoPoint{0, 0}) == 0);
}

TEST(ProgramFolders, TheExecutablesFolderDecidesWhereEachFileIs) {
    TempFolder root;
    const auto bin = root / "bin", share = root / "share" / "heliomark";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share);
    const UserFolders user{root / "config", root / "data"};
    for (const auto& [refsBeside, writable, expected, what] :
         {std::tuple{true, true, ProgramFolders{bin, bin, bin},
                     "a writable copy with refs.txt keeps everything"},
          {true, false, ProgramFolders{bin, user.Config, user.Data},
           "a read-only copy keeps the user's files apart"},
          {false, true, ProgramFolders{share, user.Config, user.Data},
           "installed, never written even when it could"}}) {
        std::filesystem::remove(bin / "refs.txt");
        if (refsBeside) WriteText(bin / "refs.txt", "table");
        const bool canWrite = writable;
        const ProgramFolders f =
            FindProgramFolders(bin, user, [=](const std::filesystem::path&) { return canWrite; });
        EXPECT_TRUE(f.Shipped == expected.Shipped && f.SettingsFile() == expected.Config / "settings.ini" &&
                    f.CitiesToWrite() == expected.Data / "city_db.txt" &&
                    f.CitiesToRead() == expected.Shipped / "city_db.txt")  // no user's copy yet
            << what << ": " << f.Shipped << ", " << f.SettingsFile() << ", " << f.CitiesToWrite();
    }
    // The user's folders follow the XDG variables as Qt does.
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", "/home/ann", 1);
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    ::setenv("XDG_DATA_HOME", "relative", 1);  // ignored: not absolute
    const UserFolders f = XdgUserFolders();
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", home.c_str(), 1);
    EXPECT_TRUE(f.Config == "/cfg/heliomark" && f.Data == "/home/ann/.local/share/heliomark")
        << f.Config << ", " << f.Data;
}

}  // namespace
}  // namespace heliomark
