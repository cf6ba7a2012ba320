// The glossary behind the dictionary window: dict.txt in the program folder, read once per run.
//
// dict.txt is plain text. A line whose first character is '!' starts an entry and carries its title
// (the rest of the line); every following line, empty ones included, belongs to that entry's text.
// Lines before the first '!' line belong to no entry and are skipped. Line ends may be CR LF, LF or
// a lone CR. The file is read as UTF-8; a file that is not valid UTF-8 is taken as ISO-8859-1.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace heliomark {

struct DictEntry {
    std::string Title;  // UTF-8, may be empty (a "!" line alone)
    std::string Text;   // every line of the entry, each one ending in CR LF
};
using DictEntryList = std::vector<DictEntry>;

// Limits of what the reader accepts: a glossary is a few kilobytes, and the list has a 16-bit count.
inline constexpr std::size_t MaxDictionaryBytes = 4 * 1024 * 1024;
inline constexpr std::size_t MaxDictionaryEntries = 32767;

// The entries of a dict.txt text in file order. Throws DataFileError naming `file` when the text
// holds more than MaxDictionaryEntries entries.
DictEntryList ParseDictionary(const std::filesystem::path& file, std::string_view text);

// Orders entries by Title in ascending byte order (case-sensitive: "Zenith" before "azimuth").
// The order is that of the classic exchange sort (for each i, swap entry i with every later j whose
// title is smaller), so entries with equal titles end up exactly where that sort puts them.
void SortDictionary(DictEntryList& entries);

// Reads and sorts dict.txt. A missing file gives an empty glossary; a file that cannot be read, is
// larger than MaxDictionaryBytes or holds too many entries throws DataFileError naming the file.
DictEntryList LoadDictionary(const std::filesystem::path& file);

// The glossary as the program holds it: empty and unread at start-up, read at most once.
struct Dictionary {
    DictEntryList Entries;
    bool Loaded = false;  // true once dict.txt has been read (an absent file counts as read)
};

// Loads `dictionary` from `file` unless that already happened; returns true when it read the file.
// On DataFileError the dictionary stays empty and unread, so a later call tries again.
bool EnsureDictionaryLoaded(Dictionary& dictionary, const std::filesystem::path& file);

}  // namespace heliomark
