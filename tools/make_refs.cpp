// Writes resources/refs.txt: the refraction table the program interpolates in.
//
// 139 (geometric altitude, refracted altitude) pairs in radians, little-endian doubles, key first.
// Refraction is Saemundsson's formula for the true (geometric) altitude h in degrees,
//     R = 1.02 / tan(h + 10.3 / (h + 5.11))  arc minutes,
// for 1010 mbar and 10 °C, with Meeus's +0.0019279' so that R is 0 at the zenith
// (J. Meeus, "Astronomical Algorithms", 2nd ed., ch. 16, eq. 16.4; T. Saemundsson, Sky & Telescope
// 72, 70, 1986). The altitudes run from -2° to 90°: every 0.1° up to 5°, where refraction changes
// fastest, every 0.5° up to 20°, then 38 equal steps to the zenith.
//
// Usage: make_refs OUTPUT. The output depends only on this program, so it is byte-for-byte
// reproducible.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/engine.h"

namespace {

double RefractionDegrees(double h) {
    const double arg = heliomark::DegToRad(h + 10.3 / (h + 5.11));
    const double arcmin = 1.02 / std::tan(arg) + 0.0019279;
    return arcmin / 60;
}

void PutDouble(std::vector<unsigned char>& out, double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<unsigned char>(bits >> (8 * i)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    std::vector<double> altitudes;
    for (int i = 0; i <= 70; ++i)
        altitudes.push_back(-2.0 + i / 10.0);
    for (int i = 1; i <= 30; ++i)
        altitudes.push_back(5.0 + i / 2.0);
    for (int i = 1; i <= 38; ++i)
        altitudes.push_back(20.0 + 70.0 * i / 38);
    if (altitudes.size() != 139) {
        std::fprintf(stderr, "internal error: %zu altitudes\n", altitudes.size());
        return 1;
    }
    std::vector<unsigned char> bytes;
    for (double h : altitudes) {
        PutDouble(bytes, heliomark::DegToRad(h));
        PutDouble(bytes, heliomark::DegToRad(h + RefractionDegrees(h)));
    }
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
