#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "data/data.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

using testing::Bytes;
using testing::ExpectRefused;
using testing::TempFolder;

CityRecord City(const std::string& name) {
    return {name, 0, 0, 26, "None"};
}

std::vector<std::string> Names(const CityList& cities) {
    std::vector<std::string> names;
    for (const auto& c : cities)
        names.push_back(c.Name);
    return names;
}

TEST(CityFile, ReadsHandWrittenBytesAndWritesThemBackIdentically) {
    Bytes b;
    b.I16(2);
    b.Name("Paris").F64(48.8566).F64(2.3522).I16(29).Name("EUROPE");
    b.Name("Z\xFCrich").F64(47.3769).F64(8.5417).I16(27).Name("None");
    ASSERT_EQ(b.v.size(), 2u + 2 * CityRecordSize);
    TempFolder folder;
    const auto file = folder / "city_db.txt";
    testing::WriteBytes(file, b.v);

    const CityList cities = LoadCities(file);
    ASSERT_EQ(cities.size(), 2u);
    const CityRecord& p = cities[0];
    EXPECT_EQ(std::tie(p.Name, p.Latitude, p.Longitude, p.ZoneIndex, p.DstName),
              std::make_tuple("Paris", 48.8566, 2.3522, 29, "EUROPE"));
    EXPECT_EQ(cities[1].Name, "Z\xC3\xBCrich");  // Latin-1 on disk, UTF-8 in memory

    const auto again = folder / "again.txt";
    SaveCities(again, cities);
    EXPECT_EQ(testing::ReadBytes(again), b.v);
}

TEST(CityFile, NamesOutsideLatin1AndTooLongAreStoredAsTheFieldAllows) {
    const CityList cities{
        {"\xC5\x81\xC3\xB3\x64\xC5\xBA", 51.76, 19.46, 28, "A very long rule name"}};  // Łódź
    Bytes expected;
    expected.I16(1)
        .Name(
            "?\xF3"
            "d?")
        .F64(51.76)
        .F64(19.46)
        .I16(28)
        .Name("A very long rul");
    EXPECT_EQ(SerializeCities(cities), expected.v);
}

TEST(CityFile, EmptyListAndTrailingBytes) {
    Bytes b;
    b.I16(0).Raw({1, 2, 3, 4, 5, 6, 7});
    EXPECT_TRUE(ParseCities("c", b.v.data(), b.v.size()).empty());
    Bytes one;
    one.I16(1).Name("Oslo").F64(59.9).F64(10.7).I16(27).Name("EU").Raw(std::vector<unsigned char>(47, 0xEE));
    EXPECT_EQ(ParseCities("c", one.v.data(), one.v.size()).size(), 1u);
}

TEST(CityFile, RefusesDamagedFiles) {
    auto record = [](Bytes& b, double lat, double lon, int zone) {
        b.Name("Somewhere").F64(lat).F64(lon).I16(zone).Name("None");
    };
    struct Case {
        const char* Name;
        Bytes Data;
        const char* Needle;
    };
    auto records = [&](int count, int whole) {
        Bytes b;
        b.I16(count);
        for (int i = 0; i < whole; ++i)
            record(b, 1, 1, 1);
        return b;
    };
    std::vector<Case> cases{
        {"empty file", {}, "empty"},
        {"one byte", Bytes().Raw({3}), "too short"},
        {"negative count", Bytes().I16(-5), "negative"},
        {"count larger than the file", records(32767, 1), "holds only 1 whole record"},
        {"last record one byte short", records(2, 1).Raw(std::vector<unsigned char>(47, 0)),
         "city 2 is cut short"},
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* Name;
        double Lat, Lon;
        int Zone;
        const char* Needle;
    } values[] = {
        {"latitude not a number", nan, 0, 0, "latitude nan"},
        {"latitude beyond the pole", 90.5, 0, 0, "latitude 90.5"},
        {"longitude infinite", 0, -inf, 0, "longitude -inf"},
        {"longitude beyond 180", 0, 181, 0, "longitude 181"},
        {"zone below the table", 0, 0, -1, "hour zone -1"},
        {"zone above the table", 0, 0, 75, "hour zone 75"},
    };
    for (const auto& v : values) {
        Bytes b;
        b.I16(1);
        record(b, v.Lat, v.Lon, v.Zone);
        cases.push_back({v.Name, b, v.Needle});
    }

    TempFolder folder;
    for (const Case& c : cases) {
        const auto file = folder / "city_db.txt";
        testing::WriteBytes(file, c.Data.v);
        ExpectRefused([&] { LoadCities(file); }, file, c.Needle, c.Name);
    }
    const auto missing = folder / "city_db.txt.missing";
    ExpectRefused([&] { LoadCities(missing); }, missing, "missing", "missing file");
    ExpectRefused([&] { LoadCities(folder.Path()); }, folder.Path(), "folder", "a folder");
}

