// Finding a name by typing part of it: the search key and the matching.
#include <array>

#include "data/data.h"
#include "data/utf8.h"

namespace heliomark {

namespace {

// Plain letters of Latin-1's letters U+00C0..U+00FF; '*' marks the two signs (× and ÷) kept as they
// are, '2' the letters written with two (Æ ae, Þ th, ß ss).
constexpr std::string_view Latin1Letters = "aaaaaa2ceeeeiiiidnooooo*ouuuuy22aaaaaa2ceeeeiiiidnooooo*ouuuuy2y";
// Plain letters of Latin Extended-A, U+0100..U+017F; '2' marks Ĳ ĳ (ij) and Œ œ (oe).
constexpr std::string_view ExtendedALetters =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii22jjkkkllllllllllnnnnnnnnnoooooo22rrrrrrssssssss"
    "ttttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(Latin1Letters.size() == 0x40 && ExtendedALetters.size() == 0x80);

std::string_view TwoLetters(char32_t cp) {
    switch (cp) {
        case 0xC6:
        case 0xE6:
            return "ae";
        case 0xDE:
        case 0xFE:
            return "th";
        case 0xDF:
            return "ss";
        case 0x132:
        case 0x133:
            return "ij";
        default:
            return "oe";  // Œ œ
    }
}

// Appends the search form of one code point.
void AppendSearchForm(std::string& out, char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') {
        out += static_cast<char>(cp - 'A' + 'a');
    } else if (cp == ' ' || cp == '-') {
        if (!out.empty() && out.back() != ' ') out += ' ';
    } else if (cp == '.' || cp == '\'' || cp == '`' || cp == 0xB4 || cp == 0x2018 || cp == 0x2019 ||
               cp == 0x2BB || cp == 0x2BC || (cp >= 0x300 && cp <= 0x36F)) {
        // dots, apostrophes and combining accents (a decomposed "São") carry no letter
    } else if (cp >= 0xC0 && cp <= 0x17F) {
        const char letter = cp <= 0xFF ? Latin1Letters[cp - 0xC0] : ExtendedALetters[cp - 0x100];
        if (letter == '*') {
            AppendUtf8(out, cp);
        } else if (letter == '2') {
            out += TwoLetters(cp);
        } else {
            out += letter;
        }
    } else if (cp == 0x218 || cp == 0x219) {  // Romanian Ș ș
        out += 's';
    } else if (cp == 0x21A || cp == 0x21B) {  // Romanian Ț ț
        out += 't';
    } else if (cp == 0x18F || cp == 0x259) {  // Azerbaijani Ə ə
        out += 'e';
    } else {
        AppendUtf8(out, cp);
    }
}

}  // namespace

std::string SearchKey(std::string_view utf8) {
    return MapCodePoints(utf8, AppendSearchForm);
}

NameMatches FindNamesContaining(const std::vector<std::string>& keys, std::string_view typed) {
    const std::string key = SearchKey(typed);
    NameMatches out;
    // The kinds of match in the order they are offered first.
    enum Rank { Exact, Prefix, WordStart, Inside, None };
    Rank bestRank = None;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string& name = keys[i];
        const std::size_t at = name.find(key);
        if (at == std::string::npos) continue;
        out.Positions.push_back(static_cast<int>(i));
        if (key.empty()) continue;
        Rank rank = Inside;
        if (at == 0) {
            rank = name.size() == key.size() ? Exact : Prefix;
        } else {
            for (std::size_t p = at; p != std::string::npos; p = name.find(key, p + 1))
                if (name[p - 1] == ' ') {
                    rank = WordStart;
                    break;
                }
        }
        if (rank < bestRank) {
            bestRank = rank;
            out.Best = static_cast<int>(i);
        }
    }
    return out;
}

}  // namespace heliomark
