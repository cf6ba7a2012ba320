// The shipped glossary reads as paragraphs: the dictionary window wraps each line to its width, so
// a line of dict.txt must end where a paragraph ends, never in the middle of a sentence.
#include <gtest/gtest.h>

#include <string>

#include "data/dictionary.h"

namespace heliomark {
namespace {

DictEntryList Shipped() {
    return LoadDictionary(std::filesystem::path(HELIOMARK_SOURCE_DIR) / "resources" / "dict.txt");
}

TEST(ShippedDictionary, EveryLineIsAWholeParagraph) {
    const DictEntryList entries = Shipped();
    ASSERT_FALSE(entries.empty());
    for (const DictEntry& entry : entries) {
        std::size_t from = 0;
        for (std::size_t end; (end = entry.Text.find("\r\n", from)) != std::string::npos; from = end + 2) {
            const std::string line = entry.Text.substr(from, end - from);
            if (line.empty()) continue;  // a break between two paragraphs
            EXPECT_NE(std::string(".!?)").find(line.back()), std::string::npos)
                << entry.Title << ": a line ends inside a sentence: " << line;
        }
    }
}

TEST(ShippedDictionary, ExplainsTheDayMarksOfTheEventTimes) {
    const DictEntryList entries = Shipped();
    bool found = false;
    for (const DictEntry& entry : entries) {
        if (entry.Text.find("\" Y\"") != std::string::npos && entry.Text.find("\" T\"") != std::string::npos)
            found = true;
    }
    EXPECT_TRUE(found) << "no entry says what \" Y\" and \" T\" after a time mean";
}

}  // namespace
}  // namespace heliomark