TEST(CityFile, SaveLeavesNoStaleTailAndAFailedSaveKeepsTheOldFile) {
    TempFolder folder;
    const auto file = folder / "city_db.txt";
    SaveCities(file, {City("Berlin"), City("Paris"), City("Rome")});
    SaveCities(file, {City("Berlin")});
    EXPECT_EQ(testing::ReadBytes(file).size(), 2u + CityRecordSize);
    EXPECT_EQ(LoadCities(file).size(), 1u);

    const auto before = testing::ReadBytes(file);
    CityRecord bad = City("Nowhere");
    bad.ZoneIndex = 80;
    ExpectRefused([&] { SaveCities(file, {City("Berlin"), bad}); }, file, "city 2", "zone outside the table");
    EXPECT_EQ(testing::ReadBytes(file), before);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"city_db.txt"});
}

TEST(CityList, InsertKeepsTheOrderOfTheLowerCasedFields) {
    struct Case {
        std::vector<std::string> List;
        std::string Insert;
        std::vector<std::string> Expected;
    };
    const Case cases[] = {
        {{"Berlin", "Rome"}, "Paris", {"Berlin", "Paris", "Rome"}},
        {{"Berlin", "Rome"}, "Zurich", {"Berlin", "Rome", "Zurich"}},
        {{"Berlin", "Rome"}, "Athens", {"Athens", "Berlin", "Rome"}},
        {{"paris", "Rome"}, "PARIS", {"paris", "PARIS", "Rome"}},  // equal names: the new one after
        {{"Parish"}, "Paris", {"Paris", "Parish"}},                // padding sorts before letters
        {{"San Jose"}, "San-Jose", {"San Jose", "San-Jose"}},
        {{"Zagreb"}, "\xC3\x84lmhult", {"Zagreb", "\xC3\x84lmhult"}},  // Ä (0xC4 -> 0xE4) after z
        {{}, "Lima", {"Lima"}},
        {{}, "Llanfairpwllgwyngyll", {"Llanfairpwllgwy"}},  // cut to its 15-byte field
    };
    for (const Case& c : cases) {
        CityList cities;
        for (const auto& n : c.List)
            cities.push_back(City(n));
        InsertCitySorted(cities, City(c.Insert));
        EXPECT_EQ(Names(cities), c.Expected) << "inserting " << c.Insert;
    }
}

TEST(CityList, FindIsCaseBlindAndDoesNotTrimItsArgument) {
    const CityList cities{City("Berlin"), City("  Oslo "), City("\xC3\x89vora"), City("BERLIN")};
    struct Case {
        const char* Name;
        int Expected;
    };
    const Case cases[] = {
        {"berlin", 1},  {"BERLIN", 1}, {" Berlin", 0},
        {"Berlin ", 0}, {"oslo", 2},   {"\xC3\xA9VORA", 3},  // É and é are one letter
        {"Bern", 0},    {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindCity(cities, c.Name), c.Expected) << '"' << c.Name << '"';
}

TEST(CityList, Remove) {
    CityList cities{City("A"), City("B"), City("C")};
    RemoveCity(cities, 2);
    EXPECT_EQ(Names(cities), (std::vector<std::string>{"A", "C"}));
    EXPECT_THROW(RemoveCity(cities, 3), std::out_of_range);
    CityList one{City("Only")};
    RemoveCity(one, 1);
    EXPECT_TRUE(one.empty());
}

}  // namespace
}  // namespace heliomark
