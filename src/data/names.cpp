// Record names: UTF-8 in memory, 15 blank-padded bytes of ISO-8859-1 on disk.
#include "data/data.h"
#include "data/utf8.h"

namespace heliomark {

namespace {

char32_t LowerLatin1(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    return c;
}

}  // namespace

std::array<char, NameLength> EncodeName(std::string_view utf8) {
    std::array<char, NameLength> field;
    field.fill(' ');
    std::size_t i = 0;
    for (std::size_t n = 0; n < NameLength && i < utf8.size(); ++n) {
        const char32_t cp = NextCodePoint(utf8, i);
        field[n] = static_cast<char>(cp <= 0xFF ? cp : U'?');
    }
    return field;
}

std::string DecodeName(const char* bytes, std::size_t size) {
    std::string out;
    for (std::size_t i = 0; i < size; ++i)
        AppendUtf8(out, static_cast<unsigned char>(bytes[i]));
    return out;
}

std::string FitName(std::string_view utf8) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < NameLength && i < utf8.size(); ++n)
        NextCodePoint(utf8, i);
    return std::string(utf8.substr(0, i));
}

std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string LowerCaseName(std::string_view utf8) {
    return MapCodePoints(utf8, [](std::string& out, char32_t cp) { AppendUtf8(out, LowerLatin1(cp)); });
}

}  // namespace heliomark
