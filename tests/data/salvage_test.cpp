// Lists cut short: a salvaging read keeps the whole records before the cut, each checked as usual,
// while a strict read still refuses the file.
#include <gtest/gtest.h>

#include "data/data.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

using testing::Bytes;

TEST(Salvage, ACityFileCutShortKeepsItsWholeRecords) {
    const struct {
        int Count, Whole;
        double FirstLatitude;
        int Kept;  // -1: refused
        const char* What;
    } cases[] = {{5, 2, 48.85, 2, "cut inside the third city"},
                 {3, 0, 48.85, 0, "cut inside the first city"},
                 {4, 2, 91.0, -1, "a kept city with latitude 91 is refused as ever"}};
    testing::TempFolder folder;
    for (const auto& c : cases) {
        Bytes b;
        b.I16(c.Count);
        for (int i = 0; i < c.Whole; ++i)
            b.Name("City" + std::to_string(i + 1))
                .F64(i == 0 ? c.FirstLatitude : 10)
                .F64(2.35)
                .I16(29)
                .Name("None");
        b.Raw(std::vector<unsigned char>(20, 'x'));
        testing::WriteBytes(folder / "city_db.txt", b.v);
        EXPECT_THROW(LoadCities(folder / "city_db.txt"), DataFileError) << c.What << ": the strict read";
        Salvage salvage;
        if (c.Kept < 0) {
            EXPECT_THROW(LoadCities(folder / "city_db.txt", &salvage), DataFileError) << c.What;
            continue;
        }
        EXPECT_EQ(LoadCities(folder / "city_db.txt", &salvage).size(), static_cast<std::size_t>(c.Kept))
            << c.What;
        EXPECT_NE(salvage.Problem.find("city " + std::to_string(c.Whole + 1) + " is cut short"),
                  std::string::npos)
            << c.What << ": " << salvage.Problem;
    }
}

TEST(Salvage, ARuleFileCutShortKeepsTheRulesBeforeTheCut) {
    Bytes b;  // two permanent rules, then a variable one with one year (18 + 18 bytes at the end)
    b.I16(3);
    b.Name("EUROPE").I16(0).I16(1).I16(5).I16(3).I16(1).I16(5).I16(10).I16(0);
    b.Name("USA").I16(0).I16(1).I16(2).I16(3).I16(1).I16(1).I16(11).I16(0);
    b.Name("Chile").I16(1).I16(1).I16(2).I16(9).I16(1).I16(1).I16(4).I16(1).I32(1).I32(1);
    for (int copy = 0; copy < 2; ++copy)
        b.I16(2024).F64(45543).F64(45389);
    const struct {
        std::size_t Cut, Kept;
        const char* Problem;
    } cases[] = {{0, 3, ""},
                 {1, 2, "rule 3 (\"Chile\") is cut short"},
                 {18 + 18 + 8 + 31 + 5, 1, "rule 2 is cut short"}};
    testing::TempFolder folder;
    for (const auto& c : cases) {
        testing::WriteBytes(folder / "dst_types.txt",
                            std::vector<unsigned char>(b.v.begin(), b.v.end() - c.Cut));
        Salvage salvage;
        EXPECT_EQ(LoadDstRules(folder / "dst_types.txt", &salvage).size(), c.Kept) << "cut " << c.Cut;
        EXPECT_EQ(salvage.Problem.substr(0, std::string(c.Problem).size()), c.Problem) << "cut " << c.Cut;
        EXPECT_EQ(salvage.CutShort, c.Cut > 0) << "cut " << c.Cut;
    }
}

}  // namespace
}  // namespace heliomark
