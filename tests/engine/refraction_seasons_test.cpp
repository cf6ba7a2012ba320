// The refraction table file and lookup, and the seasons.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

#include "engine/engine.h"

using namespace heliomark;
namespace fs = std::filesystem;

namespace {

fs::path TempFile(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / "heliomark_engine_test";
    fs::create_directories(dir);
    return dir / name;
}

void WriteTable(const fs::path& file, const std::vector<double>& numbers, std::size_t extraBytes = 0) {
    std::vector<unsigned char> bytes;
    for (double v : numbers) {
        uint64_t bits;
        std::memcpy(&bits, &v, 8);
        for (int i = 0; i < 8; ++i)
            bytes.push_back(static_cast<unsigned char>(bits >> (8 * i)));
    }
    bytes.resize(bytes.size() + extraBytes, 0xAB);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

RefractionTable IdentityTable() {
    RefractionTable t;
    for (int i = 0; i < 139; ++i)
        t.Key[i] = t.Value[i] = -0.05 + i * 0.0115;
    return t;
}

std::string OleText(double ole) {
    const int minutes = static_cast<int>(std::lround(OleTimePart(ole) * 1440));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", YearOf(ole), MonthOf(ole), DayOf(ole),
                  minutes / 60, minutes % 60);
    return buf;
}

}  // namespace

TEST(Refraction, LookupInterpolatesAndExtendsTheEndSegments) {
    RefractionTable t = IdentityTable();
    for (double x : {-1.0, -0.05, 0.0, 0.3, 1.5527, 3.0})
        EXPECT_NEAR(RefractionLookup(t, x), x, 1e-12) << x;

    for (int i = 0; i < 139; ++i)
        t.Value[i] = t.Key[i] * 2 + (i >= 69 ? 1 : 0);
    EXPECT_DOUBLE_EQ(RefractionLookup(t, t.Key[138]), t.Value[138]);  // exactly the last key
    // Below the first key the first pair's line goes on.
    EXPECT_DOUBLE_EQ(RefractionLookup(t, t.Key[0] - 1), t.Value[0] - 2);
    // A key equal to x interpolates from that pair upward: at the step the upper line is used.
    EXPECT_DOUBLE_EQ(RefractionLookup(t, t.Key[69]), t.Value[69]);
}

TEST(Refraction, ShippedTableLiftsTheHorizonByAboutHalfADegree) {
    const RefractionTable t = LoadRefractionTable(fs::path(HELIOMARK_SOURCE_DIR) / "resources" / "refs.txt");
    EXPECT_NEAR(RadToDeg(RefractionLookup(t, 0)) * 60, 29, 1.5);  // Saemundsson: about 29' at h = 0
    EXPECT_NEAR(RadToDeg(RefractionLookup(t, DegToRad(45)) - DegToRad(45)) * 60, 1.0, 0.05);
    EXPECT_NEAR(RefractionLookup(t, HalfPi), HalfPi, 1e-6);
    for (int i = 1; i < 139; ++i) {
        EXPECT_GT(t.Key[i], t.Key[i - 1]);
        EXPECT_GT(t.Value[i] - t.Key[i], -1e-9);  // refraction only lifts the Sun
    }
}

TEST(Refraction, FileErrorsNameTheFile) {
    const fs::path missing = TempFile("no_such_refs.txt");
    fs::remove(missing);
    try {
        LoadRefractionTable(missing);
        FAIL() << "a missing file must not load";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.File, missing);
        EXPECT_NE(std::string(e.what()).find("no_such_refs.txt"), std::string::npos);
    }

    std::vector<double> numbers;
    for (int i = 0; i < 139; ++i) {
        numbers.push_back(i * 0.01);
        numbers.push_back(i * 0.01 + 0.001);
    }
    const fs::path file = TempFile("refs.txt");
    WriteTable(file, std::vector<double>(numbers.begin(), numbers.end() - 1));  // 2216 bytes
    EXPECT_THROW(LoadRefractionTable(file), DataFileError);
    WriteTable(file, {});
    EXPECT_THROW(LoadRefractionTable(file), DataFileError);

    auto unordered = numbers;
    std::swap(unordered[20], unordered[22]);
    WriteTable(file, unordered);
    EXPECT_THROW(LoadRefractionTable(file), DataFileError);
    auto notANumber = numbers;
    notANumber[7] = std::nan("");
    WriteTable(file, notANumber);
    EXPECT_THROW(LoadRefractionTable(file), DataFileError);

    WriteTable(file, numbers, 100);  // trailing bytes are ignored
    const RefractionTable t = LoadRefractionTable(file);
    EXPECT_EQ(t.Key[138], numbers[276]);
    EXPECT_EQ(t.Value[0], 0.001);
}

