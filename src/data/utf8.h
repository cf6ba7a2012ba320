// UTF-8 decoding and encoding for the name functions. Names come from files and from the user, so
// every ill-formed sequence is expected and handled, never trusted.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace heliomark {

inline constexpr char32_t InvalidCodePoint = 0xFFFFFFFF;

// The code point that starts at text[i], advancing i past it; an ill-formed sequence (overlong,
// surrogate, cut short, stray continuation byte) gives InvalidCodePoint and advances by one byte.
inline char32_t NextCodePoint(std::string_view text, std::size_t& i) {
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
        return InvalidCodePoint;
    }
    if (text.size() - i < length) {
        ++i;
        return InvalidCodePoint;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return InvalidCodePoint;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return InvalidCodePoint;
    }
    i += length;
    return cp;
}

inline void AppendUtf8(std::string& out, char32_t cp) {
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

// `utf8` rewritten code point by code point: append(out, cp) writes the form of each; a byte that is
// not valid UTF-8 is kept as it is.
template <class Append>
std::string MapCodePoints(std::string_view utf8, Append append) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        const char32_t cp = NextCodePoint(utf8, i);
        if (cp == InvalidCodePoint) {
            out += utf8[start];
        } else {
            append(out, cp);
        }
    }
    return out;
}

}  // namespace heliomark
