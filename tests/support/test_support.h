// Support shared by every test suite: a private temporary folder per test and hand-built
// little-endian bytes.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/data.h"

namespace heliomark::testing {

class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("heliomark-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& Path() const { return path_; }
    // Names in the folder, to see that no temporary file is left behind.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            names.push_back(e.path().filename().string());
        return names;
    }

  private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
inline void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
}
inline std::vector<unsigned char> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// Little-endian bytes written field by field, independently of the program's own writer.
struct Bytes {
    std::vector<unsigned char> v;
    Bytes& I16(int value) { return Le(static_cast<uint16_t>(value), 2); }
    Bytes& I32(int32_t value) { return Le(static_cast<uint32_t>(value), 4); }
    Bytes& F64(double value) {
        uint64_t bits;
        std::memcpy(&bits, &value, 8);
        return Le(bits, 8);
    }
    // A 15-byte field: the given bytes, blank padded.
    Bytes& Name(const std::string& latin1) {
        std::string field = latin1;
        field.resize(15, ' ');
        v.insert(v.end(), field.begin(), field.end());
        return *this;
    }
    Bytes& Raw(const std::vector<unsigned char>& more) {
        v.insert(v.end(), more.begin(), more.end());
        return *this;
    }

  private:
    Bytes& Le(uint64_t value, int n) {
        for (int i = 0; i < n; ++i)
            v.push_back(static_cast<unsigned char>(value >> (8 * i)));
        return *this;
    }
};

// Runs `load` and expects a DataFileError that names `file` and mentions `needle`.
template <class Load>
void ExpectRefused(Load load, const std::filesystem::path& file, const std::string& needle,
                   const std::string& caseName) {
    try {
        load();
        ADD_FAILURE() << caseName << ": accepted";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.File, file) << caseName;
        EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos)
            << caseName << ": " << e.what();
        EXPECT_NE(std::string(e.what()).find(needle), std::string::npos)
            << caseName << ": \"" << e.what() << "\" does not mention \"" << needle << "\"";
    }
}

}  // namespace heliomark::testing
