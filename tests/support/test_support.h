// Support shared by every test suite: a private temporary folder per test, hand-built little-endian
// bytes, the shipped data files, tables of cases, and the check that a reader refuses a file.
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

// A folder of its own for one test, removed with everything in it when the test ends.
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

inline void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}
inline void WriteBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes) {
    WriteText(file, std::string(bytes.begin(), bytes.end()));
}
inline std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
inline std::vector<unsigned char> ReadBytes(const std::filesystem::path& file) {
    const std::string text = ReadText(file);
    return std::vector<unsigned char>(text.begin(), text.end());
}
// A file of the source tree's resources/ folder (the data the program ships).
inline std::filesystem::path Resource(const std::string& name) {
    return std::filesystem::path(HELIOMARK_SOURCE_DIR) / "resources" / name;
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
    Bytes& Name(std::string latin1) {
        latin1.resize(15, ' ');
        v.insert(v.end(), latin1.begin(), latin1.end());
        return *this;
    }
    Bytes& Raw(const std::vector<unsigned char>& more) {
        v.insert(v.end(), more.begin(), more.end());
        return *this;
    }
    std::string Text() const { return std::string(v.begin(), v.end()); }

  private:
    Bytes& Le(uint64_t value, int n) {
        for (int i = 0; i < n; ++i)
            v.push_back(static_cast<unsigned char>(value >> (8 * i)));
        return *this;
    }
};

// One row of a table of cases: the expression as written (the failure message), its value and the
// value expected. Written ROW(FormatRA(0.5), "1h54m35.5s").
template <class T>
struct Row {
    template <class G, class E>
    Row(const char* expression, const G& got, const E& expected)
        : Expression(expression), Got(static_cast<T>(got)), Expected(static_cast<T>(expected)) {}
    const char* Expression;
    T Got, Expected;
};
#define ROW(expression, expected) {#expression, expression, expected}
template <class T>
void ExpectRows(std::initializer_list<Row<T>> rows) {
    for (const auto& r : rows)
        EXPECT_EQ(r.Got, r.Expected) << r.Expression;
}
inline void ExpectTexts(std::initializer_list<Row<std::string>> rows) {
    ExpectRows(rows);
}
inline void ExpectNear(std::initializer_list<Row<double>> rows, double tolerance) {
    for (const auto& r : rows)
        EXPECT_NEAR(r.Got, r.Expected, tolerance) << r.Expression;
}

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
