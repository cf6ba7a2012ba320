// dict.txt: reading, splitting into entries and ordering by title.
#include "data/dictionary.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <system_error>

#include "data/data.h"

namespace heliomark {

namespace {

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length;
        unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (text.size() - i < length) return false;
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if (second < low || second > high) return false;
        for (std::size_t k = 2; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

DictEntryList ParseDictionary(const std::filesystem::path& file, std::string_view text) {
    // A byte order mark would hide the '!' of the first title line.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::string converted;
    if (!IsValidUtf8(text)) {
        converted = DecodeName(text.data(), text.size());  // ISO-8859-1 to UTF-8
        text = converted;
    }
    DictEntryList entries;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size()) pos += (text.compare(pos, 2, "\r\n") == 0) ? 2 : 1;

        if (!line.empty() && line.front() == '!') {
            if (entries.size() == MaxDictionaryEntries) {
                throw DataFileError(
                    file, "the file holds more than " + std::to_string(MaxDictionaryEntries) + " entries");
            }
            entries.push_back({std::string(line.substr(1)), std::string()});
        } else if (!entries.empty()) {
            entries.back().Text.append(line).append("\r\n");
        }
    }
    return entries;
}

void SortDictionary(DictEntryList& entries) {
    const std::size_t n = entries.size();
    // The exchange sort is quadratic, so it runs on each title's rank among the distinct titles: the
    // same outcome of every comparison as on the strings, at the cost of an integer comparison.
    std::vector<std::string_view> distinct;
    distinct.reserve(n);
    for (const DictEntry& e : entries)
        distinct.emplace_back(e.Title);
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());

    std::vector<uint32_t> rank(n);
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    for (std::size_t i = 0; i < n; ++i) {
        const auto at =
            std::lower_bound(distinct.begin(), distinct.end(), std::string_view(entries[i].Title));
        rank[i] = static_cast<uint32_t>(at - distinct.begin());
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            if (rank[i] > rank[j]) {
                std::swap(rank[i], rank[j]);
                std::swap(order[i], order[j]);
            }
        }
    }
    DictEntryList sorted;
    sorted.reserve(n);
    for (const std::size_t k : order)
        sorted.push_back(std::move(entries[k]));
    entries = std::move(sorted);
}

DictEntryList LoadDictionary(const std::filesystem::path& file) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) return {};
    const auto bytes = ReadWholeFile(file, MaxDictionaryBytes);
    DictEntryList entries =
        ParseDictionary(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    SortDictionary(entries);
    return entries;
}

bool EnsureDictionaryLoaded(Dictionary& dictionary, const std::filesystem::path& file) {
    if (dictionary.Loaded) return false;
    dictionary.Entries = LoadDictionary(file);
    dictionary.Loaded = true;
    return true;
}

}  // namespace heliomark
