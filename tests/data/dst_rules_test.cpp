#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data/data.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

using testing::Bytes;
using testing::ExpectRefused;
using testing::TempFolder;

struct Ymd {
    int Year, Month, Day;
};
double D(Ymd d) {
    return DateSerial(d.Year, d.Month, d.Day);
}

// A permanent rule (EUROPE: last Sunday of March to last Sunday of October), then a variable rule
// whose permanent fields also hold values, with two years.
Bytes HandWrittenRules() {
    Bytes b;
    b.I16(2);
    b.Name("EUROPE").I16(0).I16(1).I16(5).I16(3).I16(1).I16(5).I16(10).I16(0);
    b.Name("Chile").I16(2).I16(1).I16(2).I16(9).I16(1).I16(1).I16(4).I16(1).I32(2).I32(1);
    for (int copy = 0; copy < 2; ++copy) {
        b.I16(2023).F64(D({2023, 9, 3})).F64(D({2023, 4, 2}));
        b.I16(2024).F64(D({2024, 9, 8})).F64(D({2024, 4, 7}));
    }
    return b;
}

TEST(DstFile, ReadsHandWrittenBytesAndWritesThemBackIdentically) {
    const Bytes bytes = HandWrittenRules();
    ASSERT_EQ(bytes.v.size(), 2u + 31 + (31 + 8 + 18 * 2 + 18 * 2));
    TempFolder folder;
    const auto file = folder / "dst_types.txt";
    testing::WriteBytes(file, bytes.v);

    const DstRuleList rules = LoadDstRules(file);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0].Name, "EUROPE");
    EXPECT_TRUE(rules[0].Years.empty());
    EXPECT_EQ(rules[0].Start.Weekday, 1);
    EXPECT_EQ(rules[0].Start.Ordinal, 5);
    EXPECT_EQ(rules[0].Start.Month, 3);
    EXPECT_EQ(rules[0].End.Month, 10);
    EXPECT_EQ(rules[1].Name, "Chile");
    ASSERT_EQ(rules[1].Years.size(), 2u);
    EXPECT_EQ(rules[1].Years[1].Year, 2024);
    EXPECT_EQ(rules[1].Years[1].StartDate, D({2024, 9, 8}));
    EXPECT_EQ(rules[1].Years[1].EndDate, D({2024, 4, 7}));
    EXPECT_EQ(rules[1].Start.Month, 9);

    const auto again = folder / "again.txt";
    SaveDstRules(again, rules);
    EXPECT_EQ(testing::ReadBytes(again), bytes.v);
    EXPECT_EQ(SerializeDstRules(rules), bytes.v);
}

TEST(DstFile, UsesTheSecondCopyOfTheYearsAndIgnoresTrailingBytes) {
    Bytes b;
    b.I16(1).Name("X").I16(1).I16(0).I16(0).I16(0).I16(0).I16(0).I16(0).I16(1).I32(1).I32(1);
    b.I16(1999).F64(1).F64(2);                                 // embedded copy
    b.I16(2020).F64(D({2020, 3, 29})).F64(D({2020, 10, 25}));  // the copy that counts
    b.Raw({0xFF, 0xFF, 0x80, 0x00, 0x12});                     // trailing bytes
    const DstRuleList rules = ParseDstRules("dst_types.txt", b.v.data(), b.v.size());
    ASSERT_EQ(rules.size(), 1u);
    ASSERT_EQ(rules[0].Years.size(), 1u);
    EXPECT_EQ(rules[0].Years[0].Year, 2020);
    EXPECT_EQ(rules[0].Years[0].StartDate, D({2020, 3, 29}));
}

TEST(DstFile, ZeroRulesAndLatin1Names) {
    Bytes empty;
    empty.I16(0);
    EXPECT_TRUE(ParseDstRules("d", empty.v.data(), empty.v.size()).empty());

    Bytes b;
    b.I16(1).Name("S\xE3o Paulo").I16(0).I16(1).I16(3).I16(10).I16(1).I16(3).I16(2).I16(0);
    const DstRuleList rules = ParseDstRules("d", b.v.data(), b.v.size());
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].Name, "S\xC3\xA3o Paulo");
    EXPECT_EQ(SerializeDstRules(rules), b.v);
}

