// The data files Heliomark ships, loaded as the program loads them and checked for what the program
// relies on; tools/shipdata regenerates them, and these tests catch a broken regeneration.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "data/data.h"
#include "data/dictionary.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

// An ordered list of unique plain names, zones inside the table, every rule a city names present and
// used, rule dates inside their years, and well-known places on the clocks they keep.
TEST(ShippedData, CitiesAndRulesAreOrderedUniqueAndKeepTheRightClocks) {
    const CityList cities = LoadCities(testing::Resource("city_db.txt"));
    const DstRuleList rules = LoadDstRules(testing::Resource("dst_types.txt"));
    ASSERT_GE(cities.size(), 3000u);
    CityList rebuilt;  // the order InsertCitySorted keeps, or the editor would insert out of place
    std::set<std::string> used;
    for (const CityRecord& c : cities) {
        InsertCitySorted(rebuilt, c);
        used.insert(c.DstName);
        EXPECT_TRUE(std::ranges::all_of(c.Name, [](char ch) { return ch >= 0x20 && ch <= 0x7e; }) &&
                    c.Name == TrimBlanks(c.Name) && std::abs(c.Latitude) <= 90 &&
                    std::abs(c.Longitude) <= 180 &&
                    (c.DstName == "None" || FindDstRule(rules, c.DstName) > 0))
            << c.Name << ": " << c.Latitude << ", " << c.Longitude << ", " << c.DstName;
    }
    for (std::size_t i = 0; i < cities.size(); ++i)
        ASSERT_TRUE(rebuilt[i].Name == cities[i].Name &&
                    FindCity(cities, cities[i].Name) == static_cast<int>(i + 1))
            << "city " << i + 1 << " " << cities[i].Name << " is out of order or not unique";
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const DstRule& r = rules[i];
        EXPECT_TRUE(FindDstRule(rules, r.Name) == static_cast<int>(i + 1) && used.count(r.Name) == 1 &&
                    r.Name != "None")
            << r.Name << " is not unique, or no city uses it";
        for (int year = 2000; year <= 2037 && r.Years.empty(); ++year)
            EXPECT_TRUE(YearOf(RuleDayToDate(r.Start, year)) == year &&
                        YearOf(RuleDayToDate(r.End, year)) == year)
                << r.Name;
        for (const DstYearEntry& e :
             r.Years)  // inside the year (the end may be the next 1 January), or wrapping it
            EXPECT_TRUE(e.StartDate == std::floor(e.StartDate) && YearOf(e.StartDate) == e.Year &&
                        (e.StartDate < e.EndDate ? e.EndDate <= DateSerial(e.Year + 1, 1, 1)
                                                 : YearOf(e.EndDate) == e.Year))
                << r.Name << " " << e.Year;
    }
    for (const auto& [name, zone, rule, y, m, d, offset] :
         {std::tuple{"London", 26, "Europe", 2025, 7, 15, 1.0},
          {"Paris", 29, "Europe", 2024, 3, 30, 1.0},
          {"Paris", 29, "Europe", 2024, 3, 31, 2.0},
          {"New York", 13, "USA & Canada", 2030, 11, 3, -5.0},
          {"Sydney", 67, "NSW & Victoria", 2024, 10, 6, 11.0},
          {"Sydney", 67, "NSW & Victoria", 2024, 4, 7, 10.0},
          {"Sao Paulo", 19, "Brazil", 2018, 1, 15, -2.0},
          {"Sao Paulo", 19, "Brazil", 2025, 1, 15, -3.0},
          {"Kathmandu", 49, "None", 2025, 1, 15, 5.75},
          {"Istanbul", 38, "None", 2030, 7, 15, 3.0},
          // Namesakes carry their country or, within the USA, their state.
          {"London CA", 13, "USA & Canada", 2024, 11, 2, -4.0},
          {"London CA", 13, "USA & Canada", 2024, 11, 3, -5.0},
          {"Kansas City MO", 9, "USA & Canada", 2025, 7, 15, -5.0},
          {"Gorakhpur", 48, "None", 2025, 1, 15, 5.5}}) {
        const int k = FindCity(cities, name);
        ASSERT_GT(k, 0) << name;
        const CityRecord& c = cities[k - 1];
        const int r = FindDstRule(rules, c.DstName);
        const auto period = r > 0 ? DstPeriodForYear(rules[r - 1], y) : std::nullopt;
        EXPECT_TRUE(c.ZoneIndex == zone && c.DstName == rule &&
                    HourZoneOffset(c.ZoneIndex) +
                            (period && InDstPeriod(DateSerial(y, m, d), period->Start, period->End)) ==
                        offset)
            << name << " on " << y << "-" << m << "-" << d << ": " << HourZoneText(c.ZoneIndex) << ", "
            << c.DstName;
    }
}

TEST(ShippedData, DictionaryHoldsTheTermsTheWindowsExplain) {
    const std::string raw = testing::ReadText(testing::Resource("dict.txt"));
    EXPECT_TRUE(raw.starts_with("!") && raw.ends_with("\r\n") &&
                std::ranges::count(raw, '\n') == std::ranges::count(raw, '\r'))
        << "a title first, CR LF line ends";
    std::set<std::string> titles;
    bool dayMarks = false;
    for (const DictEntry& e : LoadDictionary(testing::Resource("dict.txt"))) {
        const auto paragraphs = std::ranges::count(e.Text, '\n');
        EXPECT_TRUE(titles.insert(e.Title).second && paragraphs >= 1 && paragraphs <= 3 &&
                    e.Text.find("\r\n\r\n") == std::string::npos)
            << e.Title << ": twice, or " << paragraphs << " paragraphs";
        // The window wraps each line to its width: a line must end where a paragraph ends.
        for (std::size_t from = 0, end; (end = e.Text.find("\r\n", from)) != std::string::npos;
             from = end + 2)
            EXPECT_TRUE(end == from || std::string(".!?)").find(e.Text[end - 1]) != std::string::npos)
                << e.Title << ": a line ends inside a sentence: " << e.Text.substr(from, end - from);
        dayMarks |= e.Text.find("\" Y\"") != std::string::npos && e.Text.find("\" T\"") != std::string::npos;
    }
    EXPECT_TRUE(dayMarks) << "no entry says what \" Y\" and \" T\" after a time mean";
    EXPECT_GE(titles.size(), 40u);
    for (const char* needed :
         {"Altitude", "Azimuth", "Refraction", "Transit", "Declination", "Right ascension", "Equinox",
          "Solstice", "Civil twilight", "Nautical twilight", "Astronomical twilight", "Polar day",
          "Polar night", "Hour zone", "Daylight saving time", "Day length"})
        EXPECT_EQ(titles.count(needed), 1u) << "no entry for " << needed;
}

}  // namespace
}  // namespace heliomark
