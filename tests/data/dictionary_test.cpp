// dict.txt: entries, line ends, title order and the limits of the reader.
#include <gtest/gtest.h>

#include <random>

#include "data/data.h"
#include "data/dictionary.h"
#include "support/test_support.h"

using namespace heliomark;

namespace {

using heliomark::testing::TempFolder;
using heliomark::testing::WriteText;

std::vector<std::string> Titles(const DictEntryList& entries) {
    std::vector<std::string> titles;
    for (const auto& e : entries)
        titles.push_back(e.Title);
    return titles;
}

}  // namespace

TEST(Dictionary, SplitsEntriesAndEndsEveryTextLineWithCrLf) {
    struct Case {
        const char* name;
        std::string_view text;
        std::vector<std::pair<std::string, std::string>> expected;
    } cases[] = {
        {"CR LF file",
         "!Azimuth\r\nline one\r\nline two\r\n!Zenith\r\nup\r\n",
         {{"Azimuth", "line one\r\nline two\r\n"}, {"Zenith", "up\r\n"}}},
        {"LF file, last line without an end",
         "!Azimuth\nline one\nlast",
         {{"Azimuth", "line one\r\nlast\r\n"}}},
        {"lone CR ends", "!A\rx\ry\r", {{"A", "x\r\ny\r\n"}}},
        {"empty lines are text lines", "!A\r\n\r\nx\r\n\r\n", {{"A", "\r\nx\r\n\r\n"}}},
        {"lines before the first title are skipped", "preface\r\n\r\n!A\r\nx\r\n", {{"A", "x\r\n"}}},
        {"a '!' alone gives an empty title", "!\r\nx\r\n", {{"", "x\r\n"}}},
        {"title without text", "!A\r\n!B", {{"A", ""}, {"B", ""}}},
        {"'!' inside a line is text", "!A\r\nnot ! a title\r\n", {{"A", "not ! a title\r\n"}}},
        {"byte order mark", "\xEF\xBB\xBF!A\r\nx\r\n", {{"A", "x\r\n"}}},
        {"ISO-8859-1 file",
         "!\xC9quinoxe\r\nd\xE9j\xE0\r\n",
         {{"\xC3\x89quinoxe", "d\xC3\xA9j\xC3\xA0\r\n"}}},
        {"nothing but text", "no titles here\r\n", {}},
        {"empty file", "", {}},
    };
    for (const auto& c : cases) {
        const DictEntryList entries = ParseDictionary("dict.txt", c.text);
        ASSERT_EQ(entries.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].Title, c.expected[i].first) << c.name << ", entry " << i;
            EXPECT_EQ(entries[i].Text, c.expected[i].second) << c.name << ", entry " << i;
        }
    }
}

TEST(Dictionary, SortsByTitleCaseSensitivelyWithTheEmptyTitleFirst) {
    DictEntryList entries = ParseDictionary(
        "dict.txt",
        "!azimuth\r\na\r\n!Zenith\r\nz\r\n!\r\nnone\r\n!Altitude\r\nalt\r\n!\xC3\x89t\xC3\xA9\r\n");
    SortDictionary(entries);
    EXPECT_EQ(Titles(entries),
              (std::vector<std::string>{"", "Altitude", "Zenith", "azimuth", "\xC3\x89t\xC3\xA9"}));
    EXPECT_EQ(entries[0].Text, "none\r\n");  // whole entries move with their titles
    EXPECT_EQ(entries[3].Text, "a\r\n");
}

TEST(Dictionary, EqualTitlesEndWhereTheExchangeSortPutsThem) {
    // The literal exchange sort, as a reference for the order of entries that share a title.
    auto exchangeSort = [](DictEntryList list) {
        for (std::size_t i = 0; i + 1 < list.size(); ++i)
            for (std::size_t j = i + 1; j < list.size(); ++j)
                if (list[i].Title > list[j].Title) std::swap(list[i], list[j]);
        return list;
    };
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        DictEntryList list;
        const int n = 1 + static_cast<int>(random() % 40);
        for (int k = 0; k < n; ++k)
            list.push_back({std::string(1, static_cast<char>('a' + random() % 4)), std::to_string(k)});
        DictEntryList sorted = list;
        SortDictionary(sorted);
        const DictEntryList expected = exchangeSort(list);
        for (int k = 0; k < n; ++k) {
            ASSERT_EQ(sorted[k].Title, expected[k].Title) << "round " << round << ", position " << k;
            ASSERT_EQ(sorted[k].Text, expected[k].Text) << "round " << round << ", position " << k;
        }
    }
}

TEST(Dictionary, MissingFileGivesAnEmptyGlossaryAndBadFilesNameThemselves) {
    const TempFolder folder;
    EXPECT_TRUE(LoadDictionary(folder / "dict.txt").empty());

    WriteText(folder / "big.txt", std::string(MaxDictionaryBytes + 1, 'x'));
    std::string many;
    for (std::size_t k = 0; k <= MaxDictionaryEntries; ++k)
        many += "!t\n";
    WriteText(folder / "many.txt", many);
    for (const auto& file : {folder / "big.txt", folder / "many.txt", folder.Path()})
        heliomark::testing::ExpectRefused([&] { LoadDictionary(file); }, file, "", file.string());
}

TEST(Dictionary, IsReadOnceEvenWhenTheFileChangesOrIsMissing) {
    const TempFolder folder;
    const auto file = folder / "dict.txt";
    WriteText(file, "!b\r\ntwo\r\n!a\r\none\r\n");
    Dictionary dictionary;
    EXPECT_TRUE(EnsureDictionaryLoaded(dictionary, file));
    WriteText(file, "!c\r\nthree\r\n");
    EXPECT_FALSE(EnsureDictionaryLoaded(dictionary, file));
    EXPECT_EQ(Titles(dictionary.Entries), (std::vector<std::string>{"a", "b"}));

    Dictionary absent;
    EXPECT_TRUE(EnsureDictionaryLoaded(absent, folder / "none.txt"));
    WriteText(folder / "none.txt", "!late\r\n");
    EXPECT_FALSE(EnsureDictionaryLoaded(absent, folder / "none.txt"));
    EXPECT_TRUE(absent.Entries.empty());

    // A failed read leaves the glossary unread, so the next opening tries again.
    Dictionary failed;
    EXPECT_THROW(EnsureDictionaryLoaded(failed, folder.Path()), DataFileError);
    EXPECT_FALSE(failed.Loaded);
    EXPECT_TRUE(EnsureDictionaryLoaded(failed, file));
    EXPECT_EQ(Titles(failed.Entries), (std::vector<std::string>{"c"}));
}