TEST(DstFile, RefusesDamagedFiles) {
    // `count` rules, the first one holding `yearCount` years with `dims` dimensions of embedded list.
    auto rule = [](int count, int yearCount, int dims) {
        Bytes b;
        b.I16(count).Name("R").I16(yearCount).I16(1).I16(5).I16(3).I16(1).I16(5).I16(10).I16(dims);
        return b;
    };
    auto entries = [](Bytes b, int n) {
        for (int i = 0; i < n; ++i)
            b.I16(2000 + i).F64(36000).F64(36100);
        return b;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* Name;
        Bytes Data;
        const char* Needle;
    } cases[] = {
        {"empty file", {}, "empty"},
        {"one byte", Bytes().Raw({1}), "too short"},
        {"negative count", Bytes().I16(-1), "negative"},
        {"count larger than the file", rule(32767, 0, 0), "cannot hold"},
        {"two dimensions", rule(1, 0, 2), "2 dimensions"},
        {"negative dimensions", rule(1, 0, -1), "-1 dimensions"},
        {"years without embedded list", entries(rule(1, 2, 0), 2), "no embedded year list"},
        {"embedded count disagrees", entries(rule(1, 2, 1).I32(3).I32(1), 5), "embedded year list of 3"},
        {"lower bound 0", entries(rule(1, 1, 1).I32(1).I32(0), 2), "index 0"},
        {"negative year count", rule(1, -3, 1).I32(-3).I32(1), "negative year count"},
        {"embedded list cut short", entries(rule(1, 2, 1).I32(2).I32(1), 1), "cut short"},
        {"second copy cut short", entries(rule(1, 2, 1).I32(2).I32(1), 3).Raw({1, 2, 3}), "cut short"},
        {"second rule cut short", entries(rule(2, 1, 1).I32(1).I32(1), 2).Name("second"),
         "rule 2 is cut short"},
        {"date not a number", entries(rule(1, 1, 1).I32(1).I32(1), 1).I16(2000).F64(nan).F64(1), "not a day"},
        {"date far beyond the calendar", entries(rule(1, 1, 1).I32(1).I32(1), 1).I16(2000).F64(1).F64(1e300),
         "not a day"},
    };

    TempFolder folder;
    for (const auto& c : cases) {
        const auto file = folder / "dst_types.txt";
        testing::WriteBytes(file, c.Data.v);
        ExpectRefused([&] { LoadDstRules(file); }, file, c.Needle, c.Name);
    }
    const auto missing = folder / "missing.txt";
    ExpectRefused([&] { LoadDstRules(missing); }, missing, "missing", "missing file");
}

TEST(DstFile, ReadsAtMostFourMegabytes) {
    TempFolder folder;
    const auto file = folder / "dst_types.txt";
    Bytes small;
    small.I16(1).Name("EU").I16(0).I16(1).I16(5).I16(3).I16(1).I16(5).I16(10).I16(0);
    small.Raw(std::vector<unsigned char>(5u << 20, 0x5A));  // trailing bytes past the limit
    testing::WriteBytes(file, small.v);
    EXPECT_EQ(LoadDstRules(file).size(), 1u);

    // Five rules of 32767 years each are valid counts but 5.9 MB of bytes.
    Bytes big;
    big.I16(5);
    for (int r = 0; r < 5; ++r) {
        big.Name("R").I16(32767).I16(0).I16(0).I16(0).I16(0).I16(0).I16(0).I16(1).I32(32767).I32(1);
        for (int copy = 0; copy < 2; ++copy) {
            for (int y = 0; y < 32767; ++y)
                big.I16(y).F64(1).F64(2);
        }
    }
    testing::WriteBytes(file, big.v);
    ExpectRefused([&] { LoadDstRules(file); }, file, "larger than the 4194304 bytes", "over the limit");
}

TEST(DstFile, SaveReplacesALongerFileAndAFailedSaveKeepsTheOldOne) {
    TempFolder folder;
    const auto file = folder / "dst_types.txt";
    testing::WriteBytes(file, std::vector<unsigned char>(500, 0xAB));
    DstRuleList rules{{"EU", {1, 5, 3}, {1, 5, 10}, {}}};
    SaveDstRules(file, rules);
    EXPECT_EQ(testing::ReadBytes(file).size(), 2u + 31);

    const auto before = testing::ReadBytes(file);
    rules.push_back({"Bad", {}, {}, {{2024, std::numeric_limits<double>::infinity(), 1}}});
    ExpectRefused([&] { SaveDstRules(file, rules); }, file, "rule 2", "unsaveable date");
    EXPECT_EQ(testing::ReadBytes(file), before);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"dst_types.txt"});

    const auto nowhere = folder / "no-such-folder" / "dst_types.txt";
    ExpectRefused([&] { SaveDstRules(nowhere, DstRuleList{}); }, nowhere, "temporary", "missing folder");
}

