// libFuzzer target: the dict.txt reader. Whatever it reads must come back the same when written out
// as a glossary again, and the sort must leave the titles in byte order.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/data.h"
#include "data/dictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace heliomark;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    DictEntryList entries;
    try {
        entries = ParseDictionary("dict.txt", text);
    } catch (const DataFileError&) {
        return 0;  // more entries than the list can count
    }
    std::string written;
    for (const DictEntry& e : entries) {
        if (e.Title.find_first_of("\r\n") != std::string::npos) __builtin_trap();
        written += "!" + e.Title + "\r\n" + e.Text;
    }
    const DictEntryList again = ParseDictionary("dict.txt", written);
    if (again.size() != entries.size()) __builtin_trap();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (again[i].Title != entries[i].Title || again[i].Text != entries[i].Text) __builtin_trap();
    SortDictionary(entries);
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (entries[i].Title < entries[i - 1].Title) __builtin_trap();
    return 0;
}
