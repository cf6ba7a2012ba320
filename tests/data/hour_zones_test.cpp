#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "data/data.h"

namespace heliomark {
namespace {

TEST(HourZones, OffsetsAndShortTexts) {
    const struct {
        int Position;
        double Offset;
        const char* Short;
    } cases[] = {
        {0, -12, "GMT-12:00"}, {18, -3.5, "GMT-03:30"}, {25, 0, "GMT"},          {26, 0, "GMT"},
        {27, 1, "GMT+01:00"},  {42, 3.5, "GMT+03:30"},  {49, 5.75, "GMT+05:45"}, {74, 13, "GMT+13:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HourZoneOffset(c.Position), c.Offset) << "position " << c.Position;
        EXPECT_EQ(HourZoneShortText(c.Position), c.Short) << "position " << c.Position;
    }
    EXPECT_EQ(HourZoneText(DefaultZoneIndex), "(GMT) Casablanca, Monrovia");
    EXPECT_EQ(HourZoneText(26), "(GMT) Greenwich Mean Time: Dublin, Edinburgh, Lisbon, London");
    EXPECT_EQ(HourZoneText(20), "(GMT-03:00) Buenos Aires, Geogretown");
    EXPECT_EQ(HourZoneText(74), "(GMT+13:00) Nuku'alofa");
}

// Every entry agrees with the text shown to the user: the short text is the bracket's content,
// the offset is what that content says, and the list is in ascending order of offset.
TEST(HourZones, TableIsConsistentWithItsTexts) {
    std::set<int> fractional;
    double previous = -100;
    for (int i = 0; i < HourZoneCount; ++i) {
        const std::string text(HourZoneText(i));
        const auto close = text.find(") ");
        ASSERT_NE(close, std::string::npos) << text;
        ASSERT_EQ(text[0], '(') << text;
        EXPECT_EQ(HourZoneShortText(i), text.substr(1, close - 1)) << text;
        const double offset = HourZoneOffset(i);
        if (close > 4) {
            const int hours = std::stoi(text.substr(5, 2));
            const int minutes = std::stoi(text.substr(8, 2));
            EXPECT_EQ(std::abs(offset), hours + minutes / 60.0) << text;
            EXPECT_EQ(offset < 0, text[4] == '-') << text;
        }
        EXPECT_GE(offset, previous) << text;
        previous = offset;
        if (offset != static_cast<int>(offset)) fractional.insert(i);
    }
    EXPECT_EQ(fractional, (std::set<int>{18, 42, 45, 48, 49, 53, 64, 65}));
    EXPECT_THROW(HourZoneOffset(-1), std::out_of_range);
    EXPECT_THROW(HourZoneText(HourZoneCount), std::out_of_range);
}

}  // namespace
}  // namespace heliomark
