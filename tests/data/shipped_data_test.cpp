// The data files Heliomark ships (resources/city_db.txt, dst_types.txt, dict.txt), loaded through
// the data layer as the program loads them, and checked for the invariants the program relies on:
// an ordered list of unique names, zone positions inside the table, every rule a city names
// present, every rule's dates inside their year, and well-known places on the clock they keep.
// tools/shipdata regenerates the files; these tests catch a broken regeneration.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "data/data.h"
#include "data/dictionary.h"

namespace heliomark {
namespace {

std::filesystem::path ResourcePath(const char* name) {
    return std::filesystem::path(HELIOMARK_SOURCE_DIR) / "resources" / name;
}

const CityList& ShippedCities() {
    static const CityList cities = LoadCities(ResourcePath("city_db.txt"));
    return cities;
}

const DstRuleList& ShippedRules() {
    static const DstRuleList rules = LoadDstRules(ResourcePath("dst_types.txt"));
    return rules;
}

std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool IsPlainName(const std::string& name) {
    if (name.empty() || name.size() > NameLength || name.front() == ' ' || name.back() == ' ') return false;
    for (char c : name) {
        if (c < 0x20 || c > 0x7e) return false;
    }
    return true;
}

bool IsWholeDay(double ole) {
    return ole == std::floor(ole);
}

// The clock offset the program uses for a place on a date: its hour zone plus the DST hour.
double ProgramOffset(const CityRecord& city, int year, int month, int day) {
    const double date = DateSerial(year, month, day);
    double hours = HourZoneOffset(city.ZoneIndex);
    const int rule = FindDstRule(ShippedRules(), city.DstName);
    if (rule > 0) {
        const std::optional<DstPeriod> period = DstPeriodForYear(ShippedRules()[rule - 1], year);
        if (period && IsInDstPeriod(date, *period)) hours += 1;
    }
    return hours;
}

TEST(ShippedCities, FormAnOrderedListOfUniquePlainNames) {
    const CityList& cities = ShippedCities();
    ASSERT_GE(cities.size(), 600u);
    ASSERT_LE(cities.size(), 32767u);
    // The order must be the one InsertCitySorted keeps, or the editor would insert out of place.
    CityList rebuilt;
    for (const CityRecord& c : cities)
        InsertCitySorted(rebuilt, c);
    for (std::size_t i = 0; i < cities.size(); ++i) {
        const CityRecord& c = cities[i];
        ASSERT_EQ(rebuilt[i].Name, c.Name) << "city " << i + 1 << " is out of order";
        EXPECT_TRUE(IsPlainName(c.Name)) << "city " << i + 1 << " \"" << c.Name << "\"";
        // FindCity returning this very position proves the name is unique (case-blind).
        EXPECT_EQ(FindCity(cities, c.Name), static_cast<int>(i + 1)) << c.Name;
        if (i > 0) {
            const std::string prev = AsciiLower(cities[i - 1].Name);
            EXPECT_LT(prev + std::string(NameLength - prev.size(), ' '),
                      AsciiLower(c.Name) + std::string(NameLength - c.Name.size(), ' '))
                << cities[i - 1].Name << " / " << c.Name;
        }
    }
}

TEST(ShippedCities, HaveCoordinatesZonesAndRulesTheProgramCanUse) {
    for (const CityRecord& c : ShippedCities()) {
        EXPECT_TRUE(c.Latitude >= -90 && c.Latitude <= 90) << c.Name << " latitude " << c.Latitude;
        EXPECT_TRUE(c.Longitude >= -180 && c.Longitude <= 180) << c.Name << " longitude " << c.Longitude;
        // Four decimals, as the sources give them.
        EXPECT_NEAR(c.Latitude * 1e4, std::round(c.Latitude * 1e4), 1e-6) << c.Name;
        EXPECT_NEAR(c.Longitude * 1e4, std::round(c.Longitude * 1e4), 1e-6) << c.Name;
        EXPECT_TRUE(c.ZoneIndex >= 0 && c.ZoneIndex < HourZoneCount) << c.Name << " zone " << c.ZoneIndex;
        EXPECT_TRUE(c.DstName == "None" || FindDstRule(ShippedRules(), c.DstName) > 0)
            << c.Name << " names the unknown rule \"" << c.DstName << "\"";
    }
}

TEST(ShippedRules, HaveUniqueNamesAndAreAllUsed) {
    const DstRuleList& rules = ShippedRules();
    ASSERT_FALSE(rules.empty());
    std::set<std::string> used;
    for (const CityRecord& c : ShippedCities())
        used.insert(c.DstName);
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const std::string& name = rules[i].Name;
        EXPECT_TRUE(IsPlainName(name)) << "rule " << i + 1 << " \"" << name << "\"";
        EXPECT_NE(AsciiLower(name), "none") << "a rule called None would shadow the no-DST choice";
        EXPECT_EQ(FindDstRule(rules, name), static_cast<int>(i + 1)) << name << " is not unique";
        EXPECT_TRUE(used.count(name) == 1) << "no city uses the rule " << name;
    }
}

TEST(ShippedRules, PermanentRulesNameRealWeekdays) {
    int permanent = 0;
    for (const DstRule& r : ShippedRules()) {
        if (!r.Years.empty()) continue;
        ++permanent;
        for (const DstRuleDay& d : {r.Start, r.End}) {
            EXPECT_TRUE(d.Weekday >= 1 && d.Weekday <= 7) << r.Name;
            EXPECT_TRUE(d.Ordinal >= 1 && d.Ordinal <= 5) << r.Name;
            EXPECT_TRUE(d.Month >= 1 && d.Month <= 12) << r.Name;
        }
        for (int year = 2000; year <= 2037; ++year) {
            const double start = RuleDayToDate(r.Start, year);
            const double end = RuleDayToDate(r.End, year);
            EXPECT_EQ(YearOf(start), year) << r.Name;
            EXPECT_EQ(YearOf(end), year) << r.Name;
            EXPECT_NE(start, end) << r.Name << " " << year;
        }
    }
    EXPECT_GE(permanent, 2);  // at least Europe and USA & Canada
}

// A year's period either runs inside the year (its end, the first day without DST, may be the
// next 1 January), or wraps it: DST from the start to the year's end and again from 1 January
// until the end, both dates then in the year itself.
TEST(ShippedRules, YearEntriesLieInsideTheirYears) {
    for (const DstRule& r : ShippedRules()) {
        int previous = 0;
        for (const DstYearEntry& e : r.Years) {
            SCOPED_TRACE(r.Name + " " + std::to_string(e.Year));
            EXPECT_GT(e.Year, previous);  // one entry per year, in order
            previous = e.Year;
            EXPECT_TRUE(e.Year >= 2000 && e.Year <= 2037);
            EXPECT_TRUE(IsWholeDay(e.StartDate) && IsWholeDay(e.EndDate));
            EXPECT_EQ(YearOf(e.StartDate), e.Year);
            EXPECT_NE(e.StartDate, e.EndDate);
            if (e.StartDate < e.EndDate) {
                EXPECT_LE(e.EndDate, DateSerial(e.Year + 1, 1, 1));
            } else {
                EXPECT_EQ(YearOf(e.EndDate), e.Year);
            }
        }
    }
}

struct KnownPlace {
    const char* Name;
    int ZoneIndex;
    const char* Rule;
    double Latitude, Longitude;
    // The UTC offsets the place's clocks showed or will show on two dates.
    int Year1, Month1, Day1;
    double Offset1;
    int Year2, Month2, Day2;
    double Offset2;
};

TEST(ShippedCities, WellKnownPlacesKeepTheirClocks) {
    const KnownPlace places[] = {
        {"London", 26, "Europe", 51.5085, -0.1257, 2025, 1, 15, 0, 2025, 7, 15, 1},
        {"Paris", 29, "Europe", 48.8534, 2.3488, 2024, 3, 30, 1, 2024, 3, 31, 2},
        {"New York", 13, "USA & Canada", 40.7143, -74.0060, 2024, 11, 2, -4, 2024, 11, 3, -5},
        {"Sydney", 67, "NSW & Victoria", -33.8678, 151.2073, 2024, 10, 6, 11, 2025, 7, 15, 10},
        {"Tokyo", 61, "None", 35.6895, 139.6917, 2025, 1, 15, 9, 2025, 7, 15, 9},
        {"Sao Paulo", 19, "Brazil", -23.5475, -46.6361, 2018, 1, 15, -2, 2025, 1, 15, -3},
        {"Reykjavik", 26, "None", 64.1355, -21.8954, 2025, 1, 15, 0, 2025, 7, 15, 0},
        {"Kathmandu", 49, "None", 27.7017, 85.3206, 2025, 1, 15, 5.75, 2025, 7, 15, 5.75},
        // Turkey has kept +03 the whole year since 2016: today's standard time, no DST.
        {"Istanbul", 38, "None", 41.0138, 28.9497, 2020, 1, 15, 3, 2030, 7, 15, 3},
    };
    const CityList& cities = ShippedCities();
    for (const KnownPlace& p : places) {
        SCOPED_TRACE(p.Name);
        const int k = FindCity(cities, p.Name);
        ASSERT_GT(k, 0);
        const CityRecord& c = cities[k - 1];
        EXPECT_EQ(c.ZoneIndex, p.ZoneIndex) << HourZoneText(c.ZoneIndex);
        EXPECT_EQ(c.DstName, p.Rule);
        EXPECT_NEAR(c.Latitude, p.Latitude, 0.01);
        EXPECT_NEAR(c.Longitude, p.Longitude, 0.01);
        EXPECT_EQ(ProgramOffset(c, p.Year1, p.Month1, p.Day1), p.Offset1)
            << p.Year1 << "-" << p.Month1 << "-" << p.Day1;
        EXPECT_EQ(ProgramOffset(c, p.Year2, p.Month2, p.Day2), p.Offset2)
            << p.Year2 << "-" << p.Month2 << "-" << p.Day2;
    }
}

struct DstDay {
    const char* Rule;
    int Year, Month, Day;
    bool InDst;
};

// Switch days as the program counts them: DST covers the whole start day and ends at the
// beginning of the day the clocks go back.
TEST(ShippedRules, SwitchDaysOfWellKnownRules) {
    const DstDay days[] = {
        {"Europe", 2024, 3, 30, false},         {"Europe", 2024, 3, 31, true},
        {"Europe", 2024, 10, 26, true},         {"Europe", 2024, 10, 27, false},
        {"USA & Canada", 2024, 3, 9, false},    {"USA & Canada", 2024, 3, 10, true},
        {"USA & Canada", 2030, 11, 2, true},    {"USA & Canada", 2030, 11, 3, false},
        {"NSW & Victoria", 2024, 4, 6, true},   {"NSW & Victoria", 2024, 4, 7, false},
        {"NSW & Victoria", 2024, 10, 5, false}, {"NSW & Victoria", 2024, 10, 6, true},
        {"NSW & Victoria", 2024, 12, 31, true}, {"NSW & Victoria", 2024, 1, 1, true},
        {"Brazil", 2018, 2, 17, true},          {"Brazil", 2018, 2, 18, false},
        {"Brazil", 2030, 1, 15, false},         {"Chile", 2025, 7, 15, false},
        {"Chile", 2025, 1, 15, true},           {"New Zealand", 2025, 9, 28, true},
        {"New Zealand", 2025, 9, 27, false},
    };
    for (const DstDay& d : days) {
        const int k = FindDstRule(ShippedRules(), d.Rule);
        ASSERT_GT(k, 0) << d.Rule;
        const std::optional<DstPeriod> period = DstPeriodForYear(ShippedRules()[k - 1], d.Year);
        const bool inDst = period && IsInDstPeriod(DateSerial(d.Year, d.Month, d.Day), *period);
        EXPECT_EQ(inDst, d.InDst) << d.Rule << " " << d.Year << "-" << d.Month << "-" << d.Day;
    }
}

TEST(ShippedDictionary, HoldsAtLeastFortyShortEntriesWithCrLfLines) {
    std::ifstream in(ResourcePath("dict.txt"), std::ios::binary);
    ASSERT_TRUE(in) << "dict.txt is missing";
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find("\r\n", from);
        ASSERT_NE(end, std::string::npos) << "the last line has no CR LF";
        lines.push_back(text.substr(from, end - from));
        ASSERT_EQ(lines.back().find_first_of("\r\n"), std::string::npos)
            << "stray line end in: " << lines.back();
        from = end + 2;
    }
    ASSERT_FALSE(lines.empty());
    ASSERT_EQ(lines.front().rfind('!', 0), 0u) << "text before the first title would belong to no entry";
    std::set<std::string> titles;
    std::string title;
    int textLines = 0;
    const auto endEntry = [&] {
        EXPECT_TRUE(textLines >= 1 && textLines <= 3) << title << " has " << textLines << " paragraphs";
    };
    for (const std::string& line : lines) {
        if (line.rfind('!', 0) == 0) {
            if (!title.empty()) endEntry();
            title = line.substr(1);
            textLines = 0;
            EXPECT_FALSE(title.empty());
            EXPECT_TRUE(titles.insert(title).second) << "title " << title << " twice";
        } else {
            ++textLines;
            EXPECT_FALSE(line.empty()) << "blank line in " << title;
        }
    }
    endEntry();
    EXPECT_GE(titles.size(), 40u);
    for (const char* needed : {"Altitude",
                               "Azimuth",
                               "Refraction",
                               "Transit",
                               "Declination",
                               "Right ascension",
                               "Equinox",
                               "Solstice",
                               "Civil twilight",
                               "Nautical twilight",
                               "Astronomical twilight",
                               "Polar day",
                               "Polar night",
                               "Hour zone",
                               "Daylight saving time",
                               "Sidereal time",
                               "Ecliptic",
                               "Day length",
                               "Sub-solar point",
                               "Julian day",
                               "Celestial sphere",
                               "Horizon",
                               "Zenith"}) {
        EXPECT_EQ(titles.count(needed), 1u) << "no entry for " << needed;
    }
    // The program's reader takes the file as it is and finds every entry.
    EXPECT_EQ(LoadDictionary(ResourcePath("dict.txt")).size(), titles.size());
}

}  // namespace
}  // namespace heliomark
