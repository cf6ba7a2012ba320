// Little-endian reading and writing of the binary data files, and the bounded file read behind every
// reader. Internal to src/data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/data.h"

namespace heliomark::detail {

// Reads fields from a byte buffer. The parsers check that a whole record is present before they read
// it; each read checks again, so a slip in a parser throws instead of reading out of bounds.
class ByteReader {
  public:
    ByteReader(const std::filesystem::path& file, const unsigned char* data, std::size_t size)
        : file_(file), data_(data), size_(size) {}

    std::size_t Offset() const { return offset_; }
    std::size_t Remaining() const { return size_ - offset_; }

    const unsigned char* Take(std::size_t n) {
        if (n > Remaining()) {
            throw DataFileError(file_, "the file ends at byte " + std::to_string(size_) + " inside a record");
        }
        const unsigned char* p = data_ + offset_;
        offset_ += n;
        return p;
    }
    int16_t Int16() { return static_cast<int16_t>(Unsigned(2)); }
    int32_t Int32() { return static_cast<int32_t>(Unsigned(4)); }
    double Double() {
        const uint64_t bits = Unsigned(8);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

  private:
    uint64_t Unsigned(std::size_t n) {
        const unsigned char* p = Take(n);
        uint64_t v = 0;
        for (std::size_t i = n; i-- > 0;)
            v = (v << 8) | p[i];
        return v;
    }

    const std::filesystem::path& file_;
    const unsigned char* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

class ByteWriter {
  public:
    void Bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        bytes_.insert(bytes_.end(), b, b + n);
    }
    void Int16(int16_t v) { Unsigned(static_cast<uint16_t>(v), 2); }
    void Int32(int32_t v) { Unsigned(static_cast<uint32_t>(v), 4); }
    void Double(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        Unsigned(bits, 8);
    }
    std::vector<unsigned char> Take() { return std::move(bytes_); }

  private:
    void Unsigned(uint64_t v, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            bytes_.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
    std::vector<unsigned char> bytes_;
};

// A 15-byte name field as the string kept in memory: Latin-1 to UTF-8, the blank padding removed.
inline std::string ReadName(ByteReader& in) {
    std::string name = DecodeName(reinterpret_cast<const char*>(in.Take(NameLength)));
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}
inline void WriteName(ByteWriter& out, const std::string& name) {
    const auto field = EncodeName(name);
    out.Bytes(field.data(), field.size());
}

// At most maxBytes from the start of the file; `truncated` tells whether the file holds more.
// Throws DataFileError when the file is missing or cannot be read.
std::vector<unsigned char> ReadFilePrefix(const std::filesystem::path& file, std::size_t maxBytes,
                                          bool& truncated);

// "city 3 (\"Paris\")": how messages name a record.
std::string RecordLabel(const char* kind, std::size_t number, const std::string& name);

// The 1-based number of the first record whose stored name, blanks trimmed, equals `name` case-blind
// (the argument itself is not trimmed); 0 for none. Cities and DST rules are looked up this way.
template <class Record>
int FindByName(const std::vector<Record>& records, std::string_view name) {
    const std::string wanted = LowerCaseName(name);
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (LowerCaseName(TrimBlanks(records[i].Name)) == wanted) return static_cast<int>(i + 1);
    }
    return 0;
}

// Saves a list to its file. When `problem` says why the file format cannot hold the list, nothing is
// written and DataFileError says so; otherwise the bytes `serialize` gives replace the file whole.
template <class Serialize>
void SaveListFile(const std::filesystem::path& file, const std::optional<std::string>& problem,
                  Serialize serialize) {
    if (problem) throw DataFileError(file, "not saved: " + *problem);
    const std::vector<unsigned char> bytes = serialize();
    WriteFileAtomically(file, bytes.data(), bytes.size());
}

}  // namespace heliomark::detail
