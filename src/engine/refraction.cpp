// The refraction table of refs.txt and its lookup.
#include <cmath>
#include <cstring>
#include <fstream>

#include "engine/engine.h"

namespace heliomark {

namespace {
double ReadLittleEndianDouble(const unsigned char* p) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
}  // namespace

RefractionTable LoadRefractionTable(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) throw DataFileError(file, "the file is missing");
        throw DataFileError(file, "the file cannot be opened");
    }
    unsigned char bytes[RefractionFileSize];
    in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got < RefractionFileSize) {
        throw DataFileError(file, "the file holds " + std::to_string(got) +
                                      " bytes; the refraction table needs " +
                                      std::to_string(RefractionFileSize));
    }
    RefractionTable table;
    for (std::size_t i = 0; i < table.Key.size(); ++i) {
        table.Key[i] = ReadLittleEndianDouble(bytes + 16 * i);
        table.Value[i] = ReadLittleEndianDouble(bytes + 16 * i + 8);
        if (!std::isfinite(table.Key[i]) || !std::isfinite(table.Value[i])) {
            throw DataFileError(file, "pair " + std::to_string(i + 1) + " is not a finite number");
        }
        // Equal or falling keys would make the interpolation divide by zero or pick wrong pairs.
        if (i > 0 && !(table.Key[i] > table.Key[i - 1])) {
            throw DataFileError(file,
                                "the altitudes are not in ascending order at pair " + std::to_string(i + 1));
        }
    }
    return table;
}

double RefractionLookup(const RefractionTable& table, double x) {
    int lo = 0, hi = 138;
    while (hi - lo != 1) {
        const int mid = (lo + hi) / 2;
        if (table.Key[mid] <= x) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return (x - table.Key[lo]) * (table.Value[hi] - table.Value[lo]) / (table.Key[hi] - table.Key[lo]) +
           table.Value[lo];
}

}  // namespace heliomark
