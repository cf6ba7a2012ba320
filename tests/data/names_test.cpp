#include <gtest/gtest.h>

#include <string>

#include "data/data.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

std::string Field(const std::string& utf8) {
    const auto f = EncodeName(utf8);
    return std::string(f.begin(), f.end());
}

TEST(Names, EncodeToFifteenLatin1Bytes) {
    const struct {
        const char* Utf8;
        const char* Latin1;
    } cases[] = {
        {"Paris", "Paris          "},
        {"", "               "},
        {"Z\xC3\xBCrich", "Z\xFCrich         "},                 // ü is one Latin-1 byte
        {"\xC3\xBF\xC3\x80", "\xFF\xC0             "},           // ÿ and À, ends of Latin-1
        {"\xE2\x82\xAC 5 \xF0\x9F\x98\x80", "? 5 ?          "},  // € and an emoji: '?'
        {"\xC5\x81\xC3\xB3\x64\xC5\xBA",
         "?\xF3"
         "d?           "},                            // Łódź
        {"Bad\xFF\xC3x", "Bad??x         "},          // invalid UTF-8 bytes: '?' each
        {"\xE0\x80\xAF", "???            "},          // overlong '/', not a slash
        {"Llanfairpwllgwyngyll", "Llanfairpwllgwy"},  // cut to the field
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9xxxxxxxxx",
         "\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9xxxxxxx"},  // characters, not bytes, count
    };
    for (const auto& c : cases)
        EXPECT_EQ(Field(c.Utf8), c.Latin1) << "encoding \"" << c.Utf8 << '"';
}

TEST(Names, EveryLatin1ByteSurvivesDecodeAndEncode) {
    for (int b = 0; b < 256; ++b) {
        const char field[NameLength] = {
            static_cast<char>(b), 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n'};
        const std::string utf8 = DecodeName(field);
        const auto back = EncodeName(utf8);
        EXPECT_EQ(std::string(back.begin(), back.end()), std::string(field, NameLength)) << "byte " << b;
    }
}

TEST(Names, FitTrimAndLowerCase) {
    EXPECT_EQ(FitName("Short"), "Short");
    EXPECT_EQ(FitName("123456789012345678"), "123456789012345");
    EXPECT_EQ(FitName("\xC3\xA9"
                      "234567890123456"),
              "\xC3\xA9"
              "23456789012345");  // é counts as one
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks("\ta "), "\ta");  // blanks only, as the classic Trim does
    EXPECT_EQ(LowerCaseName("S\xC3\x83O PAULO"), "s\xC3\xA3o paulo");                  // Ã -> ã
    EXPECT_EQ(LowerCaseName("\xC3\x97\xC3\x9F\xC3\x9E"), "\xC3\x97\xC3\x9F\xC3\xBE");  // × and ß stay, Þ -> þ
    EXPECT_EQ(LowerCaseName("\xC5\x81X\xFF"), "\xC5\x81x\xFF");  // Ł outside Latin-1, invalid byte kept
}

}  // namespace
}  // namespace heliomark
