// The data files Heliomark ships, loaded as the program loads them: a sanity check that catches a
// broken regeneration by tools/shipdata.

#include <set>

#include "data/dictionary.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

TEST(ShippedData, ListsAreOrderedUniqueConsistentAndComplete) {
    const CityList cities = LoadCities(testing::Resource("city_db.txt"));
    const DstRuleList rules = LoadDstRules(testing::Resource("dst_types.txt"));
    ASSERT_GE(cities.size(), 3000u);
    for (std::size_t i = 0; i < cities.size(); ++i) {
        const CityRecord& c = cities[i];
        EXPECT_TRUE(FindCity(cities, c.Name) == static_cast<int>(i + 1) && c.Name == TrimBlanks(c.Name) &&
                    (i == 0 || LowerCaseName(cities[i - 1].Name) <= LowerCaseName(c.Name)) &&
                    (c.DstName == "None" || FindDstRule(rules, c.DstName) > 0))
            << "city " << i + 1 << " " << c.Name << " (" << c.DstName << ") is out of order or not unique";
    }
    std::set<std::string> titles;
    for (const DictEntry& e : LoadDictionary(testing::Resource("dict.txt")))
        titles.insert(e.Title);
    EXPECT_TRUE(titles.size() >= 40 && titles.count("Daylight saving time")) << titles.size();
}

}  // namespace
}  // namespace heliomark