TEST(Seasons, EventsOf2024InUniversalTime) {
    const Seasons s = ComputeSeasons(2024, 15, 0, 0, 0, false);
    ASSERT_TRUE(s.Vernal && s.Summer && s.Autumnal && s.Winter);
    // True instants: 20 Mar 03:06, 20 Jun 20:51, 22 Sep 12:44, 21 Dec 09:21 UT.
    EXPECT_EQ(OleText(*s.Vernal).substr(0, 13), "2024-03-20 03");
    EXPECT_EQ(OleText(*s.Summer).substr(0, 13), "2024-06-20 20");
    EXPECT_EQ(OleText(*s.Autumnal).substr(0, 13), "2024-09-22 12");
    EXPECT_EQ(OleText(*s.Winter).substr(0, 13), "2024-12-21 09");
}

TEST(Seasons, OnlyTheAskedEventsAreComputed) {
    const Seasons s = ComputeSeasons(2024, 2 | 8, 0, 0, 0, false);
    EXPECT_FALSE(s.Vernal.has_value());
    EXPECT_TRUE(s.Summer.has_value());
    EXPECT_FALSE(s.Autumnal.has_value());
    EXPECT_TRUE(s.Winter.has_value());
}

TEST(Seasons, ZoneAndDaylightSavingHour) {
    const double start = DateSerial(2024, 3, 31), end = DateSerial(2024, 10, 27);
    const Seasons plain = ComputeSeasons(2024, 2, 3, start, end, false);
    const Seasons dst = ComputeSeasons(2024, 2, 3, start, end, true);
    EXPECT_EQ(OleText(*plain.Summer).substr(0, 13), "2024-06-20 23");
    // One hour more moves 23:xx past midnight into 21 June.
    EXPECT_EQ(OleText(*dst.Summer).substr(0, 13), "2024-06-21 00");
    // A zone behind UT moves the March equinox back across midnight.
    const Seasons west = ComputeSeasons(2024, 1, -5, 0, 0, false);
    EXPECT_EQ(OleText(*west.Vernal).substr(0, 13), "2024-03-19 22");
    // A southern period (October to April) wraps the year and does not cover June.
    const Seasons south =
        ComputeSeasons(2024, 2 | 8, 10, DateSerial(2024, 10, 6), DateSerial(2024, 4, 7), true);
    EXPECT_EQ(OleText(*south.Summer).substr(0, 13), "2024-06-21 06");
    EXPECT_EQ(OleText(*south.Winter).substr(0, 13), "2024-12-21 20");  // 09:2x UT + 10 h + DST
}

TEST(Seasons, YearsFarFromThePresentGiveNoValueInsteadOfGarbage) {
    int found = 0, missing = 0;
    for (int year : {100, 1000, 1500, 3000, 5000, 9999}) {
        const Seasons s = ComputeSeasons(year, 15, 0, 0, 0, false);
        for (const auto* v : {&s.Vernal, &s.Summer, &s.Autumnal, &s.Winter}) {
            if (!v->has_value()) {
                ++missing;
                continue;
            }
            ++found;
            EXPECT_EQ(YearOf(**v), year);
        }
    }
    EXPECT_GT(missing, 0);
    for (int year = 1800; year <= 2150; year += 10) {
        const Seasons s = ComputeSeasons(year, 15, 0, 0, 0, false);
        EXPECT_TRUE(s.Vernal && s.Summer && s.Autumnal && s.Winter) << year;
    }
}