TEST(DstRules, RuleDayToDate) {
    struct Case {
        DstRuleDay Day;
        int Year;
        Ymd Expected;
    };
    const Case cases[] = {
        {{1, 5, 3}, 2024, {2024, 3, 31}},    // last Sunday of March
        {{1, 5, 10}, 2024, {2024, 10, 27}},  // last Sunday of October
        {{1, 1, 4}, 2024, {2024, 4, 7}},     // first Sunday of April
        {{1, 2, 3}, 2024, {2024, 3, 10}},    // second Sunday of March
        {{1, 1, 10}, 2024, {2024, 10, 6}},   // month starting on a Tuesday
        {{7, 1, 6}, 2024, {2024, 6, 1}},     // the month's first day is the weekday itself
        {{1, 4, 2}, 2026, {2026, 2, 22}},    // fourth Sunday of a February starting on Sunday
        {{2, 5, 12}, 2025, {2025, 12, 29}},  // last Monday of December (month + 1 = 13 carries)
        {{6, 9, 2}, 2024, {2024, 2, 23}},    // any ordinal of 5 or more means last; leap February
        {{1, 5, 0}, 2024, {2023, 12, 31}},   // month 0 is December of the year before
        {{1, 1, 0}, 2024, {2023, 12, 3}},
        {{1, 1, 13}, 2024, {2025, 1, 5}},  // month 13 is January of the next year
        {{1, 5, 13}, 2024, {2025, 1, 26}},
        {{1, 0, 3}, 2024, {2024, 2, 25}},  // ordinal 0: the week before the first, no range check
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RuleDayToDate(c.Day, c.Year), D(c.Expected))
            << "weekday " << c.Day.Weekday << " ordinal " << c.Day.Ordinal << " month " << c.Day.Month
            << " of " << c.Year << " should be " << c.Expected.Year << "-" << c.Expected.Month << "-"
            << c.Expected.Day;
    }
}

TEST(DstRules, PeriodIncludesTheStartDayAndExcludesTheEndDay) {
    const DstRule europe{"EU", {1, 5, 3}, {1, 5, 10}, {}};
    const DstRule southern{"South", {1, 1, 10}, {1, 1, 4}, {}};  // first Sunday of October to of April
    struct Case {
        const DstRule* Rule;
        Ymd Date;
        bool Expected;
    };
    const Case cases[] = {
        {&europe, {2024, 3, 30}, false},  {&europe, {2024, 3, 31}, true},
        {&europe, {2024, 10, 26}, true},  {&europe, {2024, 10, 27}, false},
        {&europe, {2024, 1, 1}, false},   {&southern, {2024, 1, 15}, true},
        {&southern, {2024, 4, 6}, true},  {&southern, {2024, 4, 7}, false},
        {&southern, {2024, 7, 1}, false}, {&southern, {2024, 10, 5}, false},
        {&southern, {2024, 10, 6}, true}, {&southern, {2024, 12, 31}, true},
    };
    for (const Case& c : cases) {
        const auto period = DstPeriodForYear(*c.Rule, c.Date.Year);
        ASSERT_TRUE(period.has_value());
        EXPECT_EQ(InDstPeriod(D(c.Date), period->Start, period->End), c.Expected)
            << c.Rule->Name << " on " << c.Date.Year << "-" << c.Date.Month << "-" << c.Date.Day;
    }
}

TEST(DstRules, VariableFormatUsesTheYearsEntryOrGivesNoPeriod) {
    DstRule rule{"V", {1, 5, 3}, {1, 5, 10}, {}};
    rule.Years = {{2023, D({2023, 3, 26}), D({2023, 10, 29})}, {2024, D({2024, 4, 1}), D({2024, 9, 1})}};
    const auto period = DstPeriodForYear(rule, 2024);
    ASSERT_TRUE(period.has_value());
    EXPECT_EQ(period->Start, D({2024, 4, 1}));  // the entry, not the permanent fields
    EXPECT_EQ(period->End, D({2024, 9, 1}));
    EXPECT_FALSE(DstPeriodForYear(rule, 2025).has_value());
}

TEST(DstRules, LookupsAppendAndRemove) {
    DstRuleList rules;
    AppendDstRule(rules, {"EUROPE", {}, {}, {}});
    AppendDstRule(rules, {"  USA", {}, {}, {}});
    AppendDstRule(rules, {"EUROPE", {}, {}, {}});
    AppendDstRule(rules, {"A name far longer than fifteen", {}, {}, {}});
    EXPECT_EQ(rules[3].Name, "A name far long");

    EXPECT_EQ(FindDstRule(rules, "Europe"), 1);  // first of two equal names
    EXPECT_EQ(FindDstRule(rules, "usa"), 2);     // stored name trimmed
    EXPECT_EQ(FindDstRule(rules, " usa"), 0);    // argument not trimmed
    EXPECT_EQ(FindDstRule(rules, "Europe "), 0);
    EXPECT_EQ(FindDstRule(rules, "None"), 0);

    RemoveDstRule(rules, 1);
    EXPECT_EQ(FindDstRule(rules, "europe"), 2);
    EXPECT_THROW(RemoveDstRule(rules, 0), std::out_of_range);
    EXPECT_THROW(RemoveDstRule(rules, 4), std::out_of_range);

    DstRule v{"V", {}, {}, {{2020, 1, 2}, {2021, 3, 4}, {2020, 5, 6}}};
    EXPECT_EQ(FindDstYear(v, 2020), 1);
    EXPECT_EQ(FindDstYear(v, 2021), 2);
    EXPECT_EQ(FindDstYear(v, 2022), 0);
    RemoveDstYear(v, 1);
    EXPECT_EQ(FindDstYear(v, 2020), 2);
    EXPECT_EQ(FindDstYear(DstRule{}, 2020), 0);
}

}  // namespace
}  // namespace heliomark
