// Record names: UTF-8 in memory, 15 blank-padded bytes of ISO-8859-1 on disk.
#include "data/data.h"

namespace heliomark {

namespace {

constexpr char32_t Invalid = 0xFFFFFFFF;

// The code point that starts at text[i], advancing i past it; an ill-formed sequence (overlong,
// surrogate, cut short, stray continuation byte) gives Invalid and advances by one byte only.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    char32_t cp;
    char32_t minimum;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return Invalid;
    }
    if (text.size() - i < length) {
        ++i;
        return Invalid;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return Invalid;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return Invalid;
    }
    i += length;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

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
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        const char32_t cp = NextCodePoint(utf8, i);
        if (cp == Invalid) {
            out += utf8[start];
        } else {
            AppendUtf8(out, LowerLatin1(cp));
        }
    }
    return out;
}

}  // namespace heliomark
