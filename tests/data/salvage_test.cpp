// Lists cut short: a salvaging read keeps the whole records before the cut and says why the file
// is short, while a strict read still refuses the file and any other fault refuses it either way.
#include <gtest/gtest.h>

#include "data/data.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

using testing::Bytes;
using testing::TempFolder;

// `count` announced; `whole` whole records, then `extra` bytes of the next one.
Bytes CityFile(int count, int whole, std::size_t extra, double firstLatitude = 48.85) {
    Bytes b;
    b.I16(count);
    for (int i = 0; i < whole; ++i)
        b.Name("City" + std::to_string(i + 1))
            .F64(i == 0 ? firstLatitude : 10.0 * i)
            .F64(2.35)
            .I16(29)
            .Name("None");
    b.Raw(std::vector<unsigned char>(extra, 'x'));
    return b;
}

TEST(Salvage, ACityFileCutShortKeepsItsWholeRecords) {
    const struct {
        int Count, Whole;
        std::size_t Extra;
        std::size_t Kept;
        const char* What;
    } cases[] = {{5, 2, 20, 2, "cut inside the third city"},
                 {5, 3, 0, 3, "cut between two cities"},
                 {3, 0, 47, 0, "cut inside the first city"}};
    TempFolder folder;
    for (const auto& c : cases) {
        const auto file = folder / "city_db.txt";
        testing::WriteBytes(file, CityFile(c.Count, c.Whole, c.Extra).v);
        Salvage salvage;
        const CityList cities = LoadCities(file, &salvage);
        EXPECT_TRUE(salvage.CutShort) << c.What;
        ASSERT_EQ(cities.size(), c.Kept) << c.What;
        if (c.Kept > 1) {
            EXPECT_EQ(cities[1].Name, "City2") << c.What;
        }
        EXPECT_NE(salvage.Problem.find("city " + std::to_string(c.Whole + 1) + " is cut short"),
                  std::string::npos)
            << c.What << ": " << salvage.Problem;
        EXPECT_THROW(LoadCities(file), DataFileError) << c.What << ": the strict read";
    }
}

TEST(Salvage, AKeptCityIsCheckedAsInACompleteFile) {
    TempFolder folder;
    const auto file = folder / "city_db.txt";
    testing::WriteBytes(file, CityFile(4, 2, 10, 91.0).v);  // the first city's latitude is 91°
    Salvage salvage;
    testing::ExpectRefused([&] { LoadCities(file, &salvage); }, file, "latitude 91", "bad first city");
}

TEST(Salvage, AGoodFileIsReadTheSameWithOrWithoutSalvage) {
    TempFolder folder;
    const auto file = folder / "city_db.txt";
    testing::WriteBytes(file, CityFile(2, 2, 7).v);  // trailing bytes after the last record
    Salvage salvage;
    EXPECT_EQ(LoadCities(file, &salvage).size(), 2u);
    EXPECT_FALSE(salvage.CutShort);
    EXPECT_EQ(salvage.Problem, "");
}

// Two permanent rules and a variable one with one year; `cut` bytes are taken off the end.
std::vector<unsigned char> RuleFile(std::size_t cut) {
    Bytes b;
    b.I16(3);
    b.Name("EUROPE").I16(0).I16(1).I16(5).I16(3).I16(1).I16(5).I16(10).I16(0);
    b.Name("USA").I16(0).I16(1).I16(2).I16(3).I16(1).I16(1).I16(11).I16(0);
    b.Name("Chile").I16(1).I16(1).I16(2).I16(9).I16(1).I16(1).I16(4).I16(1).I32(1).I32(1);
    for (int copy = 0; copy < 2; ++copy)
        b.I16(2024).F64(45543).F64(45389);
    b.v.resize(b.v.size() - cut);
    return b.v;
}

TEST(Salvage, ARuleFileCutShortKeepsTheRulesBeforeTheCut) {
    const struct {
        std::size_t Cut;
        std::size_t Kept;
        const char* Needle;
    } cases[] = {{1, 2, "rule 3 (\"Chile\") is cut short"},            // in the last year entry
                 {18 + 18 + 8, 2, "rule 3 (\"Chile\") is cut short"},  // in the year list's header
                 {18 + 18 + 8 + 31 + 5, 1, "rule 2 is cut short"}};
    TempFolder folder;
    for (const auto& c : cases) {
        const auto file = folder / "dst_types.txt";
        testing::WriteBytes(file, RuleFile(c.Cut));
        Salvage salvage;
        const DstRuleList rules = LoadDstRules(file, &salvage);
        EXPECT_TRUE(salvage.CutShort) << "cut " << c.Cut;
        ASSERT_EQ(rules.size(), c.Kept) << "cut " << c.Cut;
        EXPECT_EQ(rules[0].Name, "EUROPE");
        EXPECT_NE(salvage.Problem.find(c.Needle), std::string::npos)
            << "cut " << c.Cut << ": " << salvage.Problem;
        EXPECT_THROW(LoadDstRules(file), DataFileError) << "cut " << c.Cut << ": the strict read";
    }
    Salvage none;
    testing::WriteBytes(folder / "whole.txt", RuleFile(0));
    EXPECT_EQ(LoadDstRules(folder / "whole.txt", &none).size(), 3u);
    EXPECT_FALSE(none.CutShort);
}

}  // namespace
}  // namespace heliomark
