// Finding a place by typing part of its name: the search form of names and typed texts, and which
// names a typed text finds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/data.h"

namespace heliomark {
namespace {

TEST(NameSearch, KeysIgnoreCaseAccentsAndPunctuation) {
    const std::pair<const char*, const char*> cases[] = {
        {"S\xC3\x83O PAULO", "sao paulo"},                         // SÃO PAULO
        {"Sa\xCC\x83o", "sao"},                                    // a + combining tilde
        {"\xC5\x81\xC3\x93\x44\xC5\xB9", "lodz"},                  // ŁÓDŹ
        {"Stra\xC3\x9F\x65", "strasse"},                           // Straße
        {"Bra\xC8\x99ov", "brasov"},                               // Brașov, s with comma below
        {"Winston-Salem", "winston salem"},                        // a hyphen reads as a blank
        {"St. Pete", "st pete"},                                   // dots go
        {"Ta\xE2\x80\x99izz", "taizz"},                            // Ta’izz: apostrophes go
        {"  New   York ", "new york "},                            // no leading blank, runs as one
        {"\xE6\x9D\xB1\xE4\xBA\xAC", "\xE6\x9D\xB1\xE4\xBA\xAC"},  // 東京 stays
        {"Bad\xFFName", "bad\xFFname"},                            // an invalid byte stays
    };
    for (const auto& [text, key] : cases)
        EXPECT_EQ(SearchKey(text), key) << "key of \"" << text << '"';
}

TEST(NameSearch, TypedTextFindsTheNamesContainingIt) {
    std::vector<std::string> keys;  // in list order
    for (const char* name : {"New York", "Newark", "Osasco", "Sao Paulo", "Sao Tome", "St. Pete", "York",
                             "Yorkton", "Z\xC3\xBCrich", "Winston-Salem"})
        keys.push_back(SearchKey(name));
    const struct {
        const char* Typed;
        std::vector<int> Found;  // positions, in list order
        int Best;                // offered first
    } cases[] = {
        {"york", {0, 6, 7}, 6},   // the name itself before one that begins with it
        {"sao", {3, 4}, 3},       // the first that begins with it
        {"sa", {2, 3, 4, 9}, 3},  // Osasco has it inside, Sao Paulo begins with it
        {"salem", {9}, 9},        // a word that begins with it
        {"rk", {0, 1, 6, 7}, 0},  // only inside names: the first
        {"Z\xC3\x9CR", {8}, 8},   // ZÜR: case and accents ignored
        {"st. pete", {5}, 5},     // punctuation may be typed or not
        {"xyz", {}, -1},
        {"", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, -1},  // nothing typed: every name, none offered
    };
    for (const auto& c : cases) {
        const NameMatches m = FindNamesContaining(keys, c.Typed);
        EXPECT_EQ(m.Positions, c.Found) << "typing \"" << c.Typed << '"';
        EXPECT_EQ(m.Best, c.Best) << "typing \"" << c.Typed << '"';
    }
}

}  // namespace
}  // namespace heliomark
